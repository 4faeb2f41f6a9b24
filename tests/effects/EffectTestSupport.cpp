#include "EffectTestSupport.h"

#include <random>

namespace velmora::testing {

Picture24 To24(const Bitmap32& b) {
  Picture24 p{b.width(), b.height(), std::vector<uint8_t>(b.PixelCount() * 3)};
  for (int y = 0; y < b.height(); ++y) {
    for (int x = 0; x < b.width(); ++x) {
      const Color32 c = b.Pixel(x, y);
      uint8_t* px = p.At(x, y);
      px[0] = c & 0xFF;
      px[1] = (c >> 8) & 0xFF;
      px[2] = (c >> 16) & 0xFF;
    }
  }
  return p;
}

Bitmap32 NoiseBitmap(int w, int h, uint32_t seed) {
  std::mt19937 gen(seed);
  Bitmap32 b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.SetPixel(x, y, static_cast<Color32>(gen()));
  return b;
}

::testing::AssertionResult RgbAsAndAlphaOf(const Bitmap32& result, Picture24& expected,
                                           const Bitmap32& alpha_source) {
  if (result.width() != expected.width || result.height() != expected.height) {
    return ::testing::AssertionFailure() << "size changed";
  }
  int wrong = 0;
  auto failure = ::testing::AssertionFailure();
  for (int y = 0; y < result.height(); ++y) {
    for (int x = 0; x < result.width(); ++x) {
      const Color32 c = result.Pixel(x, y);
      const uint8_t* px = expected.At(x, y);
      const Color32 want = (alpha_source.Pixel(x, y) & 0xFF000000u) | (uint32_t{px[2]} << 16) |
                           (uint32_t{px[1]} << 8) | px[0];
      if (c != want && ++wrong <= 5) {
        failure << "(" << x << "," << y << "): got " << std::hex << c << " want " << want
                << std::dec << "; ";
      }
    }
  }
  if (wrong == 0) return ::testing::AssertionSuccess();
  return failure << wrong << " pixels differ";
}

::testing::AssertionResult SameAlpha(const Bitmap32& a, const Bitmap32& b) {
  if (a.width() != b.width() || a.height() != b.height()) {
    return ::testing::AssertionFailure() << "sizes differ";
  }
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      if ((a.Pixel(x, y) >> 24) != (b.Pixel(x, y) >> 24)) {
        return ::testing::AssertionFailure()
               << "alpha differs at (" << x << "," << y << "): " << (a.Pixel(x, y) >> 24) << " vs "
               << (b.Pixel(x, y) >> 24);
      }
    }
  }
  return ::testing::AssertionSuccess();
}

}  // namespace velmora::testing
