#include "effects/ColorEffects.h"

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

uint32_t ExtendedGray(uint32_t r, uint32_t g, uint32_t b) noexcept {
  const long double y = 0.3L * r + 0.59L * g + 0.11L * b;
  return static_cast<uint32_t>(std::nearbyintl(y));  // the default mode rounds halves to even
}

constexpr int kGraySums = 30 * 255 + 59 * 255 + 11 * 255 + 1;
constexpr uint16_t kHalfway = 0xFFFF;

// Grey level by n = 30 R + 59 G + 11 B. Away from a halfway sum the rounding errors (below
// 1e-16) cannot move the result past a whole level, so (n + 50) div 100 is exact; halfway sums
// are marked for the extended evaluation.
const std::array<uint16_t, kGraySums>& GrayBySum() {
  static const auto table = [] {
    std::array<uint16_t, kGraySums> t{};
    for (int n = 0; n < kGraySums; ++n) {
      t[n] = n % 100 == 50 ? kHalfway : static_cast<uint16_t>((n + 50) / 100);
    }
    return t;
  }();
  return table;
}

constexpr Color32 GrayRgb(uint32_t y) noexcept { return y * 0x010101u; }

}  // namespace

void InvertColors(Bitmap32& picture) noexcept {
  MapRgb(picture, [](Color32 p) { return ~p; });
}

void MakeGrayscale(Bitmap32& picture) noexcept {
  const auto& gray = GrayBySum();
  MapRgb(picture, [&gray](Color32 p) {
    const uint32_t r = RedOf(p), g = GreenOf(p), b = BlueOf(p);
    const uint32_t y = gray[30 * r + 59 * g + 11 * b];
    return GrayRgb(y != kHalfway ? y : ExtendedGray(r, g, b));
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
