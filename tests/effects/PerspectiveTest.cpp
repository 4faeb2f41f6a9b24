#include <gtest/gtest.h>

#include <set>

#include "DialogTestFixture.h"
#include "document/UndoRedo.h"
#include "effects/PerspectiveCorrection.h"
#include "effects/PerspectiveDialog.h"
#include "graphics/Error.h"
#include "graphics/Transform.h"

namespace velmora {
namespace {

TEST(ProjectiveMapping, SendsTheCornersAndTheCentreWhereWorkedByHand) {
  // The square onto a trapezoid narrower at the bottom. The square's centre goes to where the
  // trapezoid's diagonals cross: by symmetry x = 50, on the diagonal y = 1.25 x from (0, 0) to
  // (80, 100), so y = 62.5.
  ProjectiveTransformation t;
  t.SetCorners({0, 0, 100, 100}, {{{0, 0}, {100, 0}, {80, 100}, {20, 100}}});
  const struct {
    FloatPoint from, to;
  } cases[] = {{{0, 0}, {0, 0}},
               {{100, 0}, {100, 0}},
               {{100, 100}, {80, 100}},
               {{0, 100}, {20, 100}},
               {{50, 50}, {50, 62.5}}};
  for (const auto& c : cases) {
    const FloatPoint p = t.Transform(c.from);
    EXPECT_NEAR(p.x, c.to.x, 1e-9) << c.from.x << "," << c.from.y;
    EXPECT_NEAR(p.y, c.to.y, 1e-9) << c.from.x << "," << c.from.y;
    FloatPoint back;
    ASSERT_TRUE(t.ReverseTransform(c.to, back));
    EXPECT_NEAR(back.x, c.from.x, 1e-9);
    EXPECT_NEAR(back.y, c.from.y, 1e-9);
  }
  // The top edge stays a line at y = 0, and the bottom edge is cut to 20..80.
  Bitmap32 src(100, 100, 0xFF00FF00);
  Bitmap32 dst(100, 101, 0xFF000000);
  src.set_draw_mode(DrawMode::kOpaque);
  Transform(dst, src, t);
  EXPECT_EQ(dst.Pixel(0, 0), 0xFF00FF00u);
  EXPECT_EQ(dst.Pixel(99, 0), 0xFF00FF00u);
  EXPECT_EQ(dst.Pixel(5, 98), 0xFF000000u);
  EXPECT_EQ(dst.Pixel(50, 98), 0xFF00FF00u);
  EXPECT_EQ(dst.Pixel(95, 98), 0xFF000000u);
}

TEST(PreviewSource, FitsTheAreaLessFifty) {
  const struct {
    int w, h;
    PixelSize expected;
  } cases[] = {
      {1000, 200, {478, 96}},    // wide: 478 / 5 = 95.6
      {6000, 4000, {394, 263}},  // tall for the area: 263 x 1.5 = 394.5, halves to even
      {528, 313, {478, 283}},   {1, 600, {1, 263}},  // 263 / 600 rounds to 0; kept at one pixel
      {0, 0, {0, 0}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PreviewSourceSize(c.w, c.h, 528, 313), c.expected) << c.w << "x" << c.h;
  }
}

TEST(CornerDragTest, GrabsACornerWithinTwoPixelsElseAllFour) {
  CornerDrag drag;
  drag.Reset(100, 50);
  EXPECT_EQ(drag.corners(), (Corners{{{0, 0}, {99, 0}, {99, 49}, {0, 49}}}));
  const struct {
    int x, y, grabbed;
  } presses[] = {{1, 2, 0},
                 {101, 0, 1},
                 {97, 51, 2},
                 {-2, 47, 3},
                 {102, 0, CornerDrag::kAll},
                 {50, 20, CornerDrag::kAll}};
  for (const auto& p : presses) {
    drag.Press(p.x, p.y);
    EXPECT_EQ(drag.grabbed(), p.grabbed) << p.x << "," << p.y;
    drag.Release();
  }
  drag.Press(99, 0);
  EXPECT_TRUE(drag.Move(119, 3));
  EXPECT_TRUE(drag.Move(139, 0));
  EXPECT_FALSE(drag.Move(139, 0));
  drag.Release();
  EXPECT_FALSE(drag.Move(0, 0)) << "nothing held after the release";
  EXPECT_EQ(drag.corners(), (Corners{{{0, 0}, {139, 0}, {99, 49}, {0, 49}}}));
  drag.Press(50, 20);
  drag.Move(45, 30);
  EXPECT_EQ(drag.corners(), (Corners{{{-5, 10}, {134, 10}, {94, 59}, {-5, 59}}}));
}

TEST(PreviewPicture, ChequerOutlineAndHandles) {
  Bitmap32 view(64, 48);
  DrawChequer(view);
  EXPECT_EQ(view.Pixel(0, 0), 0xFF7F7F7Fu);
  EXPECT_EQ(view.Pixel(16, 0), 0xFFFFFFFFu);
  EXPECT_EQ(view.Pixel(15, 16), 0xFFFFFFFFu);
  EXPECT_EQ(view.Pixel(31, 31), 0xFF7F7F7Fu);

  const Corners c{{{10, 10}, {50, 10}, {50, 40}, {10, 40}}};
  Bitmap32 a = view, b = view;
  DrawCornerOutline(a, c, 0);
  // The handle at (50, 40): a black frame from (47, 37) to (52, 42), white inside.
  EXPECT_EQ(a.Pixel(47, 37), 0xFF000000u);
  EXPECT_EQ(a.Pixel(52, 42), 0xFF000000u);
  EXPECT_EQ(a.Pixel(48, 38), 0xFFFFFFFFu);
  EXPECT_EQ(a.Pixel(51, 41), 0xFFFFFFFFu);
  EXPECT_EQ(a.Pixel(53, 43), view.Pixel(53, 43));
  // The top edge is dashed two black, two white a step; half a step a pixel: four pixels each.
  std::set<Color32> top;
  for (int x = 14; x < 46; ++x) top.insert(a.Pixel(x, 10));
  EXPECT_EQ(top, (std::set<Color32>{0xFF000000u, 0xFFFFFFFFu}));
  // A smaller offset moves the dashes along the outline: by one step, two pixels.
  DrawCornerOutline(b, c, -1);
  for (int x = 16; x < 46; ++x) EXPECT_EQ(b.Pixel(x, 10), a.Pixel(x - 2, 10)) << x;
}

// A full-size picture 1000 x 200 (preview 478 x 96, r = 1000 / 478): green with a black
// column at the left.
Bitmap32 WidePicture() {
  Bitmap32 b(1000, 200, 0xFF00C000);
  for (int y = 0; y < 200; ++y) b.SetPixel(0, y, 0xFF000000);
  return b;
}

TEST(CorrectedPicture, UnchangedCornersGiveTheCornerSpanTimesR) {
  const Bitmap32 full = WidePicture();
  const double r = PreviewRatio(1000, 478);
  const Corners c = ResetCorners(478, 96);
  // 477 x r = 997.9, 95 x r = 198.7
  EXPECT_EQ(CorrectedSize(c, r), (PixelSize{998, 199}));
  const Bitmap32 out = CorrectPerspective(full, c, r, true, 0xFFFF0000);
  ASSERT_EQ(out.width(), 998);
  ASSERT_EQ(out.height(), 199);
  EXPECT_EQ(out.Pixel(500, 100), 0xFF00C000u);
  // The picture's border was made transparent: the background shows at the edge.
  const Color32 edge = out.Pixel(500, 0);
  EXPECT_GT(RedOf(edge), 0u);
  EXPECT_EQ(AlphaOf(edge), 255u);
  EXPECT_EQ(PreviewRatio(0, 478), 0);
  EXPECT_TRUE(CorrectPerspective(full, c, 0, true, 0xFFFF0000).empty());
}

TEST(CorrectedPicture, DraggedCornerWidensTheResultAndLeavesTheBackground) {
  const Bitmap32 full = WidePicture();
  const double r = PreviewRatio(1000, 478);
  Corners c = ResetCorners(478, 96);
  c[1].x += 40;  // top-right corner 40 preview pixels to the right
  // 517 x r = 1081.6: round(40 r) = 84 wider than 998.
  EXPECT_EQ(CorrectedSize(c, r), (PixelSize{1082, 199}));
  // (1070, 190) is right of the edge from the moved corner down to the bottom-right one.
  const Bitmap32 card = CorrectPerspective(full, c, r, true, 0xFFFF0000);
  EXPECT_EQ(card.Pixel(1070, 190), 0xFFFF0000u);
  EXPECT_EQ(card.Pixel(1070, 5), 0xFF00C000u);
  const Bitmap32 layer = CorrectPerspective(full, c, r, true, std::nullopt);
  EXPECT_EQ(layer.Pixel(1070, 190), 0x00FFFFFFu);
  EXPECT_EQ(layer.Pixel(1070, 5), 0xFF00C000u);
}

TEST(CorrectedPicture, SoftLayerPixelsKeepTheirColourAndAlpha) {
  // Blending onto transparent white would pale this pixel and halve its alpha again.
  Bitmap32 soft(40, 40, 0x80204080);
  const Corners c = ResetCorners(40, 40);
  const Bitmap32 out = CorrectPerspective(soft, c, 1.0, false, std::nullopt);
  EXPECT_EQ(out.Pixel(20, 20), 0x80204080u);
}

TEST(CorrectedPicture, CrossedCornersFollowTheBoxRule) {
  // Corner 0 dragged right of corners 1 and 2: left = min(X0, X3) = 0, width = |0 - 99|.
  const Corners c{{{150, 0}, {99, 0}, {99, 49}, {0, 49}}};
  const CornerBox box = BoundingBoxOf(c);
  EXPECT_EQ(box.left, 0);
  EXPECT_EQ(box.width, 99);
  EXPECT_EQ(box.top, 0);
  EXPECT_EQ(box.height, 49);
}

TEST(CorrectedPicture, NearestKeepsTheSourceColoursAndBilinearMixesThem) {
  // Columns alternating black and white, stretched to one and a half times their width.
  Bitmap32 stripes(20, 10);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 20; ++x) stripes.SetPixel(x, y, x % 2 ? 0xFFFFFFFF : 0xFF000000);
  const Corners c{{{0, 0}, {30, 0}, {30, 10}, {0, 10}}};
  for (bool interpolate : {false, true}) {
    const Bitmap32 out = CorrectPerspective(stripes, c, 1.0, interpolate, 0xFFFF0000);
    std::set<Color32> colours;
    for (int x = 3; x < 27; ++x) colours.insert(out.Pixel(x, 5));
    if (interpolate) {
      EXPECT_GT(colours.size(), 2u);
    } else {
      EXPECT_EQ(colours, (std::set<Color32>{0xFF000000u, 0xFFFFFFFFu}));
    }
  }
}

class PerspectiveDialogTest : public testing::DialogTest {
 protected:
  void SetUp() override {
    doc.NewCanvas(1000, 200, 0xFF00C000);
    dialog = std::make_unique<PerspectiveDialog>(doc);
  }
  CardDocument doc;
  std::unique_ptr<PerspectiveDialog> dialog;
};

TEST_F(PerspectiveDialogTest, OkOnTheCardRecordsACanvasStepAndResizesIt) {
  dialog->Activate();
  EXPECT_TRUE(dialog->background_enabled());
  EXPECT_EQ(dialog->preview_source().width(), 478);
  EXPECT_EQ(dialog->preview_source().height(), 96);
  dialog->SetBackground(0xFF0000FF);
  dialog->PressAt(478, 1);  // within two pixels of the top-right corner (477, 0)
  dialog->DragTo(518, 1);
  dialog->ReleaseMouse();
  EXPECT_EQ(dialog->corners()[1], (CornerPoint{517, 0}));
  dialog->Ok();
  EXPECT_EQ(doc.base_image().width(), 1082);
  EXPECT_EQ(doc.base_image().height(), 199);
  EXPECT_EQ(doc.base_image().Pixel(1070, 190), 0xFF0000FFu);
  EXPECT_EQ(doc.base_image().draw_mode(), DrawMode::kOpaque) << "settings kept";
  EXPECT_EQ(doc.undo_slot().kind, UndoKind::kCanvas);
  Undo(doc);
  EXPECT_EQ(doc.base_image().width(), 1000);
}

TEST_F(PerspectiveDialogTest, HalfSizeLayerStaysAtHalfSizeAndBecomesTransparentAround) {
  BitmapLayer& layer = doc.AppendBitmapLayer(Bitmap32(1000, 200, 0xFF00C000), {10, 20, 510, 120});
  doc.SelectLayer(&layer);
  dialog->Activate();
  EXPECT_FALSE(dialog->background_enabled());
  dialog->PressAt(477, 0);
  dialog->DragTo(517, 0);
  dialog->Ok();
  ASSERT_EQ(layer.bitmap().width(), 1082);
  EXPECT_EQ(layer.location(), (Location{10, 20, 10 + 541, 20 + 99.5f}));
  EXPECT_EQ(layer.bitmap().Pixel(1070, 190), 0x00FFFFFFu);
  EXPECT_EQ(doc.base_image().width(), 1000) << "the card stays";
  EXPECT_EQ(doc.undo_slot().kind, UndoKind::kGeometry);
  EXPECT_EQ(doc.selected_layer(), &layer);
}

TEST_F(PerspectiveDialogTest, ResultsWithoutPixelsOrBeyondTheLimitsChangeNothing) {
  const Bitmap32 full = doc.base_image();
  // All four corners on one column: the box is 0 wide.
  const Corners flat{{{5, 0}, {5, 0}, {5, 90}, {5, 90}}};
  EXPECT_FALSE(ApplyPerspective(doc, full, 478, flat, true, 0xFFFFFFFF));
  Corners far = ResetCorners(478, 96);
  far[2].x = 100000;  // 100000 x r is beyond the picture limits
  EXPECT_THROW(ApplyPerspective(doc, full, 478, far, true, 0xFFFFFFFF), Error);
  EXPECT_EQ(doc.base_image().width(), 1000);
  EXPECT_TRUE(doc.undo_slot().empty());
}

TEST_F(PerspectiveDialogTest, InterpolationResetAndCancel) {
  Bitmap32& base = doc.MutableBaseImage();
  for (int y = 0; y < 200; ++y)
    for (int x = 0; x < 1000; ++x) base.SetPixel(x, y, (x / 20) % 2 ? 0xFFFFFFFF : 0xFF000000);
  dialog->Activate();
  dialog->PressAt(477, 95);  // the bottom-right corner
  dialog->DragTo(500, 120);
  dialog->ReleaseMouse();
  const Bitmap32 bilinear = dialog->rendered();
  dialog->SetInterpolation(false);
  EXPECT_FALSE(SamePixels(dialog->rendered(), bilinear)) << "the preview re-renders nearest";
  dialog->PressAt(200, 50);  // no corner near: the whole picture moves
  dialog->DragTo(230, 60);
  dialog->ReleaseMouse();
  EXPECT_EQ(dialog->corners()[0], (CornerPoint{30, 10}));
  EXPECT_EQ(dialog->rendered().Pixel(5, 5), 0xFF7F7F7Fu) << "chequer where the picture left";
  dialog->Reset();
  EXPECT_EQ(dialog->corners(), ResetCorners(478, 96));
  dialog->reject();
  EXPECT_EQ(doc.base_image().width(), 1000);
  EXPECT_TRUE(doc.undo_slot().empty());
}

TEST_F(PerspectiveDialogTest, OutlineMovesOnlyWhileShown) {
  dialog->Activate();
  EXPECT_FALSE(dialog->animating());
  dialog->show();
  EXPECT_TRUE(dialog->animating());
  const Bitmap32 rendered = dialog->rendered();
  const Bitmap32 before = dialog->frame();
  for (int i = 0; i < 20; ++i) dialog->AnimateOutline();  // one dash step
  EXPECT_NEAR(dialog->dash_offset(), -1.0, 1e-9);
  EXPECT_FALSE(SamePixels(dialog->frame(), before));
  EXPECT_TRUE(SamePixels(dialog->rendered(), rendered)) << "the picture is not re-rendered";
  dialog->hide();
  EXPECT_FALSE(dialog->animating());
}

}  // namespace
}  // namespace velmora
