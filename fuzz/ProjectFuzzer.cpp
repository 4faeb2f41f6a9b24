// libFuzzer entry point for the project reader: the file is decoded and checked, and what it
// gives is put into a card and flattened, as opening a project and showing it would.

#include <cstddef>
#include <cstdint>
#include <span>

#include "document/CardDocument.h"
#include "files/ProjectFile.h"
#include "graphics/Error.h"

namespace {

// Reads every pixel, so that the sanitizers see any that was never written.
uint32_t Mix(const velmora::Bitmap32& b) {
  uint32_t mix = 0;
  for (size_t i = 0; i < b.PixelCount(); ++i) mix ^= b.Bits()[i];
  return mix;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    velmora::ProjectContents contents = velmora::DecodeProject(std::span(data, size), "fuzz");
    uint32_t mix = Mix(contents.base);
    for (const velmora::StoredLayer& layer : contents.layers) mix ^= Mix(layer.pixels);
    // Stored places may be anything finite within the reader's limits.
    velmora::CardDocument doc;
    velmora::ApplyProject(doc, std::move(contents));
    mix ^= Mix(doc.ComposePicture());
    volatile uint32_t sink = mix;
    (void)sink;
  } catch (const velmora::Error&) {
    // Refusing bad input is the expected outcome.
  }
  return 0;
}
