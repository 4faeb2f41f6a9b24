#include <gtest/gtest.h>

#include "EffectTestSupport.h"
#include "effects/DistortEffects.h"

namespace velmora::testing {
namespace {

// Pixel x of a one-row picture: its own colour and alpha.
constexpr Color32 RowColor(int x) { return MakeColor32(0x11 * (x + 1), 10 * x, 20 + x, 200 - x); }

TEST(Mosaic, BlockOfFiveOnARowOfSevenMakesTwoBlocks) {
  Bitmap32 b(7, 1);
  for (int x = 0; x < 7; ++x) b.SetPixel(x, 0, RowColor(x));
  Mosaic(b, 5);
  for (int x = 0; x < 7; ++x) {
    const int corner = x < 5 ? 0 : 5;
    EXPECT_EQ(b.Pixel(x, 0), (RowColor(x) & 0xFF000000u) | (RowColor(corner) & 0x00FFFFFFu)) << x;
  }
}

TEST(Mosaic, BlockOfOneOrLessChangesNothing) {
  for (const int n : {1, 0, -3}) {
    Bitmap32 b = NoiseBitmap(9, 4, 1);
    const Bitmap32 before = b;
    Mosaic(b, n);
    EXPECT_TRUE(SamePixels(b, before)) << n;
  }
}

TEST(Spray, RadiusOneOrLessChangesNothingButDrawsThreeAPixel) {
  for (const int radius : {1, 0, -2}) {
    Bitmap32 b = NoiseBitmap(6, 5, 4);
    const Bitmap32 before = b;
    Random random(17), expected(17);
    Spray(b, radius, random);
    for (int i = 0; i < 6 * 5 * 3; ++i) expected.Next(1);
    EXPECT_TRUE(SamePixels(b, before)) << radius;
    EXPECT_EQ(random.seed(), expected.seed()) << radius;
  }
}

// Amount 27 needs 3 x 27 + 1 = 82 rows; a lower picture, or an amount below 1 (which would
// divide by zero or reach outside the picture), leaves it as it is.
TEST(Wave, TooLowPictureOrNoAmountLeavesThePicture) {
  const struct {
    int height, amount;
    bool changes;
  } cases[] = {{81, 27, false}, {82, 27, true}, {40, 0, false}, {40, -3, false}};
  for (const auto& c : cases) {
    Bitmap32 b = NoiseBitmap(30, c.height, 6);
    const Bitmap32 before = b;
    Wave(b, c.amount, 20, 1);
    EXPECT_EQ(!SamePixels(b, before), c.changes) << c.height << " rows, amount " << c.amount;
  }
}

// Amount 1, style 0 on a 5 x 4 picture: f = pi / 2, the one source row is row 1, written to row
// 1 + 1 + b(x), where b(x) comes from the column before: b(0) = 0, b(1) = round(sin 0) = 0,
// b(2) = round(sin pi/2) = 1, b(3) = round(sin pi) = 0, b(4) = round(sin 3pi/2) = -1.
TEST(Wave, OffsetOfAColumnComesFromTheColumnBefore) {
  Bitmap32 b = NoiseBitmap(5, 4, 8);
  const Bitmap32 before = b;
  Wave(b, 1, 0, 0);
  const int target_row[5] = {2, 2, 3, 2, 1};
  for (int x = 0; x < 5; ++x) {
    for (int y = 0; y < 4; ++y) {
      const Color32 rgb = (y == target_row[x] ? before.Pixel(x, 1) : before.Pixel(x, y));
      EXPECT_EQ(b.Pixel(x, y), (before.Pixel(x, y) & 0xFF000000u) | (rgb & 0x00FFFFFFu))
          << x << "," << y;
    }
  }
}

TEST(DistortEffects, EmptyPictureIsLeftAlone) {
  Bitmap32 empty;
  Random random(3);
  Spray(empty, 7, random);
  Mosaic(empty, 5);
  Wave(empty, 7, 20, 1);
  EXPECT_TRUE(empty.empty());
  EXPECT_EQ(random.seed(), 3u);
}

}  // namespace
}  // namespace velmora::testing
