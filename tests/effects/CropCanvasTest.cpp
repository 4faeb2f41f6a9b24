#include <gtest/gtest.h>

#include "document/UndoRedo.h"
#include "effects/CropCanvas.h"

namespace velmora {
namespace {

// A 640 x 480 card whose every pixel tells where it is, a layer, and a selected crop frame.
class CropCanvasTest : public ::testing::Test {
 protected:
  static Color32 At(int x, int y) { return 0xFF000000u | (uint32_t(x) << 12) | uint32_t(y); }

  void SetUp() override {
    doc.NewCanvas(640, 480, 0);
    Bitmap32& base = doc.MutableBaseImage();
    for (int y = 0; y < 480; ++y)
      for (int x = 0; x < 640; ++x) base.SetPixel(x, y, At(x, y));
    layer = &doc.AppendBitmapLayer(Bitmap32(10, 10, 0xFF00FF00), {150, 100, 250, 200});
    frame = StartCropCanvas(doc, {320, 240});
    ASSERT_NE(frame, nullptr);
  }

  void FrameAt(const Location& l) { doc.SetLayerLocation(*frame, l); }

  CardDocument doc;
  BitmapLayer* layer = nullptr;
  FrameLayer* frame = nullptr;
};

TEST_F(CropCanvasTest, StartPlacesASelectedSixtyFourPixelFrameOnce) {
  EXPECT_EQ(frame->frame_tag(), FrameTag::kCrop);
  EXPECT_EQ(frame->location(), (Location{288, 208, 352, 272}));
  EXPECT_EQ(doc.selection_panel(), SelectionPanel::kCropCanvas);
  EXPECT_EQ(doc.frame_alpha(), 255);
  // While the section shows, starting again does nothing.
  EXPECT_EQ(StartCropCanvas(doc, {10, 10}), nullptr);
  EXPECT_EQ(doc.LayerCount(), 2);
  // With another layer selected, the old frame is replaced by a new one.
  doc.SelectLayer(layer);
  FrameLayer* second = StartCropCanvas(doc, {100, 100});
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(doc.LayerCount(), 2);
  EXPECT_EQ(doc.selected_layer(), second);
}

TEST_F(CropCanvasTest, CutsTheCardAndMovesTheLayers) {
  FrameAt({100, 50, 300, 250});
  EXPECT_TRUE(ApplyCropCanvas(doc));
  const Bitmap32& base = doc.base_image();
  ASSERT_EQ(base.width(), 200);
  ASSERT_EQ(base.height(), 200);
  EXPECT_EQ(base.Pixel(0, 0), At(100, 50));
  EXPECT_EQ(base.Pixel(199, 199), At(299, 249));
  EXPECT_EQ(layer->location(), (Location{50, 50, 150, 150}));
  EXPECT_TRUE(layer->cropped());
  EXPECT_EQ(doc.LayerCount(), 1) << "the frame is dropped";
  EXPECT_EQ(doc.selected_layer(), nullptr);
  EXPECT_EQ(doc.undo_slot().kind, UndoKind::kCrop);
  EXPECT_EQ(doc.undo_slot().offset_x, 100);
  EXPECT_EQ(doc.undo_slot().offset_y, 50);
}

TEST_F(CropCanvasTest, FrameBeyondTheCardIsLimitedToIt) {
  FrameAt({-20, -10, 100, 90});
  EXPECT_TRUE(ApplyCropCanvas(doc));
  EXPECT_EQ(doc.base_image().width(), 100);
  EXPECT_EQ(doc.base_image().height(), 90);
  EXPECT_EQ(doc.base_image().Pixel(0, 0), At(0, 0));
  EXPECT_EQ(layer->location(), (Location{150, 100, 250, 200}));

  FrameLayer* f = StartCropCanvas(doc, {0, 0});
  doc.SetLayerLocation(*f, {60.4f, 70.6f, 500, 500});
  EXPECT_TRUE(ApplyCropCanvas(doc));
  // Origin (60, 71); |Round(100 - 60.4)| = 40 by |Round(70.6 - 90)| = 19.
  EXPECT_EQ(doc.base_image().width(), 40);
  EXPECT_EQ(doc.base_image().height(), 19);
  EXPECT_EQ(doc.base_image().Pixel(0, 0), At(60, 71));
  EXPECT_EQ(layer->location(), (Location{90, 29, 190, 129}));
}

TEST_F(CropCanvasTest, FrameWhollyOutsideTheCardIsOnlyDropped) {
  for (const Location& outside :
       {Location{700, 10, 764, 74}, Location{-80, 10, -16, 74}, Location{10, 500, 74, 564},
        Location{639.7f, 10, 700, 74}, Location{1e10f, 10, 2e10f, 74}}) {
    CancelCropCanvas(doc);
    FrameLayer* f = StartCropCanvas(doc, {0, 0});
    ASSERT_NE(f, nullptr);
    doc.SetLayerLocation(*f, outside);
    EXPECT_FALSE(ApplyCropCanvas(doc)) << outside.left;
    EXPECT_EQ(doc.LayerCount(), 1) << "frame dropped";
    EXPECT_EQ(doc.base_image().width(), 640);
    EXPECT_EQ(layer->location(), (Location{150, 100, 250, 200}));
    EXPECT_FALSE(layer->cropped());
    EXPECT_TRUE(doc.undo_slot().empty());
  }
}

TEST_F(CropCanvasTest, CancelChangesNothingButTheFrame) {
  RememberEffect(doc);  // an earlier step the cancel must leave alone
  const Bitmap32 before = doc.base_image();
  CancelCropCanvas(doc);
  EXPECT_EQ(doc.LayerCount(), 1);
  EXPECT_EQ(doc.selection_panel(), SelectionPanel::kNone);
  EXPECT_TRUE(SamePixels(doc.base_image(), before));
  EXPECT_EQ(layer->location(), (Location{150, 100, 250, 200}));
  EXPECT_EQ(doc.undo_slot().kind, UndoKind::kEffect);
}

TEST_F(CropCanvasTest, UndoAndRedoMoveTheLayersBackAndForth) {
  FrameAt({100, 50, 300, 250});
  ASSERT_TRUE(ApplyCropCanvas(doc));
  Undo(doc);
  EXPECT_EQ(doc.base_image().width(), 640);
  EXPECT_EQ(doc.base_image().Pixel(5, 7), At(5, 7));
  EXPECT_EQ(layer->location(), (Location{150, 100, 250, 200}));
  Redo(doc);
  EXPECT_EQ(doc.base_image().width(), 200);
  EXPECT_EQ(doc.base_image().Pixel(0, 0), At(100, 50));
  EXPECT_EQ(layer->location(), (Location{50, 50, 150, 150}));
}

TEST_F(CropCanvasTest, RatioSetsTheBottomFromTheWidth) {
  const struct {
    int ratio;
    bool portrait;
    float width, bottom;
  } cases[] = {
      {3, false, 178, 110},   // Movie 16 : 9: 178 / 1.778 = 100.1
      {3, true, 178, 326},    // 178 / 0.5624 = 316.48
      {4, true, 200, 310},    // Photo 10 x 15, portrait: 200 / (2 / 3) = 300
      {1, false, 64.5f, 74},  // Image 1:1: Round(64.5) = 64, halves to even
  };
  for (const auto& c : cases) {
    FrameAt({20, 10, 20 + c.width, 30});
    FitCropToRatio(doc, c.ratio, c.portrait);
    EXPECT_EQ(frame->location(), (Location{20, 10, 20 + c.width, c.bottom})) << c.ratio;
  }
  FrameAt({20, 10, 198, 33});
  FitCropToRatio(doc, 0, true);  // "Free"
  EXPECT_EQ(frame->location(), (Location{20, 10, 198, 33}));
  // Without a selected crop frame the list does nothing.
  doc.SelectLayer(layer);
  FitCropToRatio(doc, 1, false);
  EXPECT_EQ(layer->location(), (Location{150, 100, 250, 200}));
  EXPECT_EQ(CropRatioOf(6, false), 0);
  EXPECT_EQ(CropRatioOf(-1, false), 0);
}

}  // namespace
}  // namespace velmora
