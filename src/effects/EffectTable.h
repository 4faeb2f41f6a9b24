#pragma once

// The effects as the program offers them: the effect browser's entries and the command-line
// tool's effect steps. Both tables name the same routines; an id, once given, keeps its meaning.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "effects/ApplyRgbEffect.h"
#include "graphics/Bitmap32.h"
#include "graphics/Random.h"

namespace velmora {

// Up to three integer parameters of one run, unused ones 0. A colour is 0xRRGGBB.
using EffectParams = std::array<int, 3>;

// How a routine reaches its target. kRgb routines are defined on a picture without alpha and run
// through ApplyRgbEffect (a layer keeps its alpha, the base image becomes opaque); kArgb routines
// run on the 32-bit target directly and keep every alpha byte themselves.
enum class EffectForm : uint8_t { kRgb, kArgb };

// A routine with its parameters taken from an EffectParams.
struct EffectAction {
  void (*routine)(Bitmap32& picture, const EffectParams& params, Random& random);
  EffectForm form;
};

// Runs action with params on target, as its form says.
void RunEffect(Bitmap32& target, TargetKind kind, const EffectAction& action,
               const EffectParams& params, Random& random);

// One entry of the effect browser.
struct EffectEntry {
  std::string_view id;            // stable: "blur", "color-noise", ...
  std::string_view title;         // the text under the thumbnail
  std::string_view preview_file;  // the thumbnail's file name, where thumbnails are files
  EffectAction action;
  EffectParams apply_params;      // on the target
  EffectParams thumbnail_params;  // on the 100-pixel-wide preview picture
  // Thumbnails are built in this order (0 first), not in list order; the noise and spray
  // thumbnails draw random numbers, so the order decides the generator's state.
  int build_rank;
};

// The browser's entries in list order (the thumbnails' order on screen).
const std::vector<EffectEntry>& BrowserEffects();
// The same entries in the order their thumbnails are built.
std::vector<const EffectEntry*> ThumbnailBuildOrder();

// One parsed step of the command-line tool's effect chain.
struct EffectStep {
  std::string_view id;  // the step table's id, e.g. "brightness"
  EffectParams params;
  void (*run)(Bitmap32& target, TargetKind kind, const EffectParams& params, Random& random);
};

// Parses "id" or "id=value". Steps: grayscale, sepia, invert, colorize=RRGGBB (hexadecimal),
// brightness=N, contrast=N, balance-fast=R,G,B, balance-quality=R,G,B, color-noise=N,
// mono-noise=N, blur=N, spray=N, mosaic=N, wave=AMOUNT,INFERENCE,STYLE (EffectStepUsage gives
// the ranges). Throws Error("unknown effect step 'id'") for an id not in the table and
// Error("bad value ...") for a missing, superfluous, malformed or out-of-range value.
EffectStep ParseEffectStep(const std::string& text);

// Runs step on target, drawing random numbers from random.
void ApplyEffectStep(const EffectStep& step, Bitmap32& target, TargetKind kind, Random& random);

// One line per step for the tool's help, e.g. "brightness=AMOUNT (AMOUNT -255..255)".
std::vector<std::string> EffectStepUsage();

}  // namespace velmora
