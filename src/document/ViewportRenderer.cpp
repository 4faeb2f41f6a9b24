#include "document/ViewportRenderer.h"

#include <algorithm>
#include <cmath>

#include "document/CardDocument.h"
#include "graphics/Draw.h"
#include "graphics/Parallel.h"
#include "graphics/PixelFilters.h"
#include "graphics/Transform.h"

namespace velmora {
namespace {

constexpr Color32 kChessGrey = 0x1FB0B0B0;
constexpr Color32 kChessWhite = 0xFFFFFFFF;

IntRect Offset(const IntRect& r, int dx, int dy) noexcept {
  return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

void FillBackground(Bitmap32& out, const IntRect& rows, int view_left, int view_top,
                    const BackgroundStyle& bg) {
  if (!bg.chess) {
    out.FillRect(rows, bg.colour | 0xFF000000u);
    return;
  }
  for (int y = rows.top; y < rows.bottom; ++y) {
    Color32* row = out.Row(y);
    const int band_y = ((y + view_top) >> 3) & 1;
    for (int x = rows.left; x < rows.right; ++x) {
      row[x] = (((x + view_left) >> 3) & 1) == band_y ? kChessGrey : kChessWhite;
    }
  }
}

// One picture to draw in a band: what, where (in `out` coordinates), clipped how and in which
// style. Prepared before the bands run, so the bands only read.
struct DrawItem {
  const Bitmap32* source;
  IntRect dest;
  IntRect clip;
  DrawStyle style;
};

}  // namespace

IntRect ViewRectOf(const FloatRect& r, const ViewMapping& m) noexcept {
  // Far-off values are held to a range where the pixel arithmetic cannot overflow.
  auto whole = [](double v) {
    return RoundHalfEvenInt(std::isfinite(v) ? std::clamp(v, -1e9, 1e9) : 0.0);
  };
  // The offset is rounded on its own, so scrolling moves the picture without changing it.
  const int left = whole(r.left * m.scale) + whole(m.offset_x);
  const int top = whole(r.top * m.scale) + whole(m.offset_y);
  return {left, top, left + whole(r.width() * m.scale), top + whole(r.height() * m.scale)};
}

Bitmap32 HalfSize(const Bitmap32& src) {
  Bitmap32 out(src);  // keeps the settings; pixels replaced below
  const int w = (src.width() + 1) / 2, h = (src.height() + 1) / 2;
  out.SetSize(w, h);
  if (out.empty()) return out;
  const int sw = src.width(), sh = src.height();
  ParallelRows(h, int64_t{w} * 4, [&](int first, int last) {
    for (int y = first; y < last; ++y) {
      const Color32* r0 = src.Row(2 * y);
      const Color32* r1 = src.Row(std::min(2 * y + 1, sh - 1));
      Color32* d = out.Row(y);
      for (int x = 0; x < w; ++x) {
        const int x0 = 2 * x, x1 = std::min(2 * x + 1, sw - 1);
        const Color32 p[4] = {r0[x0], r0[x1], r1[x0], r1[x1]};
        uint32_t sum_a = 0, wc[3] = {0, 0, 0}, pc[3] = {0, 0, 0};
        for (Color32 c : p) {
          const uint32_t a = c >> 24;
          sum_a += a;
          for (int k = 0; k < 3; ++k) {
            const uint32_t v = (c >> (8 * k)) & 0xFF;
            wc[k] += a * v;
            pc[k] += v;
          }
        }
        Color32 result = ((sum_a + 2) / 4) << 24;
        for (int k = 0; k < 3; ++k) {
          const uint32_t v = sum_a ? (wc[k] + sum_a / 2) / sum_a : (pc[k] + 2) / 4;
          result |= v << (8 * k);
        }
        d[x] = result;
      }
    }
  });
  return out;
}

void PaintFramePreview(Bitmap32& buffer, const IntRect& frame, uint8_t frame_alpha) {
  if (frame_alpha == 0 || frame.empty()) return;
  const IntRect visible = Intersect(frame, buffer.BoundsRect());
  if (visible.empty()) return;
  const double w = frame.width() / 2.0, h = frame.height() / 2.0;
  // Scaled by 10^0.0001 about the frame's centre, then moved so that the visible part starts at
  // the temporary bitmap's origin.
  AffineTransformation t;
  t.Translate(-frame.left, -frame.top);
  t.Translate(-w, -h);
  const double s = std::pow(10.0, 0.0001);
  t.Scale(s, s);
  t.Translate(w, h);
  t.Translate(frame.left - visible.left, frame.top - visible.top);
  t.set_source_rect({std::max(0.0, frame.left - h), std::max(0.0, frame.top - w),
                     std::min<double>(buffer.width(), frame.right + h),
                     std::min<double>(buffer.height(), frame.bottom + w)});
  Bitmap32 grey(visible.width(), visible.height());
  Transform(grey, buffer, t, grey.BoundsRect(), {DrawMode::kOpaque, 255, StretchFilter::kLinear});
  MakeGray(grey);
  Draw(buffer, visible.left, visible.top, grey, grey.BoundsRect(), buffer.BoundsRect(),
       {DrawMode::kBlend, frame_alpha, StretchFilter::kNearest});
}

const Bitmap32& ViewportRenderer::Source(uint64_t key, uint64_t version, const Bitmap32& full,
                                         const IntRect& dest) {
  if (!use_reductions_ || full.stretch_filter() == StretchFilter::kNearest ||
      (2 * dest.width() >= full.width() && 2 * dest.height() >= full.height())) {
    return full;
  }
  Reductions& r = cache_[key];
  if (r.version != version || r.levels.empty() || r.levels[0].width() != (full.width() + 1) / 2 ||
      r.levels[0].height() != (full.height() + 1) / 2) {
    r.levels.clear();
    r.version = version;
  }
  // The smallest reduction still at least as large as the destination.
  const Bitmap32* best = &full;
  for (size_t level = 0;; ++level) {
    if (level == r.levels.size()) {
      const Bitmap32& prev = level == 0 ? full : r.levels[level - 1];
      if ((prev.width() + 1) / 2 < dest.width() || (prev.height() + 1) / 2 < dest.height() ||
          prev.width() <= 1 || prev.height() <= 1) {
        break;
      }
      r.levels.push_back(HalfSize(prev));
      r.levels.back().set_stretch_filter(StretchFilter::kLinear);
    }
    const Bitmap32& candidate = r.levels[level];
    if (candidate.width() < dest.width() || candidate.height() < dest.height()) break;
    best = &candidate;
  }
  return *best;
}

void ViewportRenderer::DropStaleEntries(const CardDocument& doc) {
  for (auto it = cache_.begin(); it != cache_.end();) {
    const uint64_t id = it->first;
    bool alive = id == 0;
    for (int i = 0; !alive && i < doc.LayerCount(); ++i) alive = doc.LayerAt(i).id() == id;
    it = alive ? std::next(it) : cache_.erase(it);
  }
}

void ViewportRenderer::Render(const CardDocument& doc, const ViewMapping& mapping,
                              const IntRect& area, const BackgroundStyle* background,
                              Bitmap32& out) {
  out.SetSizeForOverwrite(area.width(), area.height());
  if (out.empty()) return;
  DropStaleEntries(doc);
  const int ox = -area.left, oy = -area.top;
  const IntRect whole = out.BoundsRect();
  const Bitmap32& base = doc.base_image();
  const IntRect card =
      Offset(ViewRectOf({0, 0, double(base.width()), double(base.height())}, mapping), ox, oy);
  // Without a background, whatever the base image does not cover is transparent black.
  if (!background && (base.empty() || Intersect(card, whole) != whole)) out.Clear(0);

  // Everything to draw, in order; a frame preview (index into `frames`) splits the work, because
  // it reads what lies below it across band boundaries.
  std::vector<DrawItem> items;
  std::vector<std::pair<size_t, IntRect>> frames;  // (items drawn before it, frame rect)
  if (!base.empty()) {
    const Bitmap32& src = Source(0, doc.base_version(), base, card);
    items.push_back({&src, card, whole, {DrawMode::kOpaque, 255, src.stretch_filter()}});
  }
  const ViewMapping identity;
  for (int i = 0; i < doc.LayerCount(); ++i) {
    const Layer& layer = doc.LayerAt(i);
    if (!layer.visible()) continue;
    const IntRect dest =
        Offset(ViewRectOf(layer.location().ToRect(), layer.scaled() ? mapping : identity), ox, oy);
    if (const BitmapLayer* b = layer.AsBitmap()) {
      const IntRect clip = b->cropped() ? Intersect(whole, card) : whole;
      if (Intersect(dest, clip).empty() || b->bitmap().empty()) continue;
      const Bitmap32& src = Source(layer.id(), b->pixels_version(), b->bitmap(), dest);
      DrawStyle style = DrawStyle::Of(b->bitmap());
      if (&src != &b->bitmap()) style.filter = StretchFilter::kLinear;
      items.push_back({&src, dest, clip, style});
    } else if (layer.AsFrame()->paints_preview() && !Intersect(dest, whole).empty()) {
      frames.emplace_back(items.size(), dest);
    }
  }

  const int64_t work_per_row = int64_t{whole.width()} * int64_t(items.size() + 1);
  auto draw_items = [&](size_t first, size_t last, bool with_background) {
    ParallelRows(whole.height(), work_per_row, [&](int y0, int y1) {
      const IntRect band{whole.left, y0, whole.right, y1};
      if (with_background && background) {
        FillBackground(out, band, area.left, area.top, *background);
      }
      for (size_t k = first; k < last; ++k) {
        const DrawItem& it = items[k];
        StretchDraw(out, it.dest, Intersect(it.clip, band), *it.source, it.source->BoundsRect(),
                    it.style);
      }
    });
  };
  size_t drawn = 0;
  bool first_pass = true;
  for (const auto& [before, rect] : frames) {
    draw_items(drawn, before, first_pass);
    first_pass = false;
    drawn = before;
    PaintFramePreview(out, rect, doc.frame_alpha());
  }
  draw_items(drawn, items.size(), first_pass);
}

}  // namespace velmora
