#pragma once

// PNG through libpng: every colour type and bit depth in, 8-bit RGB or RGBA out.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "graphics/Bitmap32.h"

namespace velmora {

// An opaque picture: palettes are expanded, 16-bit samples scaled to 8 bits with rounding, grey
// becomes red = green = blue, and any transparency (alpha channel or tRNS) is dropped.
Bitmap32 DecodePng(std::span<const uint8_t> bytes, const std::string& name);

// 8 bits per sample, not interlaced, libpng's default compression. with_alpha: RGBA with the
// picture's alpha; otherwise RGB with the alpha dropped.
std::vector<uint8_t> EncodePng(const Bitmap32& picture, bool with_alpha);

}  // namespace velmora
