#include <gtest/gtest.h>

#include "EffectTestSupport.h"
#include "effects/EffectTable.h"
#include "effects/EffectThumbnails.h"
#include "effects/NoiseEffects.h"
#include "graphics/Draw.h"

namespace velmora::testing {
namespace {

TEST(ThumbnailSize, IsAHundredWideAndProportionallyHigh) {
  const struct {
    int width, height, thumbnail_height;
  } cases[] = {
      {1000, 750, 75},
      {6000, 4000, 67},
      {750, 1000, 133},
      {8, 1, 12},    // 12.5: halves to even
      {8, 3, 38},    // 37.5
      {1000, 4, 1},  // 0.4 would be no picture at all
      {1, 32000, kMaxThumbnailHeight},
  };
  for (const auto& c : cases) {
    const ThumbnailSizeOf size = ThumbnailSize(c.width, c.height);
    EXPECT_EQ(size.width, 100) << c.width << " x " << c.height;
    EXPECT_EQ(size.height, c.thumbnail_height) << c.width << " x " << c.height;
  }
}

TEST(EffectThumbnails, NineOfA1000By750PictureAre100By75) {
  Random random;
  const std::vector<Bitmap32> previews = BuildEffectThumbnails(NoiseBitmap(1000, 750, 3), random);
  ASSERT_EQ(previews.size(), BrowserEffects().size());
  ASSERT_EQ(previews.size(), 9u);
  for (const Bitmap32& p : previews) {
    EXPECT_EQ(p.width(), 100);
    EXPECT_EQ(p.height(), 75);
  }
  EXPECT_TRUE(BuildEffectThumbnails(Bitmap32(), random).empty());
}

// The spray preview is built before the colour noise, the colour noise before the mono noise:
// spray draws three numbers a pixel, colour noise three, mono noise one. So the colour noise
// preview equals the routine run with a generator advanced by spray's draws, and the program's
// generator ends 7 draws a pixel further on.
TEST(EffectThumbnails, DrawFromTheProgramsGeneratorInTheBuildOrder) {
  const Bitmap32 source = NoiseBitmap(300, 60, 4);
  Random random;
  const std::vector<Bitmap32> previews = BuildEffectThumbnails(source, random);
  const uint32_t pixels = 100 * 20;

  Random expected_end;
  for (uint32_t i = 0; i < 7 * pixels; ++i) expected_end.Next(1);
  EXPECT_EQ(random.seed(), expected_end.seed());

  Random after_spray;
  for (uint32_t i = 0; i < 3 * pixels; ++i) after_spray.Next(1);
  Bitmap32 noisy = Resized(source, 100, 20, StretchFilter::kSmoothLinear);
  AddColorNoise(noisy, 70, after_spray);
  for (size_t i = 0; i < noisy.PixelCount(); ++i) noisy.Bits()[i] |= 0xFF000000u;
  size_t color_noise = 0;
  while (BrowserEffects()[color_noise].id != "color-noise") ++color_noise;
  EXPECT_TRUE(SamePixels(previews[color_noise], noisy));
}

}  // namespace
}  // namespace velmora::testing
