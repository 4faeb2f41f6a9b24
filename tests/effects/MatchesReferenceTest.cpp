// Every routine against its plain implementation (ReferenceEffects.cpp) on pictures of random
// bytes: small, one row, and large enough to be split into row bands across threads.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>

#include "EffectTestSupport.h"
#include "ReferenceEffects.h"
#include "effects/BlurEffects.h"
#include "effects/ColorAdjust.h"
#include "effects/ColorEffects.h"
#include "effects/DistortEffects.h"
#include "effects/NoiseEffects.h"

namespace velmora::testing {
namespace {

struct RoutineCase {
  const char* name;
  std::function<void(Bitmap32&, Random&)> fast;
  std::function<void(Picture24&, Random&)> reference;
};

const RoutineCase kRoutines[] = {
    {"Invert", [](Bitmap32& b, Random&) { InvertColors(b); },
     [](Picture24& p, Random&) { RefInvert(p); }},
    {"Grayscale", [](Bitmap32& b, Random&) { MakeGrayscale(b); },
     [](Picture24& p, Random&) { RefGrayscale(p); }},
    {"ColorizeSepiaHue", [](Bitmap32& b, Random&) { ColorizeBitmap(b, 0xFFC8BF77); },
     [](Picture24& p, Random&) { RefColorize(p, 200, 191, 119); }},
    {"ColorizeBlueish", [](Bitmap32& b, Random&) { ColorizeBitmap(b, 0x001234FF); },
     [](Picture24& p, Random&) { RefColorize(p, 0x12, 0x34, 0xFF); }},
    {"ColorNoise70", [](Bitmap32& b, Random& r) { AddColorNoise(b, 70, r); },
     [](Picture24& p, Random& r) { RefColorNoise(p, 70, r); }},
    {"ColorNoise511", [](Bitmap32& b, Random& r) { AddColorNoise(b, 511, r); },
     [](Picture24& p, Random& r) { RefColorNoise(p, 511, r); }},
    {"MonoNoise70", [](Bitmap32& b, Random& r) { AddMonoNoise(b, 70, r); },
     [](Picture24& p, Random& r) { RefMonoNoise(p, 70, r); }},
    {"MonoNoise3", [](Bitmap32& b, Random& r) { AddMonoNoise(b, 3, r); },
     [](Picture24& p, Random& r) { RefMonoNoise(p, 3, r); }},
    {"Blur1", [](Bitmap32& b, Random&) { SplitBlur(b, 1); },
     [](Picture24& p, Random&) { RefSplitBlur(p, 1); }},
    {"Blur4", [](Bitmap32& b, Random&) { SplitBlur(b, 4); },
     [](Picture24& p, Random&) { RefSplitBlur(p, 4); }},
    {"Blur40", [](Bitmap32& b, Random&) { SplitBlur(b, 40); },
     [](Picture24& p, Random&) { RefSplitBlur(p, 40); }},
    {"Spray7", [](Bitmap32& b, Random& r) { Spray(b, 7, r); },
     [](Picture24& p, Random& r) { RefSpray(p, 7, r); }},
    {"Spray2", [](Bitmap32& b, Random& r) { Spray(b, 2, r); },
     [](Picture24& p, Random& r) { RefSpray(p, 2, r); }},
    {"Mosaic5", [](Bitmap32& b, Random&) { Mosaic(b, 5); },
     [](Picture24& p, Random&) { RefMosaic(p, 5); }},
    {"Mosaic2", [](Bitmap32& b, Random&) { Mosaic(b, 2); },
     [](Picture24& p, Random&) { RefMosaic(p, 2); }},
    {"Wave7Style1", [](Bitmap32& b, Random&) { Wave(b, 7, 20, 1); },
     [](Picture24& p, Random&) { RefWave(p, 7, 20, 1); }},
    {"Wave5Style0", [](Bitmap32& b, Random&) { Wave(b, 5, 20, 0); },
     [](Picture24& p, Random&) { RefWave(p, 5, 20, 0); }},
    {"Wave6Style2", [](Bitmap32& b, Random&) { Wave(b, 6, 3, 2); },
     [](Picture24& p, Random&) { RefWave(p, 6, 3, 2); }},
    {"Wave4OtherStyle", [](Bitmap32& b, Random&) { Wave(b, 4, 20, 7); },
     [](Picture24& p, Random&) { RefWave(p, 4, 20, 7); }},
    {"Brightness70", [](Bitmap32& b, Random&) { AdjustBrightness(b, 70); },
     [](Picture24& p, Random&) { RefBrightness(p, 70); }},
    {"BrightnessMinus200", [](Bitmap32& b, Random&) { AdjustBrightness(b, -200); },
     [](Picture24& p, Random&) { RefBrightness(p, -200); }},
    {"Contrast90", [](Bitmap32& b, Random&) { AdjustContrast(b, 90); },
     [](Picture24& p, Random&) { RefContrast(p, 90); }},
    {"ContrastMinus137", [](Bitmap32& b, Random&) { AdjustContrast(b, -137); },
     [](Picture24& p, Random&) { RefContrast(p, -137); }},
    {"BalanceFast", [](Bitmap32& b, Random&) { BalanceFast(b, 50, -30, 7); },
     [](Picture24& p, Random&) { RefBalanceFast(p, 50, -30, 7); }},
    {"BalanceQuality", [](Bitmap32& b, Random&) { BalanceQuality(b, -41, 25, 50); },
     [](Picture24& p, Random&) { RefBalanceQuality(p, -41, 25, 50); }},
};

struct Size {
  int w, h;
};
const Size kSizes[] = {{37, 23}, {9, 1}, {300, 260}};

class MatchesReference : public ::testing::TestWithParam<std::tuple<int, int>> {};

TEST_P(MatchesReference, SameColoursSameAlphaSameDraws) {
  const RoutineCase& routine = kRoutines[std::get<0>(GetParam())];
  const Size size = kSizes[std::get<1>(GetParam())];
  Bitmap32 b = NoiseBitmap(size.w, size.h, 1000u + size.w);
  const Bitmap32 before = b;
  Picture24 expected = To24(b);
  Random fast_random(0xC0FFEE), reference_random(0xC0FFEE);

  routine.fast(b, fast_random);
  routine.reference(expected, reference_random);

  EXPECT_TRUE(RgbAsAndAlphaOf(b, expected, before));
  EXPECT_EQ(fast_random.seed(), reference_random.seed()) << "a different number of draws";
}

INSTANTIATE_TEST_SUITE_P(AllRoutines, MatchesReference,
                         ::testing::Combine(::testing::Range(0, int(std::size(kRoutines))),
                                            ::testing::Range(0, int(std::size(kSizes)))),
                         [](const ::testing::TestParamInfo<std::tuple<int, int>>& param_info) {
                           const Size s = kSizes[std::get<1>(param_info.param)];
                           return std::string(kRoutines[std::get<0>(param_info.param)].name) + "_" +
                                  std::to_string(s.w) + "x" + std::to_string(s.h);
                         });

}  // namespace
}  // namespace velmora::testing
