#include <gtest/gtest.h>

#include "DocumentFixture.h"
#include "document/CardDocument.h"

namespace velmora {
namespace {

using testing::AddLayer;
using testing::RecordingObserver;

TEST(CardDocument, StartsWithoutCardAndNewCanvasMakesOne) {
  CardDocument doc;
  RecordingObserver obs;
  doc.AddObserver(&obs);
  EXPECT_EQ(doc.modified_mark(), kMarkNoCard);
  EXPECT_FALSE(doc.HasCard());
  doc.NewCanvas(600, 450, 0xFFFFFFFF);
  EXPECT_EQ(doc.base_image().width(), 600);
  EXPECT_EQ(doc.base_image().Pixel(599, 449), 0xFFFFFFFFu);
  EXPECT_EQ(doc.modified_mark(), kMarkChanged);
  EXPECT_EQ(obs.zoom_resets, 1);
  EXPECT_EQ(doc.EntryCount(), 0);
}

TEST(CardDocument, SelectingTwiceChangesNothingTheSecondTime) {
  CardDocument doc;
  doc.NewCanvas(100, 100, 0xFFFFFFFF);
  BitmapLayer& a = AddLayer(doc, 10, 10, {0, 0, 10, 10});
  RecordingObserver obs;
  doc.AddObserver(&obs);
  doc.SelectLayer(&a);
  const int changes = obs.changes;
  ASSERT_EQ(obs.panels.size(), 1u);
  EXPECT_EQ(obs.panels[0], SelectionPanel::kLayerProperties);
  doc.SelectLayer(&a);
  EXPECT_EQ(obs.changes, changes);
  EXPECT_EQ(obs.panels.size(), 1u);
  // The rubber band now counts as the top entry.
  EXPECT_EQ(doc.EntryCount(), 2);
}

TEST(CardDocument, CropFrameAsksForCropPanelAndBitmapForLayerPanel) {
  CardDocument doc;
  doc.NewCanvas(100, 100, 0xFFFFFFFF);
  BitmapLayer& a = AddLayer(doc, 10, 10, {0, 0, 10, 10});
  FrameLayer& crop = doc.CreateFrameLayer({50, 40}, FrameTag::kCrop);
  EXPECT_EQ(crop.location(), (Location{18, 8, 82, 72}));
  RecordingObserver obs;
  doc.AddObserver(&obs);
  doc.SelectLayer(&crop);
  doc.SelectLayer(&a);
  const std::vector<SelectionPanel> expected = {SelectionPanel::kCropCanvas, SelectionPanel::kNone,
                                                SelectionPanel::kLayerProperties};
  EXPECT_EQ(obs.panels, expected);
}

TEST(CardDocument, ResetForgetsRubberBandAndNextSelectionMakesANewOne) {
  CardDocument doc;
  doc.NewCanvas(100, 100, 0xFFFFFFFF);
  doc.SelectLayer(&AddLayer(doc, 10, 10, {0, 0, 10, 10}));
  EXPECT_TRUE(doc.rubber_band_exists());
  doc.ResetDocument();
  EXPECT_FALSE(doc.rubber_band_exists());
  EXPECT_EQ(doc.LayerCount(), 0);
  EXPECT_EQ(doc.selected_layer(), nullptr);
  doc.SelectLayer(&AddLayer(doc, 10, 10, {0, 0, 10, 10}));
  EXPECT_TRUE(doc.rubber_band_exists());
}

TEST(CardDocument, DropFrameLayerFreesOnlyTheLowerOfTwoFrames) {
  CardDocument doc;
  doc.NewCanvas(100, 100, 0xFFFFFFFF);
  AddLayer(doc, 10, 10, {0, 0, 10, 10});
  FrameLayer& lower = doc.CreateFrameLayer({50, 50}, FrameTag::kSelection);
  doc.CreateFrameLayer({50, 50}, FrameTag::kBlankMarker);
  FrameLayer& upper = doc.CreateFrameLayer({50, 50}, FrameTag::kCrop);
  doc.SelectLayer(&upper);
  const uint64_t lower_id = lower.id();
  doc.DropFrameLayer();
  EXPECT_EQ(doc.FindLayer(lower_id), nullptr);
  EXPECT_EQ(doc.LayerCount(), 3);
  EXPECT_EQ(doc.LayerAt(2).tag(), 4);
  EXPECT_EQ(doc.selected_layer(), nullptr);
}

TEST(CardDocument, ComposePictureKeepsOnlyTheInsidePartAndClearsSelection) {
  CardDocument doc;
  doc.NewCanvas(4, 3, 0xFFFFFFFF);
  BitmapLayer& l = AddLayer(doc, 2, 2, {3, 2, 5, 4}, 0xFFFF0000);
  doc.SelectLayer(&l);
  const Bitmap32& p = doc.ComposePicture();
  EXPECT_EQ(doc.selected_layer(), nullptr);
  ASSERT_EQ(p.width(), 4);
  ASSERT_EQ(p.height(), 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x)
      EXPECT_EQ(p.Pixel(x, y), (x == 3 && y == 2) ? 0xFFFF0000u : 0xFFFFFFFFu) << x << "," << y;
}

TEST(CardDocument, ComposedLayerFollowsTheBlendRuleWorkedByHand) {
  // Base 0xFF204060 under a pixel 0x80FF0000 (alpha 128):
  //   red (32 x 128 + 255 x 128 + 128) >> 8 = 144, green (64 x 128 + 128) >> 8 = 32,
  //   blue (96 x 128 + 128) >> 8 = 48, alpha (255 x 128 + 128 x 128 + 128) >> 8 = 192.
  // With opacity 200 the alpha is (128 x 200 + 127) div 255 = 100:
  //   red (32 x 156 + 255 x 100 + 128) >> 8 = 119, green (64 x 156 + 128) >> 8 = 39,
  //   blue (96 x 156 + 128) >> 8 = 59, alpha (255 x 156 + 128 x 100 + 128) >> 8 = 205.
  CardDocument doc;
  doc.NewCanvas(2, 1, 0xFF204060);
  AddLayer(doc, 1, 1, {0, 0, 1, 1}, 0x80FF0000);
  BitmapLayer& faded = AddLayer(doc, 1, 1, {1, 0, 2, 1}, 0x80FF0000);
  faded.MutableBitmap().set_master_alpha(200);
  const Bitmap32& p = doc.ComposePicture();
  EXPECT_EQ(p.Pixel(0, 0), 0xC0902030u);
  EXPECT_EQ(p.Pixel(1, 0), 0xCD77273Bu);
}

TEST(CardDocument, CroppedLayerIsClippedToTheCardInTheViewOnly) {
  CardDocument doc;
  doc.NewCanvas(4, 4, 0xFFFFFFFF);
  BitmapLayer& l = AddLayer(doc, 4, 4, {2, 2, 6, 6}, 0xFF0000FF);
  l.set_cropped(true);
  const Bitmap32& p = doc.ComposePicture();
  EXPECT_EQ(p.Pixel(3, 3), 0xFF0000FFu);
  EXPECT_EQ(p.Pixel(1, 1), 0xFFFFFFFFu);
}

}  // namespace
}  // namespace velmora
