#pragma once

// The resampling engine behind StretchDraw and the transformers.

#include "graphics/Bitmap32.h"
#include "graphics/Blend.h"
#include "graphics/Geometry.h"

namespace velmora {

// Draws src_rect of src stretched over the whole of dst_rect, touching only the destination
// pixels of `area` (which lies inside dst_rect and dst). Chooses the kernel by style.filter:
// kNearest; kLinear as bilinear interpolation, or as the widening triangle where it shrinks to
// less than half; kSmoothLinear the widening triangle; kSpline the widening Mitchell cubic.
void ResampleInto(Bitmap32& dst, const IntRect& area, const IntRect& dst_rect, const Bitmap32& src,
                  const IntRect& src_rect, const DrawStyle& style);

// Bilinear sample of src at continuous source position (u, v), pixel centres at half-integers,
// taps clamped to `bounds`; colours weighted by alpha. Weights have 7 fractional bits.
Color32 SampleBilinear(const Bitmap32& src, const IntRect& bounds, double u, double v) noexcept;

// The same from precomputed taps: rows r0, r1, columns x0, x1, weights fx, fy in 0..128.
Color32 Bilinear(const Color32* r0, const Color32* r1, int x0, int x1, uint32_t fx,
                 uint32_t fy) noexcept;

}  // namespace velmora
