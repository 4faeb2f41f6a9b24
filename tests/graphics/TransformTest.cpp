#include <gtest/gtest.h>

#include "graphics/PixelFilters.h"
#include "graphics/Transform.h"

namespace velmora {
namespace {

Bitmap32 Numbered(int w, int h) {
  Bitmap32 b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.SetPixel(x, y, MakeColor32(255, 0, y, x));
  b.set_draw_mode(DrawMode::kOpaque);
  return b;
}

TEST(Transform, QuarterTurnClockwiseMovesEveryPixelWhereItBelongs) {
  const Bitmap32 src = Numbered(4, 2);
  for (StretchFilter f : {StretchFilter::kNearest, StretchFilter::kLinear}) {
    Bitmap32 s = src;
    s.set_stretch_filter(f);
    AffineTransformation t;
    t.set_source_rect({0, 0, 4, 2});
    t.Translate(-2, -1);
    t.Rotate(-90);  // clockwise on screen
    t.Translate(1, 2);
    Bitmap32 dst(2, 4);
    Transform(dst, s, t);
    // Clockwise: source (x, y) lands at (H - 1 - y, x).
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 4; ++x)
        EXPECT_EQ(dst.Pixel(1 - y, x), src.Pixel(x, y)) << int(f) << " " << x << "," << y;
  }
}

TEST(Transform, PixelsMappingOutsideStayUntouched) {
  Bitmap32 src(2, 2, 0xFFFFFFFF);
  src.set_draw_mode(DrawMode::kOpaque);
  AffineTransformation t;
  t.set_source_rect({0, 0, 2, 2});
  t.Translate(1, 1);
  Bitmap32 dst(4, 4, 0xFF000000);
  Transform(dst, src, t);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x)
      EXPECT_EQ(dst.Pixel(x, y), (x >= 1 && x < 3 && y >= 1 && y < 3) ? 0xFFFFFFFFu : 0xFF000000u);
}

TEST(Transform, ProjectiveOntoOwnCornersIsIdentityAndMatchesAffineScale) {
  const Bitmap32 src = Numbered(5, 3);
  ProjectiveTransformation p;
  p.SetCorners({0, 0, 5, 3}, {{{0, 0}, {5, 0}, {5, 3}, {0, 3}}});
  Bitmap32 dst(5, 3);
  Transform(dst, src, p);
  EXPECT_TRUE(SamePixels(dst, src));

  // Corners of a doubled rectangle: the same as the affine scale by 2.
  p.SetCorners({0, 0, 5, 3}, {{{0, 0}, {10, 0}, {10, 6}, {0, 6}}});
  AffineTransformation a;
  a.set_source_rect({0, 0, 5, 3});
  a.Scale(2, 2);
  Bitmap32 by_projective(10, 6), by_affine(10, 6);
  Transform(by_projective, src, p);
  Transform(by_affine, src, a);
  EXPECT_TRUE(SamePixels(by_projective, by_affine));

  // A true perspective: the image of each corner is where it was sent.
  p.SetCorners({0, 0, 100, 100}, {{{10, 5}, {90, 20}, {80, 95}, {0, 70}}});
  const FloatPoint q = p.Transform({100, 100});
  EXPECT_NEAR(q.x, 80, 1e-9);
  EXPECT_NEAR(q.y, 95, 1e-9);
  FloatPoint back;
  ASSERT_TRUE(p.ReverseTransform({0, 70}, back));
  EXPECT_NEAR(back.x, 0, 1e-9);
  EXPECT_NEAR(back.y, 100, 1e-9);

  // Three corners on a line: nothing is drawn.
  p.SetCorners({0, 0, 5, 3}, {{{0, 0}, {5, 0}, {10, 0}, {0, 0}}});
  Bitmap32 untouched(5, 3, 0xFF123456);
  Transform(untouched, src, p);
  EXPECT_EQ(untouched.Pixel(2, 1), 0xFF123456u);
}

TEST(PixelFilters, IntensityAlphaGreyRoundTripAndInversion) {
  EXPECT_EQ(Intensity(0xFFFFFFFF), 255u);
  EXPECT_EQ(Intensity(0xFF000000), 0u);
  EXPECT_EQ(Intensity(0xFFFF0000), 60u);   // 61 x 255 >> 8 = 60.76
  EXPECT_EQ(Intensity(0xFF00FF00), 173u);  // 174 x 255 >> 8 = 173.3
  EXPECT_EQ(Intensity(0xFF0000FF), 20u);   // 21 x 255 >> 8 = 20.9
  for (uint32_t g = 0; g < 256; ++g) ASSERT_EQ(Intensity(Gray32(g)), g);

  Bitmap32 layer(3, 1);
  layer.SetPixel(0, 0, 0x00112233);
  layer.SetPixel(1, 0, 0x7F445566);
  layer.SetPixel(2, 0, 0xFF778899);
  Bitmap32 map;
  AlphaToGrayscale(map, layer);
  EXPECT_EQ(map.Pixel(1, 0), 0xFF7F7F7Fu);
  Bitmap32 restored = layer;
  SetAlpha(restored, 255);
  IntensityToAlpha(restored, map);
  EXPECT_TRUE(SamePixels(restored, layer));

  Bitmap32 inverted;
  InvertRGB(inverted, layer);
  EXPECT_EQ(inverted.Pixel(1, 0), 0x7FBBAA99u);
}

}  // namespace
}  // namespace velmora
