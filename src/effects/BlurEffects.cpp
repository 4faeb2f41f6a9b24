#include "effects/BlurEffects.h"

#include "effects/PixelLoops.h"

namespace velmora {
namespace {

// Per channel (a + b + c + d) shr 2, red and blue side by side in 16-bit lanes (four bytes sum
// to at most 1020, so no lane carries into the next), then green.
constexpr Color32 Average4(Color32 a, Color32 b, Color32 c, Color32 d) noexcept {
  constexpr uint32_t kRedBlue = 0x00FF00FFu;
  const uint32_t red_blue = (a & kRedBlue) + (b & kRedBlue) + (c & kRedBlue) + (d & kRedBlue);
  const uint32_t green = GreenOf(a) + GreenOf(b) + GreenOf(c) + GreenOf(d);
  return ((red_blue >> 2) & kRedBlue) | ((green >> 2) << 8);
}

}  // namespace

void SplitBlur(Bitmap32& picture, int distance) noexcept {
  const int w = picture.width(), h = picture.height(), d = distance;
  if (d <= 0) return;
  // Each row reads the rows above it as already blurred, so the rows run in order on one thread;
  // the in-place reads through row pointers give exactly the order the blur is defined by.
  for (int y = 0; y < h; ++y) {
    const Color32* upper = picture.Row(y >= d ? y - d : y);
    const Color32* lower = picture.Row(y < h - d ? y + d : h - 1);
    Color32* row = picture.Row(y);
    for (int x = 0; x < w; ++x) {
      const int l = x >= d ? x - d : x;
      const int r = x < w - d ? x + d : w - 1;
      row[x] = KeepAlpha(row[x], Average4(upper[l], upper[r], lower[l], lower[r]));
    }
  }
}

}  // namespace velmora
