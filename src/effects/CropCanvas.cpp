#include "effects/CropCanvas.h"

#include <cmath>
#include <cstdlib>
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
  FloatRect r = frame->location().ToRect();
  if (r.left < 0) r.left = 0;
  if (r.right > base.width()) r.right = base.width();
  if (r.top < 0) r.top = 0;
  if (r.bottom > base.height()) r.bottom = base.height();
  const int ox = RoundHalfEvenInt(r.left), oy = RoundHalfEvenInt(r.top);
  const IntRect part{ox, oy, RoundHalfEvenInt(r.right), RoundHalfEvenInt(r.bottom)};
  const int width = std::abs(RoundHalfEvenInt(r.right - r.left));
  const int height = std::abs(RoundHalfEvenInt(r.top - r.bottom));
  // A frame beside the card (or thinner than a pixel on it) leaves nothing to cut: reading its
  // rectangle would reach outside the base image, and an empty card is never what was meant.
  if (part.empty() || width < 1 || height < 1) {
    doc.DropFrameLayer();
    return false;
  }

  RememberCrop(doc, ox, oy);
  Bitmap32 cut(width, height);
  DrawStyle copy = DrawStyle::Of(base);
  copy.mode = DrawMode::kOpaque;
  StretchDraw(cut, cut.BoundsRect(), cut.BoundsRect(), base, part, copy);
  Bitmap32& target = doc.MutableBaseImage();
  target.CopyPixelsFrom(cut);
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
