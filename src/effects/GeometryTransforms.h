#pragma once

// Turning, mirroring and resizing: the selected layer's quarter turns, flips and free rotation,
// the card's Image Size, and the base image made into a layer.

#include <string_view>
#include <vector>

#include "document/CardDocument.h"
#include "graphics/Bitmap32.h"

namespace velmora {

enum class TurnDirection : uint8_t { kClockwise, kCounterclockwise };
enum class FlipDirection : uint8_t { kTopToBottom, kLeftToRight };

// --- pixel work ----------------------------------------------------------------------------------

// src turned by a quarter, H x W for a W x H source; every pixel moves whole (alpha included).
// Clockwise, source (x, y) lands at (H - 1 - y, x); counterclockwise at (y, W - 1 - x). The
// drawing settings of src are kept.
Bitmap32 Rotated90(const Bitmap32& src, TurnDirection direction);
// Mirrors b in place: top to bottom (row y takes row H - 1 - y) or left to right.
void Flip(Bitmap32& b, FlipDirection direction) noexcept;

// The turned picture's size for a free rotation by `degrees`, in single precision as the layer's
// location takes it: with t = -degrees * pi / 180 (pi as 3.14159265358979),
// width = |cos t| w + |sin t| h, height = |sin t| w + |cos t| h.
struct TurnedSize {
  float width = 0, height = 0;
};
TurnedSize TurnedSizeOf(int w, int h, int degrees) noexcept;

// A layer's pixels and place after a free rotation.
struct TurnedLayer {
  Bitmap32 bitmap;
  Location location;
};

// Free rotation of a layer shown at 1:1 (its bitmap's size is its on-card size, as after
// LayerRescaleClick) by `degrees`, clockwise on screen for a positive angle, about the picture's
// centre. The new bitmap is Round(width) x Round(height) of TurnedSizeOf; `filter` is kNearest
// or bilinear (any other), and the bitmap keeps it. Colours are sampled from the layer made
// opaque, the alpha separately from its alpha map, whose outer two rows and columns are cleared
// first so the turned edges fade out (on a layer less than 5 pixels across that rim is every
// pixel of that direction). Outside the turned rectangle the result is transparent. The
// location keeps its left and top; right and bottom are left + width and top + height, not
// rounded. The other drawing settings of `bitmap` are kept; master alpha is not burnt in.
TurnedLayer RotateByAngle(const Bitmap32& bitmap, const Location& location, int degrees,
                          StretchFilter filter);

// --- commands on the selected bitmap layer (each does nothing without one) -----------------------

// Selection > Rotate > Clockwise 90 / Counterclockwise 90: a "geom" undo step, the pixels
// turned, the on-card size swapped about the unchanged top-left corner.
void RotateLayer90(CardDocument& doc, TurnDirection direction);
// Selection > Flip: an "effect" undo step, the pixels mirrored; size and location stay.
void FlipLayer(CardDocument& doc, FlipDirection direction);
// RotateByAngle on the selected layer, which the caller has rescaled to 1:1 (LayerRescaleClick),
// then the layer is selected afresh so the rubber band takes its new shape. No undo step.
void TurnSelectedLayer(CardDocument& doc, int degrees, bool bilinear);

// to's draw mode, master alpha, stretch filter and outer colour := from's (pixels untouched).
void CopyDrawingSettings(Bitmap32& to, const Bitmap32& from) noexcept;

// Selects `layer` again (none, then the layer) so the rubber band takes its new rectangle.
void Reselect(CardDocument& doc, Layer& layer);

// --- the card ----------------------------------------------------------------------------------

// The resampling methods of Image Size, in list order.
struct ResampleMethod {
  std::string_view id;    // stable: "nearest", "bilinear", "spline"
  std::string_view text;  // the list entry: "Nearest", "Bilinear (Optimal)", "Spline"
  StretchFilter filter;
};
const std::vector<ResampleMethod>& ResampleMethods();
// The entry with this id, or null.
const ResampleMethod* FindResampleMethod(std::string_view id) noexcept;

// Image > Image Size after OK: a "size" undo step; unless the size is the base image's own, the
// base image is resampled to width x height with `filter` (its drawing settings kept) and every
// layer's location is scaled with it, each coordinate rounded to a whole pixel (halves to
// even). Layer pixels are not resampled. Throws Error for a size below 1 or too large, before
// anything changes.
void ResizeImage(CardDocument& doc, int width, int height, StretchFilter filter);

// The base image as a new, opaque, selected layer over the whole card; the base image keeps its
// size and becomes transparent white, drawn opaque. Drops any selection or crop frame first. No
// undo step.
BitmapLayer& BackgroundToLayer(CardDocument& doc);

}  // namespace velmora
