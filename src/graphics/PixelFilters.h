#pragma once

// Whole-bitmap pixel helpers used by many commands.

#include "graphics/Bitmap32.h"

namespace velmora {

// The program's intensity of a colour: (61 R + 174 G + 21 B) shr 8; a grey g gives g.
constexpr uint32_t Intensity(Color32 c) noexcept {
  return (61 * RedOf(c) + 174 * GreenOf(c) + 21 * BlueOf(c)) >> 8;
}

// An opaque grey of level g.
constexpr Color32 Gray32(uint32_t g) noexcept { return MakeColor32(255, g, g, g); }

// dst := src's alpha as opaque grey (dst takes src's size).
void AlphaToGrayscale(Bitmap32& dst, const Bitmap32& src);
// dst's alpha := intensity of the pixel of src at the same place; colours kept. Sizes must agree
// (nothing happens otherwise).
void IntensityToAlpha(Bitmap32& dst, const Bitmap32& src) noexcept;
// dst := src with red, green and blue inverted and alpha kept (dst takes src's size).
void InvertRGB(Bitmap32& dst, const Bitmap32& src);
// Every pixel's alpha := a.
void SetAlpha(Bitmap32& b, uint32_t a) noexcept;
// Every pixel := its intensity as grey, alpha 255.
void MakeGray(Bitmap32& b) noexcept;

}  // namespace velmora
