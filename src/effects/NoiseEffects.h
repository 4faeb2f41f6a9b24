#pragma once

// Noise: random offsets added to red, green and blue, drawn from the program's generator.
// Rows from the top, pixels from the left; the draws follow that order exactly, so the same seed
// gives the same picture, and the generator ends where the last draw left it. Alpha bytes are
// kept (see ColorEffects.h). An empty picture is left alone and draws nothing.

#include "graphics/Bitmap32.h"
#include "graphics/Random.h"

namespace velmora {

// Three draws a pixel, in the order blue, green, red: each channel C :=
// clamp(C + Random(amount) - amount div 2). An amount below 1 behaves as 1 (draws, changes
// nothing).
void AddColorNoise(Bitmap32& picture, int amount, Random& random) noexcept;

// One draw a pixel: o = Random(amount) - amount div 2 is added to red, green and blue alike, each
// clamped. An amount below 1 behaves as 1.
void AddMonoNoise(Bitmap32& picture, int amount, Random& random) noexcept;

}  // namespace velmora
