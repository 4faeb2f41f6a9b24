// One libFuzzer entry point for every picture reader. VELMORA_FUZZ_FORMAT is the format's id
// ("bmp", "jpeg", ...) or "any" for the decoder that goes by the signature.

#include <cstddef>
#include <cstdint>
#include <span>

#include "graphics/Error.h"
#include "imageio/PictureIO.h"

#ifndef VELMORA_FUZZ_FORMAT
#error "VELMORA_FUZZ_FORMAT must name a picture format id or any"
#endif

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const velmora::PictureFormatInfo* format = velmora::FindFormatById(VELMORA_FUZZ_FORMAT);
  const std::span<const uint8_t> bytes(data, size);
  try {
    const velmora::Bitmap32 picture = format ? velmora::DecodePicture(bytes, format->format, "fuzz")
                                             : velmora::DecodePicture(bytes, "fuzz");
    // Read every pixel, so that the sanitizers see any that was never written.
    uint32_t mix = 0;
    for (size_t i = 0; i < picture.PixelCount(); ++i) mix ^= picture.Bits()[i];
    volatile uint32_t sink = mix;
    (void)sink;
  } catch (const velmora::Error&) {
    // Refusing bad input is the expected outcome.
  }
  return 0;
}
