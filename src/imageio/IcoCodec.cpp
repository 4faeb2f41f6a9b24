#include "imageio/IcoCodec.h"

#include <algorithm>
#include <iterator>

#include "imageio/BmpCodec.h"
#include "imageio/CodecSupport.h"
#include "imageio/PngCodec.h"

namespace velmora {

namespace {

constexpr size_t kDirectorySize = 6;
constexpr size_t kEntrySize = 16;
constexpr uint16_t kIconType = 1;
constexpr uint8_t kPngSignature[] = {0x89, 'P', 'N', 'G'};

struct IconEntry {
  int64_t pixels = 0;
  uint32_t bits = 0;
  uint32_t size = 0;
  uint32_t offset = 0;
};

IconEntry ReadEntry(std::span<const uint8_t> bytes, size_t at) {
  // A stored width or height of 0 means 256.
  const int64_t w = bytes[at] ? bytes[at] : 256;
  const int64_t h = bytes[at + 1] ? bytes[at + 1] : 256;
  return {w * h, Le16(bytes, at + 6), Le32(bytes, at + 8), Le32(bytes, at + 12)};
}

}  // namespace

Bitmap32 DecodeIco(std::span<const uint8_t> bytes, const std::string& name) {
  if (bytes.size() < kDirectorySize || Le16(bytes, 0) != 0 || Le16(bytes, 2) != kIconType) {
    FailPicture(name, "not an ICO file");
  }
  const size_t count = Le16(bytes, 4);
  if (count == 0) FailPicture(name, "no image in the ICO file");
  if (kDirectorySize + count * kEntrySize > bytes.size()) FailPicture(name, "truncated");
  IconEntry best;
  for (size_t i = 0; i < count; ++i) {
    const IconEntry e = ReadEntry(bytes, kDirectorySize + i * kEntrySize);
    if (e.size == 0 || e.offset > bytes.size() || e.size > bytes.size() - e.offset) {
      FailPicture(name, "truncated");
    }
    if (e.pixels > best.pixels || (e.pixels == best.pixels && e.bits > best.bits)) best = e;
  }
  const auto image = bytes.subspan(best.offset, best.size);
  const bool png = image.size() >= sizeof kPngSignature &&
                   std::equal(std::begin(kPngSignature), std::end(kPngSignature), image.begin());
  return png ? DecodePng(image, name) : DecodeIconDib(image, name);
}

}  // namespace velmora
