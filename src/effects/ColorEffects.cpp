#include "effects/ColorEffects.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "effects/Avx512Kernels.h"
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
  // lrintl rounds as the current mode says, which stays at nearest-even in this program.
  return static_cast<uint32_t>(std::lrintl(y));
}

// Away from a halfway sum the extended-precision errors (below 1e-16) cannot move Y past a whole
// level, so Y = (30 R + 59 G + 11 B + 50) div 100 exactly. The halfway sums are looked up: for
// red r and green g, 11 b must end in 50 - 30 r - 59 g (mod 100), which fixes b mod 100 (11 x 91
// = 1001), so the halfway blues are b0, b0 + 100 and b0 + 200 up to 255. Bit k of entry
// (r shl 8) + g says whether the sum with blue b0 + 100 k rounds up. Three spare bytes let the
// vector form read four bytes at any entry.
using HalfwayTable = std::array<uint8_t, 65536 + 3>;

const HalfwayTable& HalfwayRoundsUp() {
  static const HalfwayTable table = [] {
    HalfwayTable t{};
    for (uint32_t r = 0; r < 256; ++r) {
      for (uint32_t g = 0; g < 256; ++g) {
        const int residue = ((50 - 30 * int(r) - 59 * int(g)) % 100 + 100) % 100;
        const uint32_t b0 = uint32_t(91 * residue) % 100;
        for (uint32_t b = b0, k = 0; b < 256; b += 100, ++k) {
          const uint32_t level_below = (30 * r + 59 * g + 11 * b) / 100;
          if (ExtendedGray(r, g, b) > level_below) t[(r << 8) | g] |= uint8_t(1u << k);
        }
      }
    }
    return t;
  }();
  return table;
}

constexpr Color32 GrayRgb(uint32_t y) noexcept { return y * 0x010101u; }

// Pixels a chunk: the levels of a chunk are computed without branches (so the loop runs on
// vectors), then the rare halfway sums of the chunk are put right.
constexpr int kChunk = 16;

void GrayRow(Color32* row, int w, const uint8_t* halfway_up) noexcept {
  for (int x0 = 0; x0 < w; x0 += kChunk) {
    Color32* p = row + x0;
    const int n = std::min(kChunk, w - x0);
    Color32 before[kChunk];
    uint8_t halfway[kChunk];
    uint32_t any_halfway = 0;
    for (int i = 0; i < n; ++i) {
      const Color32 c = p[i];
      const uint32_t m = 30 * RedOf(c) + 59 * GreenOf(c) + 11 * BlueOf(c) + 50;  // < 25551
      const uint32_t y = (m * 5243u) >> 19;  // m div 100, exact below 43699
      halfway[i] = static_cast<uint8_t>(y * 100 == m);
      any_halfway |= halfway[i];
      before[i] = c;
      p[i] = (c & kAlphaMask) | GrayRgb(y);
    }
    if (any_halfway == 0) continue;
    for (int i = 0; i < n; ++i) {
      if (halfway[i] == 0) continue;
      const Color32 c = before[i];
      const uint32_t up = (halfway_up[(RedOf(c) << 8) | GreenOf(c)] >> (BlueOf(c) / 100)) & 1;
      const uint32_t y = BlueOf(p[i]);  // the level written above, one above the lower level
      p[i] = (c & kAlphaMask) | GrayRgb(y - 1 + up);
    }
  }
}

}  // namespace

void InvertColors(Bitmap32& picture) noexcept {
  MapRgb(picture, [](Color32 p) { return ~p; });
}

void MakeGrayscale(Bitmap32& picture) noexcept {
  const int w = picture.width();
  const uint8_t* halfway_up = HalfwayRoundsUp().data();
  if (UseAvx512()) {
    ForEachRow(picture, [w, halfway_up](Color32* row, int) { GrayRowAvx512(row, w, halfway_up); });
  } else {
    ForEachRow(picture, [w, halfway_up](Color32* row, int) { GrayRow(row, w, halfway_up); });
  }
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
  if (UseAvx512()) {
    const int w = picture.width();
    ForEachRow(picture,
               [w, table = by_sum.data()](Color32* row, int) { ColorizeRowAvx512(row, w, table); });
    return;
  }
  MapRgb(picture, [&by_sum](Color32 p) { return by_sum[RedOf(p) + GreenOf(p) + BlueOf(p)]; });
}

}  // namespace velmora
