#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "graphics/Bitmap32.h"
#include "graphics/Geometry.h"

namespace velmora {

class CardDocument;

// What the view shows around and behind the card.
struct BackgroundStyle {
  bool chess = false;           // 8 x 8 squares of $1FB0B0B0 and white
  Color32 colour = 0xFF808080;  // used when chess is off
};

// Base-image coordinates to view coordinates: view = base x scale + offset.
struct ViewMapping {
  double scale = 1.0;
  double offset_x = 0.0, offset_y = 0.0;

  FloatPoint ToView(FloatPoint p) const noexcept {
    return {p.x * scale + offset_x, p.y * scale + offset_y};
  }
  FloatPoint ToBase(FloatPoint p) const noexcept {
    return {(p.x - offset_x) / scale, (p.y - offset_y) / scale};
  }
};

// The whole pixels a rectangle of base-image coordinates covers in the view: the scaled left and
// top edges and the offset each rounded (halves to even), and the size rounded separately, so a
// layer shown at 100 % keeps its exact pixel size wherever it stands and scrolling never changes
// how it is drawn.
IntRect ViewRectOf(const FloatRect& r, const ViewMapping& m) noexcept;

// Paints the card as the view shows it: background, base image (copied, alpha included), then
// every visible layer in list order (bitmap layers blended into their locations with their own
// filter and opacity, cropped layers clipped to the card, frames painting their grey preview).
// Only the requested area is rendered; every layer touches each destination pixel once, and a
// large area is split into row bands across threads.
class ViewportRenderer {
 public:
  // With reductions on, a layer shown at less than half its size with the linear filter is
  // drawn from a cached half-, quarter-... size copy, so zoomed-out views stay fast. Off for
  // flattening, where every pixel must come from the full picture.
  explicit ViewportRenderer(bool use_reductions = true) : use_reductions_(use_reductions) {}

  // Renders view pixels `area` into out, which becomes area's size (out's (0, 0) is view pixel
  // (area.left, area.top)). background null: nothing is painted behind the card.
  void Render(const CardDocument& doc, const ViewMapping& mapping, const IntRect& area,
              const BackgroundStyle* background, Bitmap32& out);

  // Forgets the cached reductions.
  void ClearCache() { cache_.clear(); }

 private:
  struct Reductions {
    uint64_t version = 0;
    std::vector<Bitmap32> levels;  // levels[0] is half size, levels[1] quarter size, ...
  };

  // The bitmap to draw for a picture of `full` shown over `dest` pixels: full itself, or a
  // cached reduction when that is worth it.
  const Bitmap32& Source(uint64_t key, uint64_t version, const Bitmap32& full, const IntRect& dest);
  void DropStaleEntries(const CardDocument& doc);

  bool use_reductions_;
  std::unordered_map<uint64_t, Reductions> cache_;
};

// The grey preview of a selection or crop frame: the pixels of `buffer` inside `frame` (buffer
// coordinates) are replaced by their grey levels, resampled at almost 1:1, blended with
// `frame_alpha`.
void PaintFramePreview(Bitmap32& buffer, const IntRect& frame, uint8_t frame_alpha);

// A copy of half the size (rounded up), each pixel the alpha-weighted mean of the 2 x 2 pixels
// it covers (edge pixels repeated where the size is odd). Settings are kept.
Bitmap32 HalfSize(const Bitmap32& src);

}  // namespace velmora
