#pragma once

#include <cstdint>

#include "graphics/Bitmap32.h"

namespace velmora {

// How one bitmap is combined with another: the draw mode, the master alpha and the resampling
// filter. Taken from the source bitmap's settings unless a caller states its own.
struct DrawStyle {
  DrawMode mode = DrawMode::kBlend;
  uint8_t master_alpha = 255;
  StretchFilter filter = StretchFilter::kNearest;

  static DrawStyle Of(const Bitmap32& b) noexcept {
    return {b.draw_mode(), b.master_alpha(), b.stretch_filter()};
  }
};

// Combines n source pixels into dst by mode: kOpaque copies them; kBlend applies the blend rule
// with each pixel's alpha scaled by master alpha m. The whole pixel, alpha byte included, moves
// toward the source (the blend rule acts on all four bytes).
void CombineLine(Color32* dst, const Color32* src, int n, DrawMode mode, uint32_t m) noexcept;

// The blend rule for one line with master alpha m (m = 255: each pixel's own alpha).
void BlendLine(Color32* dst, const Color32* src, int n, uint32_t m) noexcept;

}  // namespace velmora
