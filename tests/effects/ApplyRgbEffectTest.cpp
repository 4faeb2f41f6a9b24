#include <gtest/gtest.h>

#include "EffectTestSupport.h"
#include "effects/ApplyRgbEffect.h"
#include "graphics/Error.h"

namespace velmora::testing {
namespace {

// A routine without regard for alpha: every pixel becomes 0x00123456, alpha byte included.
void Overwrite(Bitmap32& picture) { picture.Clear(0x00123456); }

TEST(ApplyRgbEffect, LayerKeepsItsAlphaWhateverTheRoutineDoes) {
  Bitmap32 layer = NoiseBitmap(40, 30, 21);
  const Bitmap32 before = layer;
  ApplyRgbEffect(layer, TargetKind::kLayer, Overwrite);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x)
      ASSERT_EQ(layer.Pixel(x, y), (before.Pixel(x, y) & 0xFF000000u) | 0x123456u) << x << "," << y;
}

TEST(ApplyRgbEffect, BaseImageIsOpaqueAfterwards) {
  Bitmap32 base = NoiseBitmap(40, 30, 22);
  ApplyRgbEffect(base, TargetKind::kBaseImage, Overwrite);
  EXPECT_TRUE(SamePixels(base, Bitmap32(40, 30, 0xFF123456)));
}

TEST(ApplyRgbEffect, LayerAlphaIsBackWhenTheRoutineFails) {
  Bitmap32 layer = NoiseBitmap(10, 10, 23);
  const Bitmap32 before = layer;
  EXPECT_THROW(ApplyRgbEffect(layer, TargetKind::kLayer,
                              [](Bitmap32& picture) {
                                Overwrite(picture);
                                throw Error("out of paper");
                              }),
               Error);
  EXPECT_TRUE(SameAlpha(layer, before));
}

// The saved alpha no longer fits: reported, not written past the picture.
TEST(ApplyRgbEffect, RoutineThatResizesALayerIsReported) {
  Bitmap32 layer = NoiseBitmap(10, 10, 24);
  EXPECT_THROW(ApplyRgbEffect(layer, TargetKind::kLayer, [](Bitmap32& p) { p.SetSize(30, 30); }),
               Error);
}

TEST(ApplyRgbEffect, EmptyTargetIsLeftAlone) {
  Bitmap32 empty;
  bool ran = false;
  ApplyRgbEffect(empty, TargetKind::kBaseImage, [&](Bitmap32&) { ran = true; });
  EXPECT_FALSE(ran);
  EXPECT_TRUE(empty.empty());
}

}  // namespace
}  // namespace velmora::testing
