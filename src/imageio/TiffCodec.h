#pragma once

// TIFF through libtiff: the first page of anything libtiff's RGBA interface reads, in; 8-bit RGB
// with LZW compression, out.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "graphics/Bitmap32.h"

namespace velmora {

// The first page, opaque.
Bitmap32 DecodeTiff(std::span<const uint8_t> bytes, const std::string& name);

// One page, RGB 8 bits per sample (alpha dropped), LZW with horizontal differencing.
std::vector<uint8_t> EncodeTiff(const Bitmap32& picture);

}  // namespace velmora
