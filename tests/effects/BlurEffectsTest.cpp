#include <gtest/gtest.h>

#include "EffectTestSupport.h"
#include "effects/BlurEffects.h"

namespace velmora::testing {
namespace {

TEST(SplitBlur, UniformPictureStaysAsItIs) {
  for (const int d : {1, 2, 5, 100}) {
    Bitmap32 b(17, 9, 0x80A1B2C3);
    SplitBlur(b, d);
    EXPECT_TRUE(SamePixels(b, Bitmap32(17, 9, 0x80A1B2C3))) << "distance " << d;
  }
}

// One row of greys 0, 100, 200 with distance 1: the top band reads its own row, the bottom band
// the last row (the same one here), the right band the last column.
//   x = 0: l = 0, r = 1:                 (0 + 0 + 100 + 100) shr 2 = 50
//   x = 1: l = 0 (already 50), r = 2:    (50 + 50 + 200 + 200) shr 2 = 125
//   x = 2: l = 1 (already 125), r = 2:   (125 + 125 + 200 + 200) shr 2 = 162
TEST(SplitBlur, OneRowWorkedByHand) {
  Bitmap32 b(3, 1);
  const uint32_t in[] = {0, 100, 200}, out[] = {50, 125, 162};
  for (int x = 0; x < 3; ++x) b.SetPixel(x, 0, MakeColor32(0x10 * (x + 1), in[x], in[x], in[x]));
  SplitBlur(b, 1);
  for (int x = 0; x < 3; ++x) {
    EXPECT_EQ(b.Pixel(x, 0), MakeColor32(0x10 * (x + 1), out[x], out[x], out[x])) << x;
  }
}

TEST(SplitBlur, DistanceZeroOrLessChangesNothing) {
  for (const int d : {0, -1, -50}) {
    Bitmap32 b = NoiseBitmap(8, 8, 2);
    const Bitmap32 before = b;
    SplitBlur(b, d);
    EXPECT_TRUE(SamePixels(b, before)) << d;
  }
}

}  // namespace
}  // namespace velmora::testing
