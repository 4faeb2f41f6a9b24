#include <gtest/gtest.h>

#include <climits>
#include <functional>

#include "effects/ColorAdjust.h"

namespace velmora {
namespace {

TEST(ColorAdjust, ValuesWorkedByHand) {
  const struct {
    const char* name;
    std::function<void(Bitmap32&)> adjust;
    Color32 in, out;
  } cases[] = {
      {"brightness -200 on white: 255 - 200", [](Bitmap32& b) { AdjustBrightness(b, -200); },
       0x80FFFFFF, 0x80373737},
      {"brightness -200 on black", [](Bitmap32& b) { AdjustBrightness(b, -200); }, 0x80000000,
       0x80000000},
      // 200 + 117 and 191 + 112 clamp; 119 + (119 x 150) div 255 = 119 + 70
      {"brightness 150 on the sepia hue", [](Bitmap32& b) { AdjustBrightness(b, 150); },
       MakeColor32(0x7F, 200, 191, 119), MakeColor32(0x7F, 255, 255, 189)},
      // 0 - 99 clamps to 0; 127 and 128 move by 0; 255 + 100 clamps
      {"contrast 200", [](Bitmap32& b) { AdjustContrast(b, 200); }, MakeColor32(9, 0, 127, 128),
       MakeColor32(9, 0, 127, 128)},
      {"contrast 200 on white", [](Bitmap32& b) { AdjustContrast(b, 200); }, 0x01FFFFFF,
       0x01FFFFFF},
      // 0 - (127 x -200) div 255 = 0 + 99; 255 + (128 x -200) div 255 = 255 - 100
      {"contrast -200", [](Bitmap32& b) { AdjustContrast(b, -200); }, MakeColor32(3, 0, 255, 0),
       MakeColor32(3, 99, 155, 99)},
      {"balance fast red +50 saturates 205", [](Bitmap32& b) { BalanceFast(b, 50, 0, 0); },
       MakeColor32(0x40, 205, 10, 20), MakeColor32(0x40, 255, 10, 20)},
      {"balance fast red +50 on 204", [](Bitmap32& b) { BalanceFast(b, 50, 0, 0); },
       MakeColor32(0x40, 204, 250, 255), MakeColor32(0x40, 254, 250, 255)},
      // 100 + 10000 div 255 = 100 + 39
      {"balance quality red +50", [](Bitmap32& b) { BalanceQuality(b, 50, 0, 0); },
       MakeColor32(0x40, 100, 200, 250), MakeColor32(0x40, 139, 200, 250)},
      {"balance quality keeps red 0", [](Bitmap32& b) { BalanceQuality(b, 50, 0, 0); },
       MakeColor32(0x40, 0, 200, 250), MakeColor32(0x40, 0, 200, 250)},
      // Amounts far beyond the gauges: C x a would overflow 32 bits; the formula still holds
      // (1 + 2147483647 div 255 clamps to 255, 1 - 2147483648 div 255 to 0).
      {"brightness of the largest amount", [](Bitmap32& b) { AdjustBrightness(b, INT_MAX); },
       MakeColor32(5, 0, 1, 255), MakeColor32(5, 0, 255, 255)},
      {"brightness of the smallest amount", [](Bitmap32& b) { AdjustBrightness(b, INT_MIN); },
       MakeColor32(5, 0, 1, 255), MakeColor32(5, 0, 0, 0)},
      {"contrast of the largest amount", [](Bitmap32& b) { AdjustContrast(b, INT_MAX); },
       MakeColor32(5, 126, 127, 128), MakeColor32(5, 0, 127, 255)},
      // (1 x 2 x -50) div 255 = 0 (toward zero, not -1)
      {"balance quality truncates toward zero", [](Bitmap32& b) { BalanceQuality(b, 0, -50, 0); },
       MakeColor32(0x40, 9, 1, 9), MakeColor32(0x40, 9, 1, 9)},
  };
  for (const auto& c : cases) {
    Bitmap32 b(2, 1, c.in);
    c.adjust(b);
    EXPECT_EQ(b.Pixel(0, 0), c.out) << c.name;
    EXPECT_EQ(b.Pixel(1, 0), c.out) << c.name;
  }
}

}  // namespace
}  // namespace velmora
