#pragma once

// GIF through giflib: the first image in, one image out.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "graphics/Bitmap32.h"
#include "imageio/PictureFormat.h"

namespace velmora {

// The first image on a canvas of the logical screen's size (grown to hold the image if the
// screen is smaller). Canvas pixels outside the image and the image's transparent pixels are
// white; the result is opaque.
Bitmap32 DecodeGif(std::span<const uint8_t> bytes, const std::string& name);

// One GIF87a image with a global colour table, colours reduced by ReduceColors (alpha dropped).
std::vector<uint8_t> EncodeGif(const Bitmap32& picture, GifDepth depth);

}  // namespace velmora
