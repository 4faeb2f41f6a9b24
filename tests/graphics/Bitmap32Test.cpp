#include <gtest/gtest.h>

#include <cmath>

#include "graphics/Bitmap32.h"
#include "graphics/Error.h"
#include "graphics/Random.h"

namespace velmora {
namespace {

TEST(Bitmap32, EmptyBitmapIsZeroByZeroAndAcceptsEveryRoutine) {
  Bitmap32 b;
  EXPECT_TRUE(b.empty());
  b.Clear(0xFF112233);
  b.FillRect({-5, -5, 10, 10}, 0xFF000000);
  b.SetSize(0, 7);
  EXPECT_EQ(b.width(), 0);
  EXPECT_EQ(b.height(), 0);
  Bitmap32 copy(b);
  EXPECT_TRUE(copy.empty());
}

TEST(Bitmap32, SetSizeRefusesNegativeAndHugeSizes) {
  Bitmap32 b;
  EXPECT_THROW(b.SetSize(-1, 5), Error);
  EXPECT_THROW(b.SetSize(40000, 10), Error);
  EXPECT_THROW(b.SetSize(20000, 20000), Error);  // 4e8 pixels > 2^28
  try {
    b.SetSize(40000, 40000);
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "picture too large: 40000 x 40000");
  }
}

TEST(Bitmap32, FillRectClipsAndAssignCopiesSettings) {
  Bitmap32 b(4, 3, 0xFF000000);
  b.FillRect({2, -1, 9, 2}, 0xFFFFFFFF);
  const Color32 expected[3][4] = {{0xFF000000, 0xFF000000, 0xFFFFFFFF, 0xFFFFFFFF},
                                  {0xFF000000, 0xFF000000, 0xFFFFFFFF, 0xFFFFFFFF},
                                  {0xFF000000, 0xFF000000, 0xFF000000, 0xFF000000}};
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(b.Pixel(x, y), expected[y][x]) << x << "," << y;

  b.set_draw_mode(DrawMode::kBlend);
  b.set_master_alpha(77);
  b.set_stretch_filter(StretchFilter::kSpline);
  b.set_outer_color(0x7FFFFFFF);
  Bitmap32 c;
  c.Assign(b);
  EXPECT_TRUE(SamePixels(b, c));
  EXPECT_EQ(c.draw_mode(), DrawMode::kBlend);
  EXPECT_EQ(c.master_alpha(), 77);
  EXPECT_EQ(c.stretch_filter(), StretchFilter::kSpline);
  EXPECT_EQ(c.outer_color(), 0x7FFFFFFFu);
}

TEST(PixelMath, RoundHalfEvenOnHalves) {
  const struct {
    double v;
    int expected;
  } cases[] = {{0.5, 0},   {1.5, 2},    {2.5, 2},    {-0.5, 0},    {-1.5, -2},
               {-2.5, -2}, {2.4999, 2}, {2.5001, 3}, {539.5, 540}, {540.5, 540}};
  for (const auto& c : cases) EXPECT_EQ(RoundHalfEvenInt(c.v), c.expected) << c.v;
  EXPECT_EQ(DivTrunc(-7, 2), -3);
  EXPECT_EQ(DivTrunc(7, -2), -3);
  EXPECT_EQ(Clamp255(-3), 0);
  EXPECT_EQ(Clamp255(300), 255);
}

TEST(PixelMath, BlendRuleTable) {
  // new = floor((256 old + (src - old) a + 128) / 256), worked by hand.
  const struct {
    uint32_t old_v, src, a, expected;
  } cases[] = {
      {0, 255, 0, 0},     {0, 255, 255, 255},  {200, 10, 255, 10},  {0, 255, 128, 128},
      {255, 0, 128, 128}, {100, 200, 64, 125}, {200, 100, 64, 175}, {10, 20, 1, 10},
      {0, 255, 254, 253}, {255, 0, 1, 254},    {128, 128, 77, 128}, {37, 219, 200, 179},
  };
  for (const auto& c : cases) {
    const Color32 dst = MakeColor32(c.old_v, c.old_v, c.old_v, c.old_v);
    const Color32 src = MakeColor32(c.src, c.src, c.src, c.src);
    const Color32 got = BlendPixel(dst, src, c.a);
    EXPECT_EQ(BlueOf(got), c.expected) << c.old_v << " " << c.src << " " << c.a;
    EXPECT_EQ(AlphaOf(got), c.expected);
  }
}

TEST(PixelMath, BlendRuleMatchesFormulaForAllInputs) {
  for (int old_v = 0; old_v < 256; old_v += 3)
    for (int src = 0; src < 256; src += 5)
      for (int a = 1; a < 255; ++a) {
        const int reference =
            static_cast<int>(std::floor((256.0 * old_v + (src - old_v) * double(a) + 128) / 256.0));
        ASSERT_EQ(int(BlendByte(old_v, src, a)), reference) << old_v << " " << src << " " << a;
      }
}

TEST(PixelMath, MasterAlphaScalesPixelAlphaRounded) {
  for (uint32_t a = 0; a < 256; ++a)
    for (uint32_t m = 0; m < 256; ++m)
      ASSERT_EQ(ScaleAlpha(a, m), uint32_t(std::lround(a * m / 255.0))) << a << " " << m;
}

TEST(Random, FirstValuesFollowTheGenerator) {
  // seed1 = 1, seed2 = 134775814, seed3 = 134775814 * 134775813 + 1 mod 2^32 = 3698175007.
  Random r;
  EXPECT_EQ(r.Next(100), 0u);  // 1 * 100 >> 32
  EXPECT_EQ(r.Next(100), 3u);  // 134775814 * 100 / 2^32 = 3.138
  EXPECT_EQ(r.seed(), 134775814u);
  EXPECT_EQ(r.Next(1000), 861u);  // 3698175007 * 1000 / 2^32 = 861.05
  EXPECT_EQ(r.seed(), 3698175007u);
  EXPECT_EQ(r.Next(0), 0u);  // n = 0 still advances the seed
  EXPECT_NE(r.seed(), 3698175007u);
}

}  // namespace
}  // namespace velmora
