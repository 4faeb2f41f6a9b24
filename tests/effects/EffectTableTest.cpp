#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "EffectTestSupport.h"
#include "effects/BlurEffects.h"
#include "effects/ColorAdjust.h"
#include "effects/ColorEffects.h"
#include "effects/Colorize.h"
#include "effects/DistortEffects.h"
#include "effects/EffectTable.h"
#include "effects/NoiseEffects.h"
#include "graphics/Error.h"
#include "graphics/PixelFilters.h"

namespace velmora::testing {
namespace {

using Routine = std::function<void(Bitmap32&, Random&)>;

// Through ApplyRgbEffect, as the 24-bit routines reach a target.
Routine ViaRgb(std::function<void(Bitmap32&, Random&)> routine, TargetKind kind) {
  return [routine, kind](Bitmap32& b, Random& r) {
    ApplyRgbEffect(b, kind, [&](Bitmap32& picture) { routine(picture, r); });
  };
}

// What running an effect must amount to, from the browser's table of effects.
struct ExpectedEntry {
  const char* id;
  const char* title;
  EffectParams apply, thumbnail;
  std::function<void(Bitmap32&, Random&, const EffectParams&)> direct;
  bool through_rgb;
};

const ExpectedEntry kBrowser[] = {
    {"blur",
     "Blur",
     {1},
     {1},
     [](Bitmap32& b, Random&, const EffectParams& p) { SplitBlur(b, p[0]); },
     true},
    {"color-noise",
     "Color Noise",
     {70},
     {70},
     [](Bitmap32& b, Random& r, const EffectParams& p) { AddColorNoise(b, p[0], r); },
     true},
    {"contrast",
     "Contrast",
     {90},
     {90},
     [](Bitmap32& b, Random&, const EffectParams& p) { AdjustContrast(b, p[0]); },
     false},
    {"grayscale",
     "Grayscale",
     {},
     {},
     [](Bitmap32& b, Random&, const EffectParams&) { MakeGrayscale(b); },
     true},
    {"invert",
     "Invert",
     {},
     {},
     [](Bitmap32& b, Random&, const EffectParams&) { InvertColors(b); },
     false},
    {"mono-noise",
     "Mono Noise",
     {70},
     {70},
     [](Bitmap32& b, Random& r, const EffectParams& p) { AddMonoNoise(b, p[0], r); },
     true},
    {"mosaic",
     "Mosaic",
     {5},
     {5},
     [](Bitmap32& b, Random&, const EffectParams& p) { Mosaic(b, p[0]); },
     true},
    {"spray",
     "Spray",
     {7},
     {7},
     [](Bitmap32& b, Random& r, const EffectParams& p) { Spray(b, p[0], r); },
     true},
    {"wave",
     "Wave",
     {27, 20, 1},
     {7, 20, 1},
     [](Bitmap32& b, Random&, const EffectParams& p) { Wave(b, p[0], p[1], p[2]); },
     true},
};

TEST(BrowserEffects, ListOrderTitlesAndParameters) {
  const auto& table = BrowserEffects();
  ASSERT_EQ(table.size(), std::size(kBrowser));
  for (size_t i = 0; i < table.size(); ++i) {
    EXPECT_EQ(table[i].id, kBrowser[i].id) << i;
    EXPECT_EQ(table[i].title, kBrowser[i].title) << i;
    EXPECT_EQ(table[i].apply_params, kBrowser[i].apply) << kBrowser[i].id;
    EXPECT_EQ(table[i].thumbnail_params, kBrowser[i].thumbnail) << kBrowser[i].id;
  }
}

TEST(BrowserEffects, ThumbnailsAreBuiltInTheirOwnOrder) {
  std::vector<std::string> titles;
  for (const EffectEntry* e : ThumbnailBuildOrder()) titles.emplace_back(e->title);
  EXPECT_EQ(titles, (std::vector<std::string>{"Contrast", "Blur", "Spray", "Mosaic", "Color Noise",
                                              "Mono Noise", "Grayscale", "Invert", "Wave"}));
}

// Each entry runs its routine with the given parameters, through ApplyRgbEffect or on the
// 32-bit target directly, on a layer and on the base image.
TEST(BrowserEffects, EntriesRunTheirRoutines) {
  const Bitmap32 picture = NoiseBitmap(60, 100, 31);
  for (size_t i = 0; i < std::size(kBrowser); ++i) {
    const EffectEntry& entry = BrowserEffects()[i];
    const ExpectedEntry& want = kBrowser[i];
    for (const TargetKind kind : {TargetKind::kLayer, TargetKind::kBaseImage}) {
      for (const EffectParams& params : {entry.apply_params, entry.thumbnail_params}) {
        Bitmap32 got = picture, expected = picture;
        Random got_random(4), expected_random(4);
        RunEffect(got, kind, entry.action, params, got_random);
        const Routine direct = [&](Bitmap32& b, Random& r) { want.direct(b, r, params); };
        (want.through_rgb ? ViaRgb(direct, kind) : direct)(expected, expected_random);
        EXPECT_TRUE(SamePixels(got, expected)) << want.id;
        EXPECT_EQ(got_random.seed(), expected_random.seed()) << want.id;
      }
    }
  }
}

// The example steps of the tool with what each must do on a layer.
const struct {
  const char* text;
  Routine expected;
} kGoodSteps[] = {
    {"grayscale", ViaRgb([](Bitmap32& b, Random&) { MakeGrayscale(b); }, TargetKind::kLayer)},
    {"invert", ViaRgb([](Bitmap32& b, Random&) { InvertColors(b); }, TargetKind::kLayer)},
    {"sepia",
     [](Bitmap32& b, Random& r) {
       ViaRgb([](Bitmap32& p, Random&) { ColorizeBitmap(p, MakeColor32(0, 200, 191, 119)); },
              TargetKind::kLayer)(b, r);
       AdjustBrightness(b, 150);
     }},
    {"colorize=C8BF77",
     [](Bitmap32& b, Random& r) {
       ViaRgb([](Bitmap32& p, Random&) { ColorizeBitmap(p, MakeColor32(0, 200, 191, 119)); },
              TargetKind::kLayer)(b, r);
       AdjustBrightness(b, 70);
     }},
    {"colorize=1a2b3c",
     [](Bitmap32& b, Random& r) {
       ViaRgb([](Bitmap32& p, Random&) { ColorizeBitmap(p, MakeColor32(0, 0x1A, 0x2B, 0x3C)); },
              TargetKind::kLayer)(b, r);
       AdjustBrightness(b, 70);
     }},
    {"brightness=70", [](Bitmap32& b, Random&) { AdjustBrightness(b, 70); }},
    {"contrast=-200", [](Bitmap32& b, Random&) { AdjustContrast(b, -200); }},
    {"balance-fast=50,0,-7", [](Bitmap32& b, Random&) { BalanceFast(b, 50, 0, -7); }},
    {"balance-quality=50,-3,0", [](Bitmap32& b, Random&) { BalanceQuality(b, 50, -3, 0); }},
    {"color-noise=70",
     ViaRgb([](Bitmap32& b, Random& r) { AddColorNoise(b, 70, r); }, TargetKind::kLayer)},
    {"mono-noise=70",
     ViaRgb([](Bitmap32& b, Random& r) { AddMonoNoise(b, 70, r); }, TargetKind::kLayer)},
    {"blur=1", ViaRgb([](Bitmap32& b, Random&) { SplitBlur(b, 1); }, TargetKind::kLayer)},
    {"spray=7", ViaRgb([](Bitmap32& b, Random& r) { Spray(b, 7, r); }, TargetKind::kLayer)},
    {"mosaic=5", ViaRgb([](Bitmap32& b, Random&) { Mosaic(b, 5); }, TargetKind::kLayer)},
    {"wave=27,20,1", ViaRgb([](Bitmap32& b, Random&) { Wave(b, 27, 20, 1); }, TargetKind::kLayer)},
    {"wave=7,-3,2", ViaRgb([](Bitmap32& b, Random&) { Wave(b, 7, -3, 2); }, TargetKind::kLayer)},
};

TEST(EffectSteps, GoodStepsRunTheirEffects) {
  const Bitmap32 picture = NoiseBitmap(50, 90, 41);
  for (const auto& step : kGoodSteps) {
    Bitmap32 got = picture, expected = picture;
    Random got_random(8), expected_random(8);
    ApplyEffectStep(ParseEffectStep(step.text), got, TargetKind::kLayer, got_random);
    step.expected(expected, expected_random);
    EXPECT_TRUE(SamePixels(got, expected)) << step.text;
    EXPECT_FALSE(SamePixels(got, picture)) << step.text << " changed nothing";
    EXPECT_EQ(got_random.seed(), expected_random.seed()) << step.text;
  }
}

TEST(EffectSteps, BadStepsAreRefusedWithAMessage) {
  const struct {
    const char* text;
    const char* message;  // the whole message, or its start
  } cases[] = {
      {"blurr=1", "unknown effect step 'blurr'"},
      {"Grayscale", "unknown effect step 'Grayscale'"},
      {"", "unknown effect step ''"},
      {"=5", "unknown effect step ''"},
      {"brightness=abc",
       "bad value 'abc' for effect step 'brightness': expected brightness=AMOUNT "
       "(AMOUNT -255..255)"},
      {"brightness", "bad value '' for effect step 'brightness'"},
      {"brightness=", "bad value '' for effect step 'brightness'"},
      {"brightness=256", "bad value '256' for"},
      {"brightness=70x", "bad value '70x' for"},
      {"brightness= 70", "bad value ' 70' for"},
      {"brightness=+70", "bad value '+70' for"},
      {"brightness=99999999999", "bad value '99999999999' for"},
      {"invert=1", "bad value '1' for effect step 'invert': expected invert"},
      {"sepia=", "bad value '' for effect step 'sepia'"},
      {"colorize=C8BF7",
       "bad value 'C8BF7' for effect step 'colorize': expected colorize=RRGGBB (six hexadecimal "
       "digits)"},
      {"colorize=C8BF77F", "bad value 'C8BF77F' for"},
      {"colorize=-8BF77", "bad value '-8BF77' for"},
      {"colorize=G8BF77", "bad value 'G8BF77' for"},
      {"colorize", "bad value '' for effect step 'colorize'"},
      {"wave=27,20",
       "bad value '27,20' for effect step 'wave': expected wave=AMOUNT,INFERENCE,STYLE (AMOUNT "
       "1..32000, INFERENCE -1000..1000, STYLE 0..2)"},
      {"wave=27,20,1,5", "bad value '27,20,1,5' for"},
      {"wave=0,20,1", "bad value '0,20,1' for"},
      {"wave=27,20,3", "bad value '27,20,3' for"},
      {"balance-fast=50,,0", "bad value '50,,0' for"},
      {"balance-quality=50,0,-256", "bad value '50,0,-256' for"},
      {"color-noise=0", "bad value '0' for"},
      {"mono-noise=512", "bad value '512' for"},
      {"mosaic=0", "bad value '0' for"},
      {"blur=-1", "bad value '-1' for"},
      {"spray=-1", "bad value '-1' for"},
  };
  for (const auto& c : cases) {
    try {
      ParseEffectStep(c.text);
      ADD_FAILURE() << "accepted '" << c.text << "'";
    } catch (const Error& e) {
      EXPECT_EQ(std::string(e.what()).rfind(c.message, 0), 0u)
          << "'" << c.text << "': " << e.what();
    }
  }
}

// Sepia on white: (200, 191, 119) after the colouring, then 200 + 117 and 191 + 112 clamp and
// 119 + (119 x 150) div 255 = 189. Black stays black. Alpha of the layer kept.
TEST(Sepia, WhiteAndBlack) {
  Bitmap32 b(2, 1);
  b.SetPixel(0, 0, 0x80FFFFFF);
  b.SetPixel(1, 0, 0x3F000000);
  Sepia(b, TargetKind::kLayer);
  EXPECT_EQ(b.Pixel(0, 0), MakeColor32(0x80, 255, 255, 189));
  EXPECT_EQ(b.Pixel(1, 0), 0x3F000000u);

  Bitmap32 white(1, 1, 0x80FFFFFF);
  Sepia(white, TargetKind::kBaseImage);
  EXPECT_EQ(white.Pixel(0, 0), MakeColor32(255, 255, 255, 189));
}

// Every effect of both tables keeps a layer's soft alpha exactly; the 24-bit ones make the base
// image opaque, the 32-bit ones leave its alpha alone.
TEST(Effects, EveryEffectKeepsALayersAlphaExactly) {
  const Bitmap32 picture = NoiseBitmap(64, 90, 51);  // every alpha value occurs
  Bitmap32 opaque = picture;
  SetAlpha(opaque, 255);
  for (const EffectEntry& e : BrowserEffects()) {
    for (const TargetKind kind : {TargetKind::kLayer, TargetKind::kBaseImage}) {
      Bitmap32 b = picture;
      Random random;
      RunEffect(b, kind, e.action, e.apply_params, random);
      const bool opaque_after = kind == TargetKind::kBaseImage && e.action.form == EffectForm::kRgb;
      EXPECT_TRUE(SameAlpha(b, opaque_after ? opaque : picture))
          << e.id << (kind == TargetKind::kLayer ? " on a layer" : " on the base image");
    }
  }
  for (const auto& step : kGoodSteps) {
    Bitmap32 b = picture;
    Random random;
    ApplyEffectStep(ParseEffectStep(step.text), b, TargetKind::kLayer, random);
    EXPECT_TRUE(SameAlpha(b, picture)) << step.text;
  }
}

}  // namespace
}  // namespace velmora::testing
