#pragma once

// JPEG through libjpeg-turbo: grey, YCbCr/RGB and CMYK/YCCK pictures in, baseline YCbCr out.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "graphics/Bitmap32.h"

namespace velmora {

// An opaque picture. A stream that ends before the last row is an error ("truncated"); a
// missing end marker after complete rows is not.
Bitmap32 DecodeJpeg(std::span<const uint8_t> bytes, const std::string& name);

// The picture without its alpha, at quality 1..100 (libjpeg's scaling of the standard tables,
// 4:2:0 chroma subsampling, the default accurate integer DCT). Throws Error for another quality.
std::vector<uint8_t> EncodeJpeg(const Bitmap32& picture, int quality);

}  // namespace velmora
