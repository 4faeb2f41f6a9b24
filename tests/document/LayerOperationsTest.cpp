#include <gtest/gtest.h>

#include "DocumentFixture.h"
#include "document/LayerOperations.h"
#include "document/ResizeRule.h"
#include "document/UndoRedo.h"
#include "graphics/Error.h"

namespace velmora {
namespace {

using testing::AddLayer;

class LayerOps : public ::testing::Test {
 protected:
  void SetUp() override { doc.NewCanvas(800, 600, 0xFFFFFFFF); }
  CardDocument doc;
};

TEST_F(LayerOps, PhotoPlacementFitsTallPhotosAndCentresOnThePoint) {
  const struct {
    int w, h;
    FloatPoint centre;
    Location expected;
  } cases[] = {
      // Taller than the card: 90 % of 600 = 540 high, width round(800 / 1000 x 540) = 432.
      {800, 1000, {400, 300}, {184, 30, 616, 570}},
      // Wider but not taller: own size.
      {2000, 300, {400, 300}, {-600, 150, 1400, 450}},
      // Centred on a scrolled view's centre; odd sizes give half pixels.
      {101, 51, {1000, 20}, {949.5f, -5.5f, 1050.5f, 45.5f}},
  };
  for (const auto& c : cases) {
    BitmapLayer& l = AddPhotoLayer(doc, Bitmap32(c.w, c.h, 0x10203040), c.centre);
    EXPECT_EQ(l.location(), c.expected) << c.w << "x" << c.h;
    EXPECT_EQ(doc.selected_layer(), &l);
    EXPECT_EQ(l.bitmap().Pixel(0, 0), 0xFF203040u);  // made opaque
    EXPECT_EQ(l.bitmap().stretch_filter(), StretchFilter::kLinear);
    EXPECT_EQ(l.bitmap().draw_mode(), DrawMode::kBlend);
  }
}

TEST_F(LayerOps, UnreadablePhotoLeavesTheDocumentAsItWas) {
  FrameLayer& frame = doc.CreateFrameLayer({10, 10}, FrameTag::kSelection);
  doc.SelectLayer(&frame);
  EXPECT_THROW(AddPhotoLayerFromFile(doc, "/nonexistent/photo.jpg", {0, 0}), Error);
  EXPECT_EQ(doc.LayerCount(), 1);
  EXPECT_EQ(doc.selected_layer(), &frame);
}

TEST_F(LayerOps, ClickRulesFreeTheFirstFrameUnlessAFrameIsClicked) {
  BitmapLayer& photo = AddLayer(doc, 10, 10, {0, 0, 10, 10});
  FrameLayer& frame = doc.CreateFrameLayer({100, 100}, FrameTag::kSelection);
  ClickLayer(doc, &frame);
  EXPECT_EQ(doc.LayerCount(), 2);
  EXPECT_EQ(doc.selected_layer(), &frame);
  ClickLayer(doc, &photo);
  EXPECT_EQ(doc.LayerCount(), 1);
  EXPECT_EQ(doc.selected_layer(), &photo);

  doc.CreateFrameLayer({100, 100}, FrameTag::kCrop);
  ClickLayer(doc, nullptr);
  EXPECT_EQ(doc.LayerCount(), 1);
  EXPECT_EQ(doc.selected_layer(), nullptr);

  // Hit testing finds the top-most layer under the point.
  BitmapLayer& above = AddLayer(doc, 5, 5, {5, 5, 10, 10});
  EXPECT_EQ(LayerAt(doc, {7, 7}), &above);
  EXPECT_EQ(LayerAt(doc, {2, 2}), &photo);
  EXPECT_EQ(LayerAt(doc, {50, 50}), nullptr);
}

TEST_F(LayerOps, DuplicateShiftsByThirtyAndFramesBecomeBlankMarkers) {
  BitmapLayer& l = AddLayer(doc, 100, 50, {10, 10, 110, 60}, 0x80112233);
  l.MutableBitmap().set_master_alpha(90);
  l.set_cropped(true);
  doc.SelectLayer(&l);
  DuplicateSelected(doc);
  const BitmapLayer* copy = doc.selected_layer()->AsBitmap();
  ASSERT_NE(copy, nullptr);
  EXPECT_NE(copy, &l);
  EXPECT_EQ(copy->location(), (Location{40, 40, 140, 90}));
  EXPECT_EQ(copy->opacity(), 90);
  EXPECT_FALSE(copy->cropped());
  EXPECT_TRUE(SamePixels(copy->bitmap(), l.bitmap()));

  FrameLayer& frame = doc.CreateFrameLayer({100, 100}, FrameTag::kSelection);
  doc.SelectLayer(&frame);
  DuplicateSelected(doc);
  EXPECT_EQ(doc.selected_layer()->tag(), 2);
  EXPECT_EQ(doc.selected_layer()->location(), (Location{98, 98, 162, 162}));
}

TEST_F(LayerOps, DeleteEmptiesOnlyTheStepOfTheDeletedLayer) {
  BitmapLayer& low = AddLayer(doc, 4, 4, {0, 0, 4, 4});
  BitmapLayer& high = AddLayer(doc, 4, 4, {0, 0, 4, 4});
  // An effect step of the upper layer survives deleting the lower one and still restores the
  // same layer, now at index 0.
  doc.SelectLayer(&high);
  RememberEffect(doc);
  high.MutableBitmap().Clear(0xFF00FF00);
  doc.SelectLayer(&low);
  DeleteSelected(doc);
  ASSERT_TRUE(doc.CanUndo());
  Undo(doc);
  EXPECT_EQ(doc.LayerAt(0).AsBitmap()->bitmap().Pixel(0, 0), 0xFFFF0000u);
  // Deleting the layer a step belongs to disables Undo.
  doc.SelectLayer(&high);
  RememberEffect(doc);
  DeleteSelected(doc);
  EXPECT_FALSE(doc.CanUndo());
  // A step of the base image survives any deletion.
  BitmapLayer& other = AddLayer(doc, 4, 4, {0, 0, 4, 4});
  RememberEffect(doc);
  doc.SelectLayer(&other);
  DeleteSelected(doc);
  EXPECT_TRUE(doc.CanUndo());
}

TEST_F(LayerOps, ReorderClampsAndNeverPassesTheRubberBand) {
  BitmapLayer& a = AddLayer(doc, 4, 4, {0, 0, 4, 4});
  BitmapLayer& b = AddLayer(doc, 4, 4, {0, 0, 4, 4});
  BitmapLayer& c = AddLayer(doc, 4, 4, {0, 0, 4, 4});
  const struct {
    BitmapLayer* layer;
    int command;
    int expected_index;
  } steps[] = {
      {&c, 1, 2},  // Bring to Front on the top layer: unchanged
      {&c, 3, 2},  // One Level Up on the top layer: stays below the band
      {&a, 4, 0},  // One Level Down at the bottom: unchanged
      {&a, 1, 2},  // to the top
      {&a, 2, 0},  // to the bottom
      {&a, 3, 1},  // one up
      {&b, 9, 0},  // unknown command: nothing
  };
  for (const auto& s : steps) {
    doc.SelectLayer(s.layer);
    ReorderSelected(doc, s.command);
    EXPECT_EQ(doc.IndexOf(s.layer), s.expected_index) << s.command;
  }
}

TEST_F(LayerOps, FlattenDrawsLayersIntoTheBaseAndForgetsThem) {
  AddLayer(doc, 2, 2, {0, 0, 2, 2}, 0xFF0000FF);
  doc.SelectLayer(&AddLayer(doc, 2, 2, {1, 1, 3, 3}, 0xFF00FF00));
  doc.CreateFrameLayer({5, 5}, FrameTag::kSelection);
  FlattenLayers(doc);
  EXPECT_EQ(doc.LayerCount(), 0);
  EXPECT_FALSE(doc.rubber_band_exists());
  EXPECT_EQ(doc.base_image().Pixel(0, 0), 0xFF0000FFu);
  EXPECT_EQ(doc.base_image().Pixel(2, 2), 0xFF00FF00u);
  EXPECT_EQ(doc.base_image().Pixel(3, 3), 0xFFFFFFFFu);
  EXPECT_EQ(doc.base_image().draw_mode(), DrawMode::kOpaque);
  // With no layers it changes no pixel.
  const Bitmap32 before = doc.base_image();
  FlattenLayers(doc);
  EXPECT_TRUE(SamePixels(before, doc.base_image()));
}

TEST_F(LayerOps, PanelControlsAndRescale) {
  BitmapLayer& l = AddLayer(doc, 4, 2, {10, 10, 18.4f, 13.6f}, 0xFF336699);
  doc.SelectLayer(&l);
  doc.set_modified_mark(kMarkUnchanged);
  SetSelectedOpacity(doc, 128);
  EXPECT_EQ(l.opacity(), 128);
  EXPECT_EQ(doc.modified_mark(), kMarkChanged);
  SetSelectedInterpolation(doc, false);
  EXPECT_EQ(l.bitmap().stretch_filter(), StretchFilter::kNearest);
  SetPictureInterpolation(doc, true);
  EXPECT_EQ(l.bitmap().stretch_filter(), StretchFilter::kLinear);
  EXPECT_EQ(doc.base_image().stretch_filter(), StretchFilter::kLinear);
  // Rescale: location rounded to (10, 10, 18, 14), so the pixels become 8 x 4 at 1:1.
  LayerRescaleClick(doc);
  EXPECT_EQ(l.bitmap().width(), 8);
  EXPECT_EQ(l.bitmap().height(), 4);
  EXPECT_EQ(l.location(), (Location{10, 10, 18, 14}));
  EXPECT_EQ(l.bitmap().Pixel(7, 3), 0xFF336699u);
  // Reset scale after the layer was stretched on the card.
  doc.SetLayerLocation(l, {5, 6, 100, 200});
  LayerResetScaleClick(doc);
  EXPECT_EQ(l.location(), (Location{5, 6, 13, 10}));
}

TEST_F(LayerOps, ResizeRuleHandExamples) {
  BitmapLayer& l = AddLayer(doc, 200, 100, {0, 0, 100, 20});
  doc.SelectLayer(&l);
  ResizeContext keep;
  // Keep Proportions: widened to 300, the bitmap's 2:1 makes it 150 high.
  FloatRect r{0, 0, 300, 40};
  EXPECT_FALSE(ApplyResizeRule(doc, keep, {0, 0, 100, 20}, r, DragHandle::kRight));
  EXPECT_EQ(r, (FloatRect{0, 0, 300, 150}));
  // Dragging only the bottom edge changes nothing.
  r = {0, 0, 100, 80};
  ApplyResizeRule(doc, keep, {0, 0, 100, 50}, r, DragHandle::kBottom);
  EXPECT_EQ(r, (FloatRect{0, 0, 100, 50}));
  // A move is left alone.
  r = {7, 7, 99, 99};
  ApplyResizeRule(doc, keep, {0, 0, 100, 50}, r, DragHandle::kBody);
  EXPECT_EQ(r, (FloatRect{7, 7, 99, 99}));

  ResizeContext ctrl;
  ctrl.ctrl = true;
  ctrl.keep_proportions = false;
  r = {0, 0, 120, 20};  // the right handle dragged 20 pixels
  ApplyResizeRule(doc, ctrl, {0, 0, 100, 20}, r, DragHandle::kRight);
  EXPECT_EQ(r, (FloatRect{-20, 0, 120, 20}));
  r = {0, 0, 1, 20};  // shrunk far below 4: stops at 4 around the centre
  ApplyResizeRule(doc, ctrl, {0, 0, 100, 20}, r, DragHandle::kRight);
  EXPECT_EQ(r, (FloatRect{48, 0, 52, 20}));
  r = {30, 5, 100, 20};  // top-left handle: both left and top rules
  ApplyResizeRule(doc, ctrl, {0, 0, 100, 20}, r, DragHandle::kTopLeft);
  EXPECT_EQ(r, (FloatRect{30, 5, 70, 15}));
}

TEST_F(LayerOps, CropFrameRatioAndStatusText) {
  FrameLayer& crop = doc.CreateFrameLayer({100, 100}, FrameTag::kCrop);
  doc.SetLayerLocation(crop, {0, 0, 178.4f, 100.5f});
  doc.SelectLayer(&crop);
  ResizeContext ctx;
  ctx.crop_ratio = 4;  // "Photo 10 x 15"
  ctx.portrait = true;
  FloatRect r{0, 0, 200, 50};
  const auto status = ApplyResizeRule(doc, ctx, {0, 0, 178.4, 100.5}, r, DragHandle::kRight);
  EXPECT_EQ(r.bottom, 300);  // 200 / 0.6666666666666666 rounded
  ASSERT_TRUE(status);
  EXPECT_EQ(*status, "178x100");  // |round(-178.4)| and round(100.5), halves to even
  ctx.portrait = false;
  ctx.crop_ratio = 3;  // "Movie 16 : 9": 178 / 1.778 = 100.11
  r = {0, 0, 178, 10};
  ApplyResizeRule(doc, ctx, {0, 0, 178, 10}, r, DragHandle::kRight);
  EXPECT_EQ(r.bottom, 100);
  ctx.crop_ratio = 0;  // "Free"
  r = {0, 0, 178, 10};
  ApplyResizeRule(doc, ctx, {0, 0, 178, 10}, r, DragHandle::kRight);
  EXPECT_EQ(r.bottom, 10);
  EXPECT_EQ(CropRatios()[2].text, "Golden Mean");
}

}  // namespace
}  // namespace velmora
