#pragma once

// The colour and tone adjustments on a 32-bit bitmap: brightness, contrast and colour balance.
// Each works on red, green and blue alike and leaves every alpha byte unchanged. "div" below
// truncates toward zero and every result is clamped to 0..255. An empty bitmap is left alone.

#include "graphics/Bitmap32.h"

namespace velmora {

// C := C + (C a) div 255. 0 changes nothing; a positive amount brightens in proportion (black
// stays black), a negative one darkens.
void AdjustBrightness(Bitmap32& bitmap, int amount) noexcept;

// f = (|127 - C| a) div 255; C := C - f when C <= 127, C + f otherwise. A positive amount pushes
// channels away from 127, a negative one pulls them towards it (-255 makes every channel 127).
void AdjustContrast(Bitmap32& bitmap, int amount) noexcept;

// R := R + red, G := G + green, B := B + blue.
void BalanceFast(Bitmap32& bitmap, int red, int green, int blue) noexcept;

// R := R + (R 2 red) div 255, and likewise green and blue: each offset doubled and taken in
// proportion to the channel, so black stays black.
void BalanceQuality(Bitmap32& bitmap, int red, int green, int blue) noexcept;

}  // namespace velmora
