#include <gtest/gtest.h>

#include <functional>

#include "EffectTestSupport.h"
#include "effects/DistortEffects.h"
#include "effects/NoiseEffects.h"

namespace velmora::testing {
namespace {

// The seed after n draws, drawn one by one.
uint32_t SeedAfterDraws(uint32_t seed, int n) {
  Random r(seed);
  for (int i = 0; i < n; ++i) r.Next(1);
  return r.seed();
}

TEST(Noise, AmountOneOrLessChangesNothingButStillDraws) {
  const struct {
    const char* name;
    std::function<void(Bitmap32&, Random&)> noise;
    int draws_per_pixel;
  } cases[] = {
      {"color 1", [](Bitmap32& b, Random& r) { AddColorNoise(b, 1, r); }, 3},
      {"color 0", [](Bitmap32& b, Random& r) { AddColorNoise(b, 0, r); }, 3},
      {"mono 1", [](Bitmap32& b, Random& r) { AddMonoNoise(b, 1, r); }, 1},
      {"mono -5", [](Bitmap32& b, Random& r) { AddMonoNoise(b, -5, r); }, 1},
  };
  for (const auto& c : cases) {
    Bitmap32 b = NoiseBitmap(13, 6, 3);
    const Bitmap32 before = b;
    Random random(99);
    c.noise(b, random);
    EXPECT_TRUE(SamePixels(b, before)) << c.name;
    EXPECT_EQ(random.seed(), SeedAfterDraws(99, 13 * 6 * c.draws_per_pixel)) << c.name;
  }
}

TEST(Noise, TwoFreshGeneratorsGiveTheSamePicture) {
  const struct {
    const char* name;
    std::function<void(Bitmap32&, Random&)> effect;
  } cases[] = {
      {"color noise", [](Bitmap32& b, Random& r) { AddColorNoise(b, 70, r); }},
      {"mono noise", [](Bitmap32& b, Random& r) { AddMonoNoise(b, 70, r); }},
      {"spray", [](Bitmap32& b, Random& r) { Spray(b, 7, r); }},
  };
  const Bitmap32 picture = NoiseBitmap(120, 90, 11);
  for (const auto& c : cases) {
    Bitmap32 first = picture, second = picture;
    Random run1, run2;
    c.effect(first, run1);
    c.effect(second, run2);
    EXPECT_TRUE(SamePixels(first, second)) << c.name;
    EXPECT_FALSE(SamePixels(first, picture)) << c.name << " changed nothing";
  }
}

TEST(Noise, EmptyPictureDrawsNothing) {
  Bitmap32 empty;
  Random random(5);
  AddColorNoise(empty, 70, random);
  AddMonoNoise(empty, 70, random);
  EXPECT_EQ(random.seed(), 5u);
}

}  // namespace
}  // namespace velmora::testing
