#pragma once

// The colour routines of the effect engine: inversion, grey levels and colouring in one hue.
//
// Like every routine of the effect engine they are defined on a picture without alpha (a 24-bit
// work picture) and run here on a Bitmap32: they change red, green and blue and leave every
// alpha byte as it is, so the result is bit-identical to the 24-bit definition and the routines
// may also run directly on a 32-bit target. ApplyRgbEffect applies them to the card. An empty
// picture is left alone.

#include "graphics/Bitmap32.h"

namespace velmora {

// Red, green and blue each := 255 - itself.
void InvertColors(Bitmap32& picture) noexcept;

// Red, green and blue each := Y = round(0.3 R + 0.59 G + 0.11 B), evaluated in x87 extended
// precision and rounded half to even (so pure red gives 76, green 150, blue 28, white 255).
void MakeGrayscale(Bitmap32& picture) noexcept;

// With s = (R + G + B) / 765: R := round(cR s), G := round(cG s), B := round(cB s), where cR, cG,
// cB are the red, green and blue of `color` (its alpha byte is ignored). Black stays black and
// white becomes exactly `color`.
void ColorizeBitmap(Bitmap32& picture, Color32 color) noexcept;

}  // namespace velmora
