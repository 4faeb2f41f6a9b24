#include "graphics/Draw.h"

#include <algorithm>

#include "graphics/Parallel.h"
#include "graphics/Resample.h"

namespace velmora {

void Draw(Bitmap32& dst, int x, int y, const Bitmap32& src) {
  Draw(dst, x, y, src, src.BoundsRect(), dst.BoundsRect(), DrawStyle::Of(src));
}

void Draw(Bitmap32& dst, int x, int y, const Bitmap32& src, const IntRect& src_rect) {
  Draw(dst, x, y, src, src_rect, dst.BoundsRect(), DrawStyle::Of(src));
}

void Draw(Bitmap32& dst, int x, int y, const Bitmap32& src, const IntRect& src_rect,
          const IntRect& clip, const DrawStyle& style) {
  const IntRect sr = Intersect(src_rect, src.BoundsRect());
  if (sr.empty()) return;
  // Where the clipped source part lands, then clipped by the destination and the caller.
  const int ox = x + (sr.left - src_rect.left);
  const int oy = y + (sr.top - src_rect.top);
  const IntRect area =
      Intersect(Intersect({ox, oy, ox + sr.width(), oy + sr.height()}, dst.BoundsRect()), clip);
  if (area.empty()) return;
  if (style.mode == DrawMode::kBlend && style.master_alpha == 0) return;
  const int sx = sr.left + (area.left - ox);
  const int sy = sr.top + (area.top - oy);
  ParallelRows(area.height(), area.width(), [&](int first, int last) {
    for (int row = first; row < last; ++row) {
      CombineLine(dst.Row(area.top + row) + area.left, src.Row(sy + row) + sx, area.width(),
                  style.mode, style.master_alpha);
    }
  });
}

void StretchDraw(Bitmap32& dst, const IntRect& dst_rect, const Bitmap32& src) {
  StretchDraw(dst, dst_rect, dst.BoundsRect(), src, src.BoundsRect(), DrawStyle::Of(src));
}

void StretchDraw(Bitmap32& dst, const FloatRect& dst_rect, const Bitmap32& src) {
  StretchDraw(dst, RoundRect(dst_rect), src);
}

void StretchDraw(Bitmap32& dst, const IntRect& dst_rect, const Bitmap32& src,
                 const IntRect& src_rect) {
  StretchDraw(dst, dst_rect, dst.BoundsRect(), src, src_rect, DrawStyle::Of(src));
}

void StretchDraw(Bitmap32& dst, const IntRect& dst_rect, const IntRect& clip, const Bitmap32& src,
                 const IntRect& src_rect, const DrawStyle& style) {
  const IntRect sr = Intersect(src_rect, src.BoundsRect());
  if (sr.empty() || dst_rect.empty()) return;
  if (style.mode == DrawMode::kBlend && style.master_alpha == 0) return;
  if (dst_rect.width() == sr.width() && dst_rect.height() == sr.height()) {
    Draw(dst, dst_rect.left, dst_rect.top, src, sr, clip, style);
    return;
  }
  const IntRect area = Intersect(Intersect(dst_rect, dst.BoundsRect()), clip);
  if (area.empty()) return;
  ResampleInto(dst, area, dst_rect, src, sr, style);
}

Bitmap32 Resized(const Bitmap32& src, int width, int height, StretchFilter filter) {
  Bitmap32 out;
  out.SetSize(width, height);
  out.set_draw_mode(src.draw_mode());
  out.set_master_alpha(src.master_alpha());
  out.set_stretch_filter(src.stretch_filter());
  out.set_outer_color(src.outer_color());
  StretchDraw(out, out.BoundsRect(), out.BoundsRect(), src, src.BoundsRect(),
              {DrawMode::kOpaque, 255, filter});
  return out;
}

}  // namespace velmora
