#include <gtest/gtest.h>

#include "EffectTestSupport.h"
#include "effects/AdjustmentPreview.h"
#include "effects/ColorAdjust.h"

namespace velmora::testing {
namespace {

// One grey pixel with half alpha through each order. Channel 100, brightness -200, contrast 200:
// brightness first: 100 + (100 x -200) div 255 = 100 - 78 = 22, then |127 - 22| x 200 div 255
// = 82 below it clamps to 0; contrast first: (27 x 200) div 255 = 21 -> 79, then
// 79 + (79 x -200) div 255 = 79 - 61 = 18.
TEST(AdjustTone, TheReleasedGaugesAdjustmentComesFirst) {
  const struct {
    ToneGauge released;
    uint32_t channel;
  } cases[] = {{ToneGauge::kBrightness, 0}, {ToneGauge::kContrast, 18}};
  for (const auto& c : cases) {
    Bitmap32 b(1, 1, MakeColor32(128, 100, 100, 100));
    AdjustTone(b, c.released, -200, 200);
    EXPECT_EQ(b.Pixel(0, 0), MakeColor32(128, c.channel, c.channel, c.channel));
  }
}

// Red +50 on red 100 and red 0: speed adds 50; quality adds (R x 100) div 255, 39 and 0.
TEST(AdjustBalance, SpeedAddsTheOffsetQualityScalesIt) {
  const struct {
    BalanceMode mode;
    Color32 from_100, from_0;
  } cases[] = {
      {BalanceMode::kSpeed, MakeColor32(255, 150, 7, 9), MakeColor32(255, 50, 7, 9)},
      {BalanceMode::kQuality, MakeColor32(255, 139, 7, 9), MakeColor32(255, 0, 7, 9)},
  };
  for (const auto& c : cases) {
    Bitmap32 b(2, 1);
    b.SetPixel(0, 0, MakeColor32(255, 100, 7, 9));
    b.SetPixel(1, 0, MakeColor32(255, 0, 7, 9));
    AdjustBalance(b, c.mode, 50, 0, 0);
    EXPECT_EQ(b.Pixel(0, 0), c.from_100);
    EXPECT_EQ(b.Pixel(1, 0), c.from_0);
  }
}

struct ChangeCounter : DocumentObserver {
  int changes = 0;
  void OnDocumentChanged() override { ++changes; }
};

class PreviewBackupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    doc.NewCanvas(30, 20, 0xFF336699);
    layer = &doc.AppendBitmapLayer(original, {0, 0, 16, 8});
    layer->MutableBitmap().set_master_alpha(100);
    doc.SelectLayer(layer);
    doc.AddObserver(&observer);
  }
  void TearDown() override { doc.RemoveObserver(&observer); }

  static void Brighten(Bitmap32& b) { AdjustBrightness(b, 100); }

  CardDocument doc;
  const Bitmap32 original = NoiseBitmap(16, 8, 11);  // soft alpha everywhere
  BitmapLayer* layer = nullptr;
  ChangeCounter observer;
};

TEST_F(PreviewBackupTest, PreviewsStartFromTheCopyAndCancelPutsItBackExactly) {
  PreviewBackup backup(doc);
  ASSERT_TRUE(backup.Take());
  Bitmap32 once = original;
  Brighten(once);

  backup.Show(Brighten);
  const uint64_t version = layer->pixels_version();
  backup.Show(Brighten);
  EXPECT_TRUE(SamePixels(layer->bitmap(), once)) << "adjustments must not accumulate";
  EXPECT_GT(layer->pixels_version(), version) << "the view must see every preview";
  EXPECT_EQ(observer.changes, 2);

  backup.Release(false);
  EXPECT_TRUE(SamePixels(layer->bitmap(), original));
  EXPECT_EQ(layer->opacity(), 100) << "the opacity is the command's, not the copy's";
  EXPECT_FALSE(backup.held());
}

TEST_F(PreviewBackupTest, OkKeepsTheLastPreview) {
  PreviewBackup backup(doc);
  ASSERT_TRUE(backup.Take());
  backup.Show(Brighten);
  backup.Release(true);
  Bitmap32 once = original;
  Brighten(once);
  EXPECT_TRUE(SamePixels(layer->bitmap(), once));
  backup.Show(Brighten);  // nothing held any more
  EXPECT_TRUE(SamePixels(layer->bitmap(), once));
}

TEST_F(PreviewBackupTest, WorksOnTheBaseImageWhenNothingIsSelected) {
  doc.SelectLayer(nullptr);
  doc.MutableBaseImage() = NoiseBitmap(30, 20, 12);
  const Bitmap32 base = doc.base_image();
  PreviewBackup backup(doc);
  ASSERT_TRUE(backup.Take());
  backup.Show(Brighten);
  EXPECT_FALSE(SamePixels(doc.base_image(), base));
  EXPECT_TRUE(SamePixels(layer->bitmap(), original));
  backup.Release(false);
  EXPECT_TRUE(SamePixels(doc.base_image(), base));

  doc.SelectLayer(&doc.CreateFrameLayer({5, 5}, FrameTag::kSelection));
  EXPECT_FALSE(backup.Take()) << "a frame is no target";
}

}  // namespace
}  // namespace velmora::testing
