#include "effects/ColorEffects.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "effects/PixelLoops.h"

namespace velmora {
namespace {

// The grey formula is defined in the 80-bit extended precision of the x87 unit: where
// 30 R + 59 G + 11 B lies exactly halfway between two levels, the rounding errors of 0.3, 0.59
// and 0.11 in that precision pick the level, and double precision would pick differently for
// about one colour in a thousand.
static_assert(std::numeric_limits<long double>::digits == 64,
              "MakeGrayscale needs the 80-bit extended long double of x86");

// Kept out of line: it runs for about one pixel in a hundred, and inlined its x87 code slows the
// vector loop around it.
[[gnu::noinline]] uint32_t ExtendedGray(uint32_t r, uint32_t g, uint32_t b) noexcept {
  const long double y = 0.3L * r + 0.59L * g + 0.11L * b;
  // lrintl rounds as the current mode says, which stays at nearest-even in this program;
  // nearbyintl rounds alike but saves and restores the floating-point state, a hundred times
  // slower.
  return static_cast<uint32_t>(std::lrintl(y));
}

constexpr Color32 GrayRgb(uint32_t y) noexcept { return y * 0x010101u; }

// Pixels a chunk: the grey levels of a chunk are computed without branches, then the rare
// halfway sums of the chunk are put right.
constexpr int kChunk = 16;

}  // namespace

void InvertColors(Bitmap32& picture) noexcept {
  MapRgb(picture, [](Color32 p) { return ~p; });
}

void MakeGrayscale(Bitmap32& picture) noexcept {
  const int w = picture.width();
  ForEachRow(picture, [w](Color32* row, int) {
    for (int x0 = 0; x0 < w; x0 += kChunk) {
      Color32* p = row + x0;
      const int n = std::min(kChunk, w - x0);
      Color32 before[kChunk];
      uint8_t halfway[kChunk];
      uint32_t any_halfway = 0;
      for (int i = 0; i < n; ++i) {
        // m = 30 R + 59 G + 11 B + 50 < 25551, and m * 5243 shr 19 = m div 100 below 43699.
        // Away from a halfway sum (m a multiple of 100) the extended-precision rounding errors
        // (below 1e-16) cannot move Y past a whole level, so Y = m div 100 exactly.
        const Color32 c = p[i];
        const uint32_t m = 30 * RedOf(c) + 59 * GreenOf(c) + 11 * BlueOf(c) + 50;
        const uint32_t y = (m * 5243u) >> 19;
        halfway[i] = static_cast<uint8_t>(y * 100 == m);
        any_halfway |= halfway[i];
        before[i] = c;
        p[i] = (c & kAlphaMask) | GrayRgb(y);
      }
      if (any_halfway == 0) continue;
      for (int i = 0; i < n; ++i) {
        if (halfway[i] == 0) continue;
        const Color32 c = before[i];
        p[i] = (c & kAlphaMask) | GrayRgb(ExtendedGray(RedOf(c), GreenOf(c), BlueOf(c)));
      }
    }
  });
}

void ColorizeBitmap(Bitmap32& picture, Color32 color) noexcept {
  // The result depends on R + G + B only: one packed colour per sum.
  std::array<Color32, 766> by_sum;
  for (int sum = 0; sum < 766; ++sum) {
    const double s = sum / 765.0;
    by_sum[sum] =
        MakeColor32(0, RoundHalfEvenInt(RedOf(color) * s), RoundHalfEvenInt(GreenOf(color) * s),
                    RoundHalfEvenInt(BlueOf(color) * s));
  }
  MapRgb(picture, [&by_sum](Color32 p) { return by_sum[RedOf(p) + GreenOf(p) + BlueOf(p)]; });
}

}  // namespace velmora
