#pragma once

// Pictures and checks shared by the effect tests.

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "graphics/Bitmap32.h"

namespace velmora::testing {

// A work picture as the effects are defined on: blue, green, red per pixel, rows from the top,
// no alpha.
struct Picture24 {
  int width = 0, height = 0;
  std::vector<uint8_t> bytes;

  uint8_t* At(int x, int y) { return &bytes[(size_t(y) * size_t(width) + size_t(x)) * 3]; }
};

// The bitmap's red, green and blue as a work picture (alpha dropped).
Picture24 To24(const Bitmap32& b);

// A w x h bitmap with every byte, alpha included, drawn from its own generator (not the
// program's), so pictures hold every kind of value.
Bitmap32 NoiseBitmap(int w, int h, uint32_t seed);

// Succeeds when result has expected's size and red, green, blue, and every alpha byte of
// alpha_source (the bitmap before the routine ran).
::testing::AssertionResult RgbAsAndAlphaOf(const Bitmap32& result, Picture24& expected,
                                           const Bitmap32& alpha_source);

// Succeeds when both bitmaps have the same size and the same alpha bytes.
::testing::AssertionResult SameAlpha(const Bitmap32& a, const Bitmap32& b);

}  // namespace velmora::testing
