#pragma once

// Reducing a picture to an indexed one of at most 256 colours, for GIF files.

#include <cstdint>
#include <span>
#include <vector>

#include "graphics/Bitmap32.h"
#include "imageio/PictureFormat.h"

namespace velmora {

struct IndexedPicture {
  int width = 0;
  int height = 0;
  std::vector<Color32> palette;  // opaque colours, at most 256
  std::vector<uint8_t> indices;  // width x height, rows from the top
};

// The colours by depth (alpha is ignored throughout):
//   kTwo      black where (61 R + 174 G + 21 B) >> 8 < 128, else white
//   kSixteen  the nearest colour of Vga16Palette()
//   k256      the nearest colour of HalftonePalette()
//   kAuto     the picture's own colours when there are at most 256 (exact), else median cut
//             to 256 colours and Floyd-Steinberg dithering
// "Nearest" is the smallest squared distance in RGB, the first such palette entry on a tie.
IndexedPicture ReduceColors(const Bitmap32& picture, GifDepth depth);

// The 16 colours of the standard VGA palette, in its order (black, dark red, dark green, ...).
std::span<const Color32> Vga16Palette() noexcept;
// 216 colours of the 6 x 6 x 6 cube (levels 0, 51, ..., 255; red slowest) and then 40 greys
// round(k x 255 / 41) for k = 1..40: 256 distinct colours.
std::span<const Color32> HalftonePalette() noexcept;

}  // namespace velmora
