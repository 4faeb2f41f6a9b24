#include <gtest/gtest.h>

#include <cmath>

#include "EffectTestSupport.h"
#include "effects/ColorEffects.h"

namespace velmora::testing {
namespace {

TEST(MakeGrayscale, PrimariesAndWhite) {
  const struct {
    Color32 in;
    uint32_t gray;
  } cases[] = {
      {0xFFFF0000, 76},   // 0.3 x 255 = 76.5, a tie in extended precision: to even
      {0xFF00FF00, 150},  // 150.45
      {0xFF0000FF, 28},   // 28.05
      {0xFFFFFFFF, 255}, {0x40FF0000, 76},  // alpha is kept
  };
  for (const auto& c : cases) {
    Bitmap32 b(1, 1, c.in);
    MakeGrayscale(b);
    EXPECT_EQ(b.Pixel(0, 0), (c.in & 0xFF000000u) | c.gray * 0x010101u) << std::hex << c.in;
  }
}

// All 2^24 colours against the formula evaluated directly: 0.3 R + 0.59 G + 0.11 B in extended
// precision, rounded to nearest with halves to even.
TEST(MakeGrayscale, EveryColourAsTheExtendedPrecisionFormula) {
  Bitmap32 b(4096, 4096);
  Color32* bits = b.Bits();
  for (uint32_t c = 0; c < (1u << 24); ++c) bits[c] = 0x5A000000u | c;
  MakeGrayscale(b);
  int wrong = 0;
  for (uint32_t c = 0; c < (1u << 24); ++c) {
    const long double y =
        0.3L * ((c >> 16) & 0xFF) + 0.59L * ((c >> 8) & 0xFF) + 0.11L * (c & 0xFF);
    const auto level = static_cast<uint32_t>(std::rintl(y));
    if (bits[c] != (0x5A000000u | level * 0x010101u) && ++wrong <= 5) {
      ADD_FAILURE() << std::hex << "colour " << c << " gave " << bits[c];
    }
  }
  EXPECT_EQ(wrong, 0);
}

TEST(InvertColors, HandWorkedPixelAndTwiceGivesThePictureBack) {
  Bitmap32 one(1, 1, MakeColor32(0x40, 10, 200, 255));
  InvertColors(one);
  EXPECT_EQ(one.Pixel(0, 0), MakeColor32(0x40, 245, 55, 0));

  Bitmap32 b = NoiseBitmap(50, 40, 7);
  const Bitmap32 before = b;
  InvertColors(b);
  InvertColors(b);
  EXPECT_TRUE(SamePixels(b, before));
}

TEST(ColorizeBitmap, FollowsTheMeanIntensityInTheChosenHue) {
  const Color32 hue = MakeColor32(0, 200, 191, 119);
  const struct {
    Color32 in, out;
  } cases[] = {
      {0xFFFFFFFF, MakeColor32(255, 200, 191, 119)},  // white: exactly the colour
      {0x80000000, 0x80000000},                       // black stays black, alpha kept
      // s = 1/3: 66.67, 63.67, 39.67
      {MakeColor32(255, 255, 0, 0), MakeColor32(255, 67, 64, 40)},
  };
  for (const auto& c : cases) {
    Bitmap32 b(1, 1, c.in);
    ColorizeBitmap(b, hue);
    EXPECT_EQ(b.Pixel(0, 0), c.out) << std::hex << c.in;
  }
}

}  // namespace
}  // namespace velmora::testing
