#pragma once

// The pixel work of Process > Colorize and Process > Sepia: colour the target in one hue through
// ApplyRgbEffect, then brighten it.

#include "effects/ApplyRgbEffect.h"
#include "graphics/Bitmap32.h"

namespace velmora {

// Sepia's hue, Windows colour $77BFC8: red 200, green 191, blue 119.
inline constexpr Color32 kSepiaColor = Color32FromWinColor(0x77BFC8);
inline constexpr int kSepiaBrightness = 150;
inline constexpr int kColorizeBrightness = 70;

// ColorizeBitmap(color) through ApplyRgbEffect, then AdjustBrightness(kColorizeBrightness).
void Colorize(Bitmap32& target, TargetKind kind, Color32 color);

// ColorizeBitmap(kSepiaColor) through ApplyRgbEffect, then AdjustBrightness(kSepiaBrightness):
// white becomes (255, 255, 189), black stays black.
void Sepia(Bitmap32& target, TargetKind kind);

}  // namespace velmora
