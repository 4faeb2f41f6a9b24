#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <vector>

#include "graphics/Draw.h"
#include "graphics/Parallel.h"
#include "graphics/Random.h"

namespace velmora {
namespace {

Bitmap32 RandomBitmap(int w, int h, Random& rnd, bool random_alpha) {
  Bitmap32 b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const uint32_t a = random_alpha ? (rnd(4) == 0 ? 255 : rnd(4) == 0 ? 0 : rnd(256)) : 255;
      b.SetPixel(x, y, MakeColor32(a, rnd(256), rnd(256), rnd(256)));
    }
  return b;
}

Bitmap32 Row(std::initializer_list<Color32> pixels) {
  Bitmap32 b(static_cast<int>(pixels.size()), 1);
  int x = 0;
  for (Color32 c : pixels) b.SetPixel(x++, 0, c);
  return b;
}

TEST(Draw, BlendedLineMatchesPerPixelRuleForEveryMasterAlpha) {
  Random rnd;
  const Bitmap32 src = RandomBitmap(37, 5, rnd, true);
  const Bitmap32 base = RandomBitmap(37, 5, rnd, true);
  for (uint32_t m : {255u, 254u, 128u, 77u, 1u}) {
    Bitmap32 dst = base;
    Bitmap32 layer = src;
    layer.set_draw_mode(DrawMode::kBlend);
    layer.set_master_alpha(static_cast<uint8_t>(m));
    Draw(dst, 0, 0, layer);
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 37; ++x)
        ASSERT_EQ(dst.Pixel(x, y), BlendPixelMaster(base.Pixel(x, y), src.Pixel(x, y), m))
            << "m=" << m << " at " << x << "," << y;
  }
}

TEST(Draw, ClipsToDestinationSourceRectAndClip) {
  Bitmap32 dst(4, 3, 0xFF000000);
  Bitmap32 src(3, 3, 0xFFFFFFFF);
  src.SetPixel(0, 0, 0xFF0000FF);
  // Source part (0,0)-(2,2) at (-1, 2): only source pixel (1, 0) lands, at (0, 2).
  Draw(dst, -1, 2, src, IntRect{0, 0, 2, 2});
  int changed = 0;
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x) changed += dst.Pixel(x, y) != 0xFF000000;
  EXPECT_EQ(changed, 1);
  EXPECT_EQ(dst.Pixel(0, 2), 0xFFFFFFFFu);

  Bitmap32 dst2(4, 3, 0xFF000000);
  Draw(dst2, 0, 0, src, src.BoundsRect(), IntRect{1, 1, 2, 2}, DrawStyle::Of(src));
  EXPECT_EQ(dst2.Pixel(1, 1), 0xFFFFFFFFu);
  EXPECT_EQ(dst2.Pixel(0, 0), 0xFF000000u);

  Bitmap32 empty;
  Draw(dst2, 0, 0, empty);
  Draw(empty, 0, 0, src);
  StretchDraw(empty, IntRect{0, 0, 5, 5}, src);
  StretchDraw(dst2, IntRect{3, 3, 3, 9}, src);
  StretchDraw(dst2, IntRect{0, 0, 4, 3}, empty);
}

TEST(Draw, OpaqueModeCopiesAlphaAndIgnoresMasterAlpha) {
  Bitmap32 dst(2, 1, 0xFF102030);
  Bitmap32 src = Row({0x00FFFFFF, 0x80123456});
  src.set_draw_mode(DrawMode::kOpaque);
  src.set_master_alpha(10);
  Draw(dst, 0, 0, src);
  EXPECT_EQ(dst.Pixel(0, 0), 0x00FFFFFFu);
  EXPECT_EQ(dst.Pixel(1, 0), 0x80123456u);
}

TEST(StretchDraw, NearestPicksPixelUnderEachCentre) {
  const Bitmap32 src = Row({1, 2, 3, 4});
  Bitmap32 wide(8, 1), narrow(2, 1), odd(3, 1);
  for (Bitmap32* d : {&wide, &narrow, &odd}) {
    Bitmap32 s = src;
    s.set_draw_mode(DrawMode::kOpaque);
    StretchDraw(*d, d->BoundsRect(), s);
  }
  const Color32 wide_expected[8] = {1, 1, 2, 2, 3, 3, 4, 4};
  for (int x = 0; x < 8; ++x) EXPECT_EQ(wide.Pixel(x, 0), wide_expected[x]);
  // Centres 0.5 and 1.5 of the half-size picture fall on source positions 1.0 and 3.0.
  EXPECT_EQ(narrow.Pixel(0, 0), 2u);
  EXPECT_EQ(narrow.Pixel(1, 0), 4u);
  // Three pixels over four: centres map to 0.67, 2.0, 3.33.
  EXPECT_EQ(odd.Pixel(0, 0), 1u);
  EXPECT_EQ(odd.Pixel(1, 0), 3u);
  EXPECT_EQ(odd.Pixel(2, 0), 4u);
}

TEST(StretchDraw, BilinearHandWorkedValuesAndEdgeRepeat) {
  // 0 and 255 grey doubled: centres at -0.25, 0.25, 0.75, 1.25 source pixels from the first
  // centre give 0, 64 (63.75), 191 (191.25), 255.
  Bitmap32 src = Row({0xFF000000, 0xFFFFFFFF});
  src.set_draw_mode(DrawMode::kOpaque);
  src.set_stretch_filter(StretchFilter::kLinear);
  Bitmap32 dst(4, 1);
  StretchDraw(dst, dst.BoundsRect(), src);
  const uint32_t expected[4] = {0, 64, 191, 255};
  for (int x = 0; x < 4; ++x) {
    EXPECT_EQ(BlueOf(dst.Pixel(x, 0)), expected[x]) << x;
    EXPECT_EQ(AlphaOf(dst.Pixel(x, 0)), 255u);
  }
}

TEST(StretchDraw, TransparentPixelsLendNoColour) {
  Bitmap32 src = Row({0xFFFF0000, 0x000000FF});  // opaque red, transparent blue
  src.set_draw_mode(DrawMode::kOpaque);
  for (StretchFilter f :
       {StretchFilter::kLinear, StretchFilter::kSmoothLinear, StretchFilter::kSpline}) {
    src.set_stretch_filter(f);
    Bitmap32 dst(4, 1);
    StretchDraw(dst, dst.BoundsRect(), src);
    for (int x = 0; x < 4; ++x) {
      const Color32 p = dst.Pixel(x, 0);
      if (AlphaOf(p) > 0) {
        EXPECT_EQ(p & 0x00FFFFFF, 0x00FF0000u) << int(f) << " x=" << x;
      }
    }
    EXPECT_EQ(AlphaOf(dst.Pixel(1, 0)) > 128 && AlphaOf(dst.Pixel(2, 0)) < 128, true) << int(f);
  }
}

TEST(StretchDraw, ShrinkingWidensTheTriangle) {
  // 4 -> 2 with the triangle widened to 2 source pixels: weights 1/8, 3/8, 3/8, 1/8 around
  // each centre, the outer taps repeating the edge: 0.125 x 255 = 31.9 and 223.1.
  Bitmap32 src = Row({0xFF000000, 0xFF000000, 0xFFFFFFFF, 0xFFFFFFFF});
  src.set_draw_mode(DrawMode::kOpaque);
  src.set_stretch_filter(StretchFilter::kSmoothLinear);
  Bitmap32 dst(2, 1);
  StretchDraw(dst, dst.BoundsRect(), src);
  EXPECT_EQ(BlueOf(dst.Pixel(0, 0)), 32u);
  EXPECT_EQ(BlueOf(dst.Pixel(1, 0)), 223u);
}

TEST(StretchDraw, ConstantPictureSurvivesEveryFilterAndScale) {
  const Color32 colour = 0x80336699;
  const Bitmap32 base(13, 7, colour);
  const IntRect sizes[] = {{0, 0, 13, 7}, {0, 0, 40, 21}, {0, 0, 6, 3},
                           {0, 0, 2, 30}, {0, 0, 1, 1},   {0, 0, 27, 5}};
  for (StretchFilter f : {StretchFilter::kNearest, StretchFilter::kLinear,
                          StretchFilter::kSmoothLinear, StretchFilter::kSpline}) {
    for (const IntRect& r : sizes) {
      const Bitmap32 out = Resized(base, r.width(), r.height(), f);
      for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x)
          ASSERT_EQ(out.Pixel(x, y), colour)
              << "filter " << int(f) << " size " << r.width() << "x" << r.height();
    }
  }
}

TEST(StretchDraw, SameSizeIsExactCopyForEveryFilter) {
  Random rnd;
  const Bitmap32 src = RandomBitmap(9, 6, rnd, true);
  for (StretchFilter f : {StretchFilter::kNearest, StretchFilter::kLinear,
                          StretchFilter::kSmoothLinear, StretchFilter::kSpline}) {
    EXPECT_TRUE(SamePixels(Resized(src, 9, 6, f), src)) << int(f);
  }
}

// Straightforward bilinear reference in double precision with alpha weighting.
Color32 ReferenceBilinear(const Bitmap32& s, double u, double v) {
  const double tu = u - 0.5, tv = v - 0.5;
  const int x = static_cast<int>(std::floor(tu)), y = static_cast<int>(std::floor(tv));
  const double fx = tu - x, fy = tv - y;
  double acc[4] = {0, 0, 0, 0}, wa_sum = 0;
  for (int j = 0; j < 2; ++j)
    for (int i = 0; i < 2; ++i) {
      const Color32 p =
          s.Pixel(std::clamp(x + i, 0, s.width() - 1), std::clamp(y + j, 0, s.height() - 1));
      const double w = (i ? fx : 1 - fx) * (j ? fy : 1 - fy);
      const double wa = w * AlphaOf(p);
      acc[0] += wa * BlueOf(p);
      acc[1] += wa * GreenOf(p);
      acc[2] += wa * RedOf(p);
      wa_sum += wa;
      acc[3] += w * AlphaOf(p);
    }
  if (wa_sum == 0) return 0;
  return MakeColor32(static_cast<uint32_t>(std::lround(acc[3])),
                     static_cast<uint32_t>(std::lround(acc[2] / wa_sum)),
                     static_cast<uint32_t>(std::lround(acc[1] / wa_sum)),
                     static_cast<uint32_t>(std::lround(acc[0] / wa_sum)));
}

TEST(StretchDraw, BilinearAgreesWithReference) {
  // Sample positions are kept to 1/128 pixel: alpha within 2 levels, and colours within 2 levels
  // where opaque, more where the pixel is faint (the colour is then alpha-weighted).
  Random rnd;
  const Bitmap32 src = RandomBitmap(11, 9, rnd, true);
  const int w = 29, h = 17;
  const Bitmap32 out = Resized(src, w, h, StretchFilter::kLinear);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const Color32 ref = ReferenceBilinear(src, (x + 0.5) * 11.0 / w, (y + 0.5) * 9.0 / h);
      const Color32 got = out.Pixel(x, y);
      ASSERT_LE(std::abs(int(AlphaOf(ref)) - int(AlphaOf(got))), 2);
      if (AlphaOf(ref) == 0) continue;
      const int tolerance = 1 + 300 / int(AlphaOf(ref));
      for (int shift = 0; shift < 24; shift += 8) {
        const int d = std::abs(int((ref >> shift) & 0xFF) - int((got >> shift) & 0xFF));
        ASSERT_LE(d, tolerance) << x << "," << y << std::hex << " ref " << ref << " got " << got;
      }
    }
}

TEST(StretchDraw, BandsGiveTheSameResultAsOneThread) {
  // A picture big enough to be split across threads, drawn blended at an odd scale.
  Random rnd;
  Bitmap32 src = RandomBitmap(301, 257, rnd, true);
  src.set_draw_mode(DrawMode::kBlend);
  src.set_master_alpha(200);
  for (StretchFilter f :
       {StretchFilter::kNearest, StretchFilter::kLinear, StretchFilter::kSpline}) {
    src.set_stretch_filter(f);
    Bitmap32 whole(640, 480, 0xFF808080);
    StretchDraw(whole, IntRect{-20, -10, 700, 500}, src);
    // The same picture drawn in strips through the clip rectangle.
    Bitmap32 strips(640, 480, 0xFF808080);
    for (int y = 0; y < 480; y += 37)
      StretchDraw(strips, IntRect{-20, -10, 700, 500}, IntRect{0, y, 640, y + 37}, src,
                  src.BoundsRect(), DrawStyle::Of(src));
    EXPECT_TRUE(SamePixels(whole, strips)) << int(f);
  }
}

TEST(Parallel, RowsCoverEveryRowOnce) {
  std::vector<std::atomic<int>> seen(10007);
  ParallelRows(10007, 1000, [&](int first, int last) {
    for (int i = first; i < last; ++i) seen[i]++;
  });
  for (auto& s : seen) ASSERT_EQ(s.load(), 1);
}

}  // namespace
}  // namespace velmora
