#include "document/ResizeRule.h"

#include <cmath>

#include "graphics/PixelMath.h"

namespace velmora {
namespace {

bool Has(DragHandle h, DragHandle a, DragHandle b, DragHandle c) {
  return h == a || h == b || h == c;
}

}  // namespace

const std::vector<CropRatio>& CropRatios() {
  static const std::vector<CropRatio> ratios = {
      {"free", "Free", 0, 0},
      {"square", "Image 1:1", 1.0, 1.0},
      {"golden", "Golden Mean", 1.618, 0.6180469715698393},
      {"movie", "Movie 16 : 9", 1.778, 0.562429696287964},
      {"photo-10x15", "Photo 10 x 15", 1.5, 0.6666666666666666},
      {"photo-15x21", "Photo 15 x 21", 1.4, 0.7142857142857143},
  };
  return ratios;
}

std::optional<std::string> ApplyResizeRule(CardDocument& doc, const ResizeContext& context,
                                           const FloatRect& old_rect, FloatRect& proposed,
                                           DragHandle handle) {
  if (handle == DragHandle::kBody) return std::nullopt;
  using H = DragHandle;
  FloatRect& n = proposed;
  if (context.ctrl) {
    const double cx = (old_rect.left + old_rect.right) / 2;
    const double cy = (old_rect.top + old_rect.bottom) / 2;
    double w = old_rect.width() / 2, h = old_rect.height() / 2;
    if (Has(handle, H::kLeft, H::kTopLeft, H::kBottomLeft)) w = cx - n.left;
    if (Has(handle, H::kRight, H::kTopRight, H::kBottomRight)) w = n.right - cx;
    if (Has(handle, H::kTop, H::kTopLeft, H::kTopRight)) h = cy - n.top;
    if (Has(handle, H::kBottom, H::kBottomLeft, H::kBottomRight)) h = n.bottom - cy;
    w = std::max(w, 2.0);
    h = std::max(h, 2.0);
    n = {cx - w, cy - h, cx + w, cy + h};
  }
  const SelectionPanel panel = doc.selection_panel();
  if (context.keep_proportions && panel == SelectionPanel::kLayerProperties) {
    const Bitmap32& b = doc.SelectedBitmap()->bitmap();
    if (b.height() > 0 && b.width() > 0) {
      const double r = double(b.width()) / double(b.height());
      n.bottom = n.top + double(RoundHalfEven(std::fabs(n.right - n.left) / r));
    }
  }
  std::optional<std::string> status;
  if (panel == SelectionPanel::kCropCanvas) {
    const FloatRect l = doc.selected_layer()->location().ToRect();
    status = std::to_string(std::llabs(RoundHalfEven(l.left - l.right))) + "x" +
             std::to_string(RoundHalfEven(l.bottom - l.top));
    const auto& ratios = CropRatios();
    if (context.crop_ratio > 0 && context.crop_ratio < static_cast<int>(ratios.size())) {
      const CropRatio& ratio = ratios[context.crop_ratio];
      const double r = context.portrait ? ratio.portrait : ratio.landscape;
      n.bottom = n.top + double(RoundHalfEven(std::fabs(n.right - n.left) / r));
    }
  }
  doc.set_modified_mark(kMarkChanged);
  return status;
}

}  // namespace velmora
