#pragma once

#include "graphics/Bitmap32.h"
#include "graphics/Blend.h"
#include "graphics/Geometry.h"

namespace velmora {

// Drawing one bitmap onto another. Every routine clips to the destination (and to `clip`, a
// rectangle of destination pixels, where given), accepts empty bitmaps and empty rectangles, and
// combines by the style: the source's own draw mode, master alpha and stretch filter unless a
// DrawStyle is passed.

// src (or its part src_rect, clipped to src) 1:1 with its top-left corner at (x, y).
void Draw(Bitmap32& dst, int x, int y, const Bitmap32& src);
void Draw(Bitmap32& dst, int x, int y, const Bitmap32& src, const IntRect& src_rect);
void Draw(Bitmap32& dst, int x, int y, const Bitmap32& src, const IntRect& src_rect,
          const IntRect& clip, const DrawStyle& style);

// src (or src_rect of it) stretched over dst_rect with the style's filter. A floating-point
// destination is first rounded to whole pixels (halves to even). When the destination has the
// size of the source part, this is Draw. Sampling: destination pixel centre (x + 0.5, y + 0.5)
// maps linearly onto the source part; filter taps beyond the source part repeat its edge pixels.
// Interpolating filters weight colours by alpha, so transparent pixels lend no colour to their
// neighbours.
void StretchDraw(Bitmap32& dst, const IntRect& dst_rect, const Bitmap32& src);
void StretchDraw(Bitmap32& dst, const FloatRect& dst_rect, const Bitmap32& src);
void StretchDraw(Bitmap32& dst, const IntRect& dst_rect, const Bitmap32& src,
                 const IntRect& src_rect);
void StretchDraw(Bitmap32& dst, const IntRect& dst_rect, const IntRect& clip, const Bitmap32& src,
                 const IntRect& src_rect, const DrawStyle& style);

// A new bitmap of the given size holding src stretched over it with `filter` (opaque copy; the
// alpha is resampled like the colours). The settings of src are kept.
Bitmap32 Resized(const Bitmap32& src, int width, int height, StretchFilter filter);

}  // namespace velmora
