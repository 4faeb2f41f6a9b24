#pragma once

// Windows bitmaps. The reader takes every standard variant: 1, 4 and 8 bits with a palette, 16
// and 32 bits with or without bit fields, 24 bits, RLE4 and RLE8, rows bottom-up or top-down,
// and the core, info, V2 to V5 headers. The writer writes one layout only (below).

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "graphics/Bitmap32.h"
#include "imageio/ByteSink.h"
#include "imageio/ByteSource.h"

namespace velmora {

// A whole BMP file. Pixels are opaque except for 32 bits per pixel: uncompressed, the fourth
// byte is kept as the alpha; with bit fields, the alpha mask gives it when there is one.
Bitmap32 ReadBmp(ByteSource& source);
Bitmap32 DecodeBmp(std::span<const uint8_t> bytes, const std::string& name);

// The bitmap of an icon entry: information header, palette and pixels, with the stored height
// counting the colour rows and the mask rows. Always opaque (the mask is not applied).
Bitmap32 DecodeIconDib(std::span<const uint8_t> bytes, const std::string& name);

// The program's BMP layout: a 14-byte file header (pixel data at offset 54), a 40-byte
// information header (positive height, 1 plane, 32 bits, no compression, image size 4 w h,
// other fields zero), then the rows from the bottom up, each pixel blue, green, red, alpha.
// 54 + 4 w h bytes in all. Throws Error for an empty picture.
void WriteBmp32(const Bitmap32& picture, ByteSink& sink);
std::vector<uint8_t> EncodeBmp32(const Bitmap32& picture);

}  // namespace velmora
