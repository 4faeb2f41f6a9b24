#include "effects/EffectTable.h"

#include <algorithm>
#include <cctype>
#include <charconv>

#include "effects/BlurEffects.h"
#include "effects/ColorAdjust.h"
#include "effects/ColorEffects.h"
#include "effects/Colorize.h"
#include "effects/DistortEffects.h"
#include "effects/NoiseEffects.h"
#include "graphics/Error.h"

namespace velmora {
namespace {

using Params = const EffectParams&;

// Each routine once, with its parameters unpacked.
constexpr EffectAction kBlur{[](Bitmap32& b, Params p, Random&) { SplitBlur(b, p[0]); },
                             EffectForm::kRgb};
constexpr EffectAction kColorNoise{
    [](Bitmap32& b, Params p, Random& r) { AddColorNoise(b, p[0], r); }, EffectForm::kRgb};
constexpr EffectAction kMonoNoise{
    [](Bitmap32& b, Params p, Random& r) { AddMonoNoise(b, p[0], r); }, EffectForm::kRgb};
constexpr EffectAction kGrayscale{[](Bitmap32& b, Params, Random&) { MakeGrayscale(b); },
                                  EffectForm::kRgb};
constexpr EffectAction kInvert{[](Bitmap32& b, Params, Random&) { InvertColors(b); },
                               EffectForm::kRgb};
// The browser inverts the 32-bit target in place, alpha kept, instead of going through a
// picture without alpha: on the base image the alpha bytes stay as they were.
constexpr EffectAction kInvertArgb{[](Bitmap32& b, Params, Random&) { InvertColors(b); },
                                   EffectForm::kArgb};
constexpr EffectAction kMosaic{[](Bitmap32& b, Params p, Random&) { Mosaic(b, p[0]); },
                               EffectForm::kRgb};
constexpr EffectAction kSpray{[](Bitmap32& b, Params p, Random& r) { Spray(b, p[0], r); },
                              EffectForm::kRgb};
constexpr EffectAction kWave{[](Bitmap32& b, Params p, Random&) { Wave(b, p[0], p[1], p[2]); },
                             EffectForm::kRgb};
constexpr EffectAction kBrightness{
    [](Bitmap32& b, Params p, Random&) { AdjustBrightness(b, p[0]); }, EffectForm::kArgb};
constexpr EffectAction kContrast{[](Bitmap32& b, Params p, Random&) { AdjustContrast(b, p[0]); },
                                 EffectForm::kArgb};
constexpr EffectAction kBalanceFast{
    [](Bitmap32& b, Params p, Random&) { BalanceFast(b, p[0], p[1], p[2]); }, EffectForm::kArgb};
constexpr EffectAction kBalanceQuality{
    [](Bitmap32& b, Params p, Random&) { BalanceQuality(b, p[0], p[1], p[2]); }, EffectForm::kArgb};

// ----- Command-line steps

using StepRun = decltype(EffectStep::run);

template <const EffectAction& kAction>
void RunAction(Bitmap32& target, TargetKind kind, Params params, Random& random) {
  RunEffect(target, kind, kAction, params, random);
}

void RunSepia(Bitmap32& target, TargetKind kind, Params, Random&) { Sepia(target, kind); }

void RunColorize(Bitmap32& target, TargetKind kind, Params p, Random&) {
  Colorize(target, kind, static_cast<Color32>(p[0]));
}

enum class ValueKind : uint8_t { kNone, kColor, kIntegers };

struct StepValue {
  std::string_view name;  // empty: no further value
  int min, max;
};

struct StepSyntax {
  std::string_view id;
  ValueKind kind;
  std::array<StepValue, 3> values;
  StepRun run;
};

// A noise amount of 511 already spreads the offsets over -255..255.
constexpr StepValue kNoiseAmount{"AMOUNT", 1, 511};
constexpr StepValue kTone{"AMOUNT", -255, 255};
constexpr StepValue kSize{"SIZE", 1, kMaxPictureSide};
constexpr std::array<StepValue, 3> kBalance = {
    {{"RED", -255, 255}, {"GREEN", -255, 255}, {"BLUE", -255, 255}}};

const std::vector<StepSyntax>& StepTable() {
  static const std::vector<StepSyntax> table = {
      {"grayscale", ValueKind::kNone, {}, RunAction<kGrayscale>},
      {"sepia", ValueKind::kNone, {}, RunSepia},
      {"colorize", ValueKind::kColor, {{{"RRGGBB", 0, 0xFFFFFF}}}, RunColorize},
      {"brightness", ValueKind::kIntegers, {kTone}, RunAction<kBrightness>},
      {"contrast", ValueKind::kIntegers, {kTone}, RunAction<kContrast>},
      {"balance-fast", ValueKind::kIntegers, kBalance, RunAction<kBalanceFast>},
      {"balance-quality", ValueKind::kIntegers, kBalance, RunAction<kBalanceQuality>},
      {"color-noise", ValueKind::kIntegers, {kNoiseAmount}, RunAction<kColorNoise>},
      {"mono-noise", ValueKind::kIntegers, {kNoiseAmount}, RunAction<kMonoNoise>},
      {"blur", ValueKind::kIntegers, {{{"DISTANCE", 0, kMaxPictureSide}}}, RunAction<kBlur>},
      {"spray", ValueKind::kIntegers, {{{"RADIUS", 0, kMaxPictureSide}}}, RunAction<kSpray>},
      {"mosaic", ValueKind::kIntegers, {kSize}, RunAction<kMosaic>},
      {"wave",
       ValueKind::kIntegers,
       {{{"AMOUNT", 1, kMaxPictureSide}, {"INFERENCE", -1000, 1000}, {"STYLE", 0, 2}}},
       RunAction<kWave>},
      {"invert", ValueKind::kNone, {}, RunAction<kInvert>},
  };
  return table;
}

int ValueCount(const StepSyntax& s) {
  return static_cast<int>(std::count_if(s.values.begin(), s.values.end(),
                                        [](const StepValue& v) { return !v.name.empty(); }));
}

std::string Usage(const StepSyntax& s) {
  std::string usage(s.id);
  if (s.kind == ValueKind::kNone) return usage;
  const int n = ValueCount(s);
  std::string ranges;
  for (int i = 0; i < n; ++i) {
    const StepValue& v = s.values[i];
    usage.append(i == 0 ? "=" : ",").append(v.name);
    ranges.append(i == 0 ? " (" : ", ").append(v.name).append(" ");
    ranges.append(std::to_string(v.min)).append("..").append(std::to_string(v.max));
  }
  if (s.kind == ValueKind::kColor) return usage.append(" (six hexadecimal digits)");
  return usage.append(ranges).append(")");
}

[[noreturn]] void BadValue(const StepSyntax& s, std::string_view value) {
  throw Error("bad value '" + std::string(value) + "' for effect step '" + std::string(s.id) +
              "': expected " + Usage(s));
}

// The whole of text as an integer, or false.
bool ParseInt(std::string_view text, int base, int& out) {
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, out, base);
  return !text.empty() && ec == std::errc() && ptr == end;
}

EffectParams ParseIntegers(const StepSyntax& s, std::string_view value) {
  EffectParams params{};
  const int n = ValueCount(s);
  std::string_view rest = value;
  for (int i = 0; i < n; ++i) {
    const size_t comma = i + 1 < n ? rest.find(',') : std::string_view::npos;
    const std::string_view part = rest.substr(0, comma);
    if (!ParseInt(part, 10, params[i]) || params[i] < s.values[i].min ||
        params[i] > s.values[i].max) {
      BadValue(s, value);
    }
    if (i + 1 < n) {
      if (comma == std::string_view::npos) BadValue(s, value);
      rest.remove_prefix(comma + 1);
    }
  }
  return params;
}

EffectParams ParseColor(const StepSyntax& s, std::string_view value) {
  EffectParams params{};
  const bool hex = value.size() == 6 && std::all_of(value.begin(), value.end(), [](char c) {
                     return std::isxdigit(static_cast<unsigned char>(c)) != 0;
                   });
  if (!hex || !ParseInt(value, 16, params[0])) BadValue(s, value);
  return params;
}

}  // namespace

void RunEffect(Bitmap32& target, TargetKind kind, const EffectAction& action,
               const EffectParams& params, Random& random) {
  if (action.form == EffectForm::kArgb) {
    action.routine(target, params, random);
    return;
  }
  ApplyRgbEffect(target, kind, [&](Bitmap32& picture) { action.routine(picture, params, random); });
}

const std::vector<EffectEntry>& BrowserEffects() {
  static const std::vector<EffectEntry> table = {
      {"blur", "Blur", "Blur.bmp", kBlur, {1}, {1}, 1},
      {"color-noise", "Color Noise", "Color Noise.bmp", kColorNoise, {70}, {70}, 4},
      {"contrast", "Contrast", "Contrast.bmp", kContrast, {90}, {90}, 0},
      {"grayscale", "Grayscale", "GrayScale.bmp", kGrayscale, {}, {}, 6},
      {"invert", "Invert", "Invert.bmp", kInvertArgb, {}, {}, 7},
      {"mono-noise", "Mono Noise", "Mono Noise.bmp", kMonoNoise, {70}, {70}, 5},
      {"mosaic", "Mosaic", "Mosaic.bmp", kMosaic, {5}, {5}, 3},
      {"spray", "Spray", "Spray.bmp", kSpray, {7}, {7}, 2},
      {"wave", "Wave", "Wave.bmp", kWave, {27, 20, 1}, {7, 20, 1}, 8},
  };
  return table;
}

std::vector<const EffectEntry*> ThumbnailBuildOrder() {
  std::vector<const EffectEntry*> order;
  for (const EffectEntry& e : BrowserEffects()) order.push_back(&e);
  std::sort(order.begin(), order.end(), [](const EffectEntry* a, const EffectEntry* b) {
    return a->build_rank < b->build_rank;
  });
  return order;
}

EffectStep ParseEffectStep(const std::string& text) {
  const size_t eq = text.find('=');
  const std::string_view id = std::string_view(text).substr(0, eq);
  const auto& table = StepTable();
  const auto it =
      std::find_if(table.begin(), table.end(), [id](const StepSyntax& s) { return s.id == id; });
  if (it == table.end()) throw Error("unknown effect step '" + std::string(id) + "'");
  const StepSyntax& s = *it;
  const bool has_value = eq != std::string::npos;
  const std::string_view value =
      has_value ? std::string_view(text).substr(eq + 1) : std::string_view();
  if (has_value != (s.kind != ValueKind::kNone)) BadValue(s, value);
  EffectParams params{};
  if (s.kind == ValueKind::kColor) params = ParseColor(s, value);
  if (s.kind == ValueKind::kIntegers) params = ParseIntegers(s, value);
  return {s.id, params, s.run};
}

void ApplyEffectStep(const EffectStep& step, Bitmap32& target, TargetKind kind, Random& random) {
  step.run(target, kind, step.params, random);
}

std::vector<std::string> EffectStepUsage() {
  std::vector<std::string> lines;
  for (const StepSyntax& s : StepTable()) lines.push_back(Usage(s));
  return lines;
}

}  // namespace velmora
