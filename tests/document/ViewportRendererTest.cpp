#include <gtest/gtest.h>

#include "DocumentFixture.h"
#include "document/LayerOperations.h"
#include "document/ViewportRenderer.h"
#include "graphics/PixelFilters.h"
#include "graphics/Random.h"

namespace velmora {
namespace {

using testing::AddLayer;

Bitmap32 Noise(int w, int h, uint32_t seed, bool alpha) {
  Random rnd(seed);
  Bitmap32 b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      b.SetPixel(x, y, MakeColor32(alpha ? rnd(256) : 255, rnd(256), rnd(256), rnd(256)));
  return b;
}

TEST(ViewportRenderer, ChessBackgroundStartsGreyAtTheBufferOrigin) {
  CardDocument doc;  // no card: only the background
  ViewportRenderer r;
  Bitmap32 out;
  BackgroundStyle chess{true, 0};
  r.Render(doc, {}, {0, 0, 20, 20}, &chess, out);
  const struct {
    int x, y;
    Color32 expected;
  } cases[] = {{0, 0, 0x1FB0B0B0}, {7, 7, 0x1FB0B0B0}, {8, 0, 0xFFFFFFFF},
               {0, 8, 0xFFFFFFFF}, {8, 8, 0x1FB0B0B0}, {15, 19, 0xFFFFFFFF}};
  for (const auto& c : cases) EXPECT_EQ(out.Pixel(c.x, c.y), c.expected) << c.x << "," << c.y;
  // A part of the view starting at (8, 0) sees the same pattern at the same view pixels.
  r.Render(doc, {}, {8, 0, 16, 8}, &chess, out);
  EXPECT_EQ(out.Pixel(0, 0), 0xFFFFFFFFu);
  BackgroundStyle plain{false, 0x00808080};
  r.Render(doc, {}, {0, 0, 4, 4}, &plain, out);
  EXPECT_EQ(out.Pixel(3, 3), 0xFF808080u);
}

TEST(ViewportRenderer, AtFullSizeMatchesTheComposedPictureOverTheBackground) {
  CardDocument doc;
  doc.NewCanvas(300, 200, 0xFF204060);
  AddLayer(doc, 1, 1, {0, 0, 1, 1});
  doc.LayerAt(0).AsBitmap()->MutableBitmap() = Noise(120, 80, 1, true);
  doc.SetLayerLocation(doc.LayerAt(0), {20.5f, 10, 140.5f, 90});
  AddPhotoLayer(doc, Noise(50, 40, 2, false), {290, 190});  // partly outside the card
  const Bitmap32 composed = doc.ComposePicture();

  ViewportRenderer r;
  Bitmap32 view;
  const BackgroundStyle bg{false, 0xFF00FF00};
  r.Render(doc, {1.0, 15, 25}, {0, 0, 400, 300}, &bg, view);
  for (int y = 0; y < 300; ++y)
    for (int x = 0; x < 400; ++x) {
      const int cx = x - 15, cy = y - 25;
      Color32 expected = 0xFF00FF00;
      if (cx >= 0 && cy >= 0 && cx < 300 && cy < 200) {
        expected = composed.Pixel(cx, cy);
      } else if (cx >= 265 && cx < 315 && cy >= 170 && cy < 210) {
        continue;  // the photo outside the card, drawn over the background
      }
      ASSERT_EQ(view.Pixel(x, y), expected) << x << "," << y;
    }
}

TEST(ViewportRenderer, ReductionsStayCloseToTheFullResample) {
  CardDocument doc;
  doc.NewCanvas(2000, 1500, 0xFFFFFFFF);
  AddPhotoLayer(doc, Noise(1200, 900, 3, false), {1000, 750});
  // A smooth picture, so a box reduction and a widened triangle agree closely.
  Bitmap32& pixels = doc.LayerAt(0).AsBitmap()->MutableBitmap();
  for (int y = 0; y < pixels.height(); ++y)
    for (int x = 0; x < pixels.width(); ++x)
      pixels.SetPixel(x, y, MakeColor32(255, x * 255 / 1200, y * 255 / 900, 128));
  const ViewMapping zoomed_out{0.2, 0, 0};
  Bitmap32 fast, exact;
  ViewportRenderer(true).Render(doc, zoomed_out, {0, 0, 400, 300}, nullptr, fast);
  ViewportRenderer(false).Render(doc, zoomed_out, {0, 0, 400, 300}, nullptr, exact);
  int worst = 0;
  for (int y = 0; y < 300; ++y)
    for (int x = 0; x < 400; ++x)
      for (int s = 0; s < 32; s += 8)
        worst = std::max(worst, std::abs(int((fast.Pixel(x, y) >> s) & 0xFF) -
                                         int((exact.Pixel(x, y) >> s) & 0xFF)));
  EXPECT_LE(worst, 3);
}

TEST(ViewportRenderer, ReductionsFollowPixelChanges) {
  CardDocument doc;
  doc.NewCanvas(1000, 1000, 0xFFFFFFFF);
  BitmapLayer& l = AddPhotoLayer(doc, Bitmap32(800, 800, 0xFF0000FF), {500, 500});
  ViewportRenderer r;
  Bitmap32 out;
  r.Render(doc, {0.1, 0, 0}, {0, 0, 100, 100}, nullptr, out);
  EXPECT_EQ(out.Pixel(50, 50), 0xFF0000FFu);
  l.MutableBitmap().Clear(0xFFFF0000);
  r.Render(doc, {0.1, 0, 0}, {0, 0, 100, 100}, nullptr, out);
  EXPECT_EQ(out.Pixel(50, 50), 0xFFFF0000u);
}

TEST(ViewportRenderer, FramePaintsGreyPreviewUnlessFrameAlphaIsZero) {
  CardDocument doc;
  doc.NewCanvas(40, 40, 0xFFFF0000);  // pure red: intensity 60
  FrameLayer& f = doc.CreateFrameLayer({20, 20}, FrameTag::kSelection);
  doc.SetLayerLocation(f, {10, 10, 30, 30});
  Bitmap32 p = doc.ComposePicture();
  EXPECT_EQ(p.Pixel(20, 20), Gray32(Intensity(0xFFFF0000)));
  EXPECT_EQ(p.Pixel(5, 5), 0xFFFF0000u);
  doc.set_frame_alpha(0);
  p = doc.ComposePicture();
  EXPECT_EQ(p.Pixel(20, 20), 0xFFFF0000u);
  // A blank marker paints nothing.
  doc.set_frame_alpha(255);
  f.set_frame_tag(FrameTag::kBlankMarker);
  p = doc.ComposePicture();
  EXPECT_EQ(p.Pixel(20, 20), 0xFFFF0000u);
}

TEST(ViewportRenderer, ViewRectKeepsLayerSizeAtFullZoom) {
  // 10.5 .. 2009.5 is 1999 pixels wide: it stays 1999 wide, from 10.
  const IntRect r = ViewRectOf({10.5, 0.5, 2009.5, 100.5}, {});
  EXPECT_EQ(r, (IntRect{10, 0, 2009, 100}));
  const IntRect z = ViewRectOf({10, 10, 110, 60}, {0.5, 3, 4});
  EXPECT_EQ(z, (IntRect{8, 9, 58, 34}));
}

}  // namespace
}  // namespace velmora
