#pragma once

// Process > Perspective: the user drags the four corners of a reduced copy of the picture and
// the picture follows by the plane projective mapping of its rectangle onto them. This file is
// the work behind the dialog: the preview source, the corners and their dragging, the preview
// picture with its outline, and the full-size result.

#include <array>
#include <optional>

#include "document/CardDocument.h"
#include "graphics/Bitmap32.h"

namespace velmora {

// The preview area of the dialog, in pixels (the preview is drawn 1:1).
inline constexpr int kPerspectiveAreaWidth = 528;
inline constexpr int kPerspectiveAreaHeight = 313;
// The preview source leaves this much of the area free around it for dragging.
inline constexpr int kPerspectiveMargin = 50;

struct CornerPoint {
  int x = 0, y = 0;
  friend constexpr bool operator==(const CornerPoint&, const CornerPoint&) = default;
};
// Top-left, top-right, bottom-right, bottom-left of the source, in that order.
using Corners = std::array<CornerPoint, 4>;

struct PixelSize {
  int width = 0, height = 0;
  friend constexpr bool operator==(const PixelSize&, const PixelSize&) = default;
};

// The preview source's size for a full_w x full_h picture in an area_w x area_h preview: with
// a = full_w / full_h, (area_w - 50) x Round(that / a) when a >= area_w / area_h, else
// Round((area_h - 50) x a) x (area_h - 50). Each side is at least 1 (a picture of one pixel's
// width still gets a preview one pixel wide); an empty picture gives 0 x 0.
PixelSize PreviewSourceSize(int full_w, int full_h, int area_w, int area_h) noexcept;
// The full-size copy reduced to PreviewSourceSize (averaging every pixel it covers), drawn in
// blend mode so the chequer shows through its transparent parts.
Bitmap32 MakePreviewSource(const Bitmap32& full, int area_w, int area_h);

// The corners of an untouched w x h preview source: (0, 0), (w - 1, 0), (w - 1, h - 1),
// (0, h - 1).
Corners ResetCorners(int w, int h) noexcept;

// Dragging with the mouse on the preview. A press within 2 pixels of a corner (both |dx| and
// |dy| below 3; the first such corner in order) grabs that corner, anywhere else all four;
// each move adds the movement since the last position to what is grabbed.
class CornerDrag {
 public:
  static constexpr int kNone = -1;
  static constexpr int kAll = 4;

  void Reset(int w, int h) noexcept;
  void Press(int x, int y) noexcept;
  // True when a corner moved.
  bool Move(int x, int y) noexcept;
  void Release() noexcept { grabbed_ = kNone; }

  const Corners& corners() const noexcept { return corners_; }
  void set_corners(const Corners& c) noexcept { corners_ = c; }
  // The corner held (0..3), kAll, or kNone.
  int grabbed() const noexcept { return grabbed_; }

 private:
  Corners corners_{};
  int grabbed_ = kNone;
  int last_x_ = 0, last_y_ = 0;
};

// The preview background: 16 x 16 squares, opaque white where (x div 16) and (y div 16) differ
// in parity, opaque grey 127 where they agree.
void DrawChequer(Bitmap32& view) noexcept;
// The preview: the chequer, then `source` drawn through the mapping of its rectangle
// (0, 0, w - 1, h - 1) onto the corners, bilinear or nearest.
void RenderPerspectivePreview(Bitmap32& view, const Bitmap32& source, const Corners& corners,
                              bool interpolate);
// Over the preview: the outline 3 -> 0 -> 1 -> 2 -> 3 dashed black, black, white, white with a
// step of 0.5 a pixel starting at `dash_offset` (a smaller offset moves the dashes forward
// along the outline), and at each corner a 4 x 4 white handle in a black frame.
void DrawCornerOutline(Bitmap32& view, const Corners& corners, double dash_offset) noexcept;

// Full-size pixels per preview pixel: full_w / preview_w, 0 when either is 0.
double PreviewRatio(int full_w, int preview_w) noexcept;

// The corners' bounding box as the result measures it, taking corners 0 and 3 as the left ones
// and 0 and 1 as the top ones: left = min(X0, X3), width = |left - max(X1, X2)|, top =
// min(Y0, Y1), height = |top - max(Y2, Y3)|.
struct CornerBox {
  int left = 0, top = 0, width = 0, height = 0;
};
CornerBox BoundingBoxOf(const Corners& corners) noexcept;
// The result's size: Round(box width x r) x Round(box height x r).
PixelSize CorrectedSize(const Corners& corners, double r) noexcept;

// The full-size result: a CorrectedSize picture onto which `full`, its outermost rows and
// columns made transparent (so the mapped edges are smoothed against what lies around them),
// is mapped from its whole rectangle onto the corners moved to the box's origin and scaled by r.
// With a background colour the picture is blended onto that opaque colour; without one the
// result is transparent white (0x00FFFFFF) where the picture does not reach and the samples are
// copied as they are, so a layer's colours and transparency come through unchanged. Bilinear or
// nearest sampling. Empty when the size has a side below 1. Throws Error for a size beyond the
// picture limits.
Bitmap32 CorrectPerspective(const Bitmap32& full, const Corners& corners, double r,
                            bool interpolate, std::optional<Color32> background);

// OK: the corrected picture replaces the selected bitmap layer's pixels (a "geom" undo step;
// the layer keeps its left and top and the scale at which it was shown), or, with no bitmap
// layer selected, the base image (a "holst" undo step, blended onto `background`). `full` is
// the copy the dialog took; the preview source was preview_width wide. A result with a side
// below 1 changes nothing and records no step (returns false). The picture keeps its drawing
// settings.
bool ApplyPerspective(CardDocument& doc, const Bitmap32& full, int preview_width,
                      const Corners& corners, bool interpolate, Color32 background);

}  // namespace velmora
