#pragma once

// Windows icons: the largest image of the file, stored as a bitmap or as a PNG.

#include <cstdint>
#include <span>
#include <string>

#include "graphics/Bitmap32.h"

namespace velmora {

// The entry with the most pixels by the directory (then the most bits per pixel; then the
// first), opaque.
Bitmap32 DecodeIco(std::span<const uint8_t> bytes, const std::string& name);

}  // namespace velmora
