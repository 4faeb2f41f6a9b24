#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/CardDocument.h"

namespace velmora {

// Which part of the rubber band is dragged.
enum class DragHandle : uint8_t {
  kBody,  // a move, not a resize
  kLeft,
  kTop,
  kRight,
  kBottom,
  kTopLeft,
  kTopRight,
  kBottomLeft,
  kBottomRight,
};

// A proportion the crop frame can be held to (ratio = width / height).
struct CropRatio {
  std::string_view id;
  std::string_view text;  // the list entry
  double landscape = 0;   // 0: no constraint
  double portrait = 0;
};

// The proportions list, in its order: "Free", "Image 1:1", "Golden Mean", "Movie 16 : 9",
// "Photo 10 x 15", "Photo 15 x 21".
const std::vector<CropRatio>& CropRatios();

// The state of the window's controls that the rule reads.
struct ResizeContext {
  bool ctrl = false;             // centre-anchored resize
  bool keep_proportions = true;  // "Keep Proportions"
  int crop_ratio = 0;            // index into CropRatios()
  bool portrait = false;         // "Portrait"
};

// Adjusts the rectangle proposed while a handle of the rubber band is dragged around the
// selected layer, whose rectangle was `old_rect`: centre-anchored with Ctrl, the selected
// bitmap's proportions with Keep Proportions, the chosen ratio for a crop frame. Counts as a
// change of the card. For a crop frame it returns the status text of the frame's size
// ("<width>x<height>", measured before this step).
std::optional<std::string> ApplyResizeRule(CardDocument& doc, const ResizeContext& context,
                                           const FloatRect& old_rect, FloatRect& proposed,
                                           DragHandle handle);

}  // namespace velmora
