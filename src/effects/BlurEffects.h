#pragma once

// Blurring. Alpha bytes are kept (see ColorEffects.h); an empty picture is left alone.

#include "graphics/Bitmap32.h"

namespace velmora {

// The split blur with distance d, in place, rows from the top and pixels from the left: each
// channel of pixel (x, y) := (P(l, u) + P(l, v) + P(r, u) + P(r, v)) shr 2, where P reads the
// picture as it is at that moment (rows above already blurred, and in the top band the pixels
// to the left in the same row too) and
//   u = y - d, or y when y - d < 0;      v = y + d, or the last row when y + d >= height;
//   l = x - d, or x when x - d < 0;      r = x + d, or the last column when x + d >= width.
// The bottom and right bands thus repeat the last row and column, as the resamplers clamp to the
// edge. d <= 0 changes nothing.
void SplitBlur(Bitmap32& picture, int distance) noexcept;

}  // namespace velmora
