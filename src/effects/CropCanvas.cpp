#include "effects/CropCanvas.h"

#include <cmath>
#include <cstdlib>
#include <optional>
#include <utility>

#include "document/ResizeRule.h"
#include "document/UndoRedo.h"
#include "graphics/Draw.h"

namespace velmora {
namespace {

FrameLayer* SelectedCropFrame(CardDocument& doc) {
  Layer* selected = doc.selected_layer();
  FrameLayer* frame = selected ? selected->AsFrame() : nullptr;
  return frame && frame->frame_tag() == FrameTag::kCrop ? frame : nullptr;
}

// What "ОК" cuts: the base image's rectangle `part` (its top-left corner is the crop origin),
// drawn over a new card of width x height.
struct Cut {
  IntRect part;
  int width = 0, height = 0;
};

// The frame limited to the card, or nullopt when that leaves no whole pixel: a frame beside the
// card would have the cut read outside the base image, and an empty card is never what was
// meant.
std::optional<Cut> CutOf(FloatRect r, const Bitmap32& base) {
  if (r.left < 0) r.left = 0;
  if (r.right > base.width()) r.right = base.width();
  if (r.top < 0) r.top = 0;
  if (r.bottom > base.height()) r.bottom = base.height();
  if (!(r.left < r.right && r.top < r.bottom)) return std::nullopt;  // every edge is on the card
  Cut cut;
  cut.part = RoundRect(r);
  cut.width = std::abs(RoundHalfEvenInt(r.right - r.left));
  cut.height = std::abs(RoundHalfEvenInt(r.top - r.bottom));
  if (cut.part.empty() || cut.width < 1 || cut.height < 1) return std::nullopt;
  return cut;
}

}  // namespace

FrameLayer* StartCropCanvas(CardDocument& doc, FloatPoint view_centre) {
  if (doc.selection_panel() == SelectionPanel::kCropCanvas) return nullptr;
  doc.set_frame_alpha(255);
  doc.DropFrameLayer();
  FrameLayer& frame = doc.CreateFrameLayer(view_centre, FrameTag::kCrop);
  doc.SelectLayer(&frame);
  return &frame;
}

double CropRatioOf(int ratio_index, bool portrait) noexcept {
  const auto& ratios = CropRatios();
  if (ratio_index < 0 || ratio_index >= int(ratios.size())) return 0;
  return portrait ? ratios[ratio_index].portrait : ratios[ratio_index].landscape;
}

void FitCropToRatio(CardDocument& doc, int ratio_index, bool portrait) {
  const double ratio = CropRatioOf(ratio_index, portrait);
  FrameLayer* frame = SelectedCropFrame(doc);
  if (ratio == 0 || !frame) return;
  Location l = frame->location();
  const double width = std::fabs(double(l.right) - double(l.left));
  l.bottom = static_cast<float>(l.top + RoundHalfEven(width / ratio));
  doc.SetLayerLocation(*frame, l);
}

bool ApplyCropCanvas(CardDocument& doc) {
  FrameLayer* frame = SelectedCropFrame(doc);
  if (!frame) return false;
  const Bitmap32& base = doc.base_image();
  const std::optional<Cut> cut = CutOf(frame->location().ToRect(), base);
  if (!cut) {
    doc.DropFrameLayer();
    return false;
  }
  const int ox = cut->part.left, oy = cut->part.top;
  RememberCrop(doc, ox, oy);
  Bitmap32 pixels(cut->width, cut->height);
  DrawStyle copy = DrawStyle::Of(base);
  copy.mode = DrawMode::kOpaque;
  StretchDraw(pixels, pixels.BoundsRect(), pixels.BoundsRect(), base, cut->part, copy);
  doc.MutableBaseImage().CopyPixelsFrom(pixels);
  doc.DropFrameLayer();
  for (int i = 0; i < doc.LayerCount(); ++i) {
    Layer& layer = doc.LayerAt(i);
    const Location& l = layer.location();
    layer.set_location({l.left - ox, l.top - oy, l.right - ox, l.bottom - oy});
    if (BitmapLayer* b = layer.AsBitmap()) b->set_cropped(true);
  }
  doc.Changed();
  return true;
}

void CancelCropCanvas(CardDocument& doc) { doc.DropFrameLayer(); }

}  // namespace velmora
