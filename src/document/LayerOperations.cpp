#include "document/LayerOperations.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "document/ViewportRenderer.h"
#include "graphics/Draw.h"
#include "graphics/PixelFilters.h"
#include "imageio/PictureIO.h"

namespace velmora {
namespace {

bool IsSelectionOrCropFrame(const Layer& l) {
  return l.tag() == static_cast<int>(FrameTag::kSelection) ||
         l.tag() == static_cast<int>(FrameTag::kCrop);
}

// Frees the lowest selection or crop frame, if any (the selection is left alone).
void FreeFirstFrame(CardDocument& doc) {
  for (int i = 0; i < doc.LayerCount(); ++i) {
    if (IsSelectionOrCropFrame(doc.LayerAt(i))) {
      doc.FreeLayer(&doc.LayerAt(i));
      return;
    }
  }
}

Location Shifted(const Location& l, float d) {
  return {l.left + d, l.top + d, l.right + d, l.bottom + d};
}

}  // namespace

BitmapLayer& AddPhotoLayer(CardDocument& doc, Bitmap32 picture, FloatPoint centre) {
  doc.DropFrameLayer();
  SetAlpha(picture, 255);
  picture.set_stretch_filter(StretchFilter::kLinear);
  double w = picture.width(), h = picture.height();
  if (picture.height() > doc.base_image().height() && picture.height() > 0) {
    const double shown_h = double(RoundHalfEven(0.9 * doc.base_image().height()));
    w = double(RoundHalfEven(picture.width() / double(picture.height()) * shown_h));
    h = shown_h;
  }
  const Location location =
      Location::FromRect({centre.x - w / 2, centre.y - h / 2, centre.x + w / 2, centre.y + h / 2});
  BitmapLayer& layer = doc.AppendBitmapLayer(std::move(picture), location);
  doc.SelectLayer(&layer);
  return layer;
}

BitmapLayer& AddPhotoLayerFromFile(CardDocument& doc, const std::string& path, FloatPoint centre) {
  Bitmap32 picture = LoadPicture(path);  // throws before the document is touched
  return AddPhotoLayer(doc, std::move(picture), centre);
}

Layer* LayerAt(CardDocument& doc, FloatPoint point) {
  for (int i = doc.LayerCount() - 1; i >= 0; --i) {
    Layer& l = doc.LayerAt(i);
    const FloatRect r = l.location().ToRect();
    const double x0 = std::min(r.left, r.right), x1 = std::max(r.left, r.right);
    const double y0 = std::min(r.top, r.bottom), y1 = std::max(r.top, r.bottom);
    if (l.visible() && point.x >= x0 && point.x < x1 && point.y >= y0 && point.y < y1) return &l;
  }
  return nullptr;
}

void ClickLayer(CardDocument& doc, Layer* layer) {
  if (!layer) {
    doc.SelectLayer(nullptr);
    FreeFirstFrame(doc);
    return;
  }
  doc.SelectLayer(layer);
  const Layer* selected = doc.selected_layer();
  if (selected && !IsSelectionOrCropFrame(*selected)) FreeFirstFrame(doc);
}

void DuplicateSelected(CardDocument& doc) {
  Layer* selected = doc.selected_layer();
  if (!selected) return;
  const Location location = Shifted(selected->location(), 30);
  if (const BitmapLayer* b = selected->AsBitmap()) {
    BitmapLayer& copy = doc.AppendBitmapLayer(b->bitmap(), location);
    doc.SelectLayer(&copy);
  } else {
    FrameLayer& marker = doc.CreateFrameLayer({0, 0}, FrameTag::kBlankMarker);
    marker.set_location(location);
    doc.SelectLayer(&marker);
  }
}

void DeleteSelected(CardDocument& doc) {
  Layer* selected = doc.selected_layer();
  if (!selected) return;
  doc.SelectLayer(nullptr);
  doc.FreeLayer(selected);
}

void ReorderSelected(CardDocument& doc, int command) {
  const int i = doc.IndexOf(doc.selected_layer());
  if (i < 0) return;
  const int top = doc.LayerCount() - 1;  // directly below the rubber band
  switch (command) {
    case 1:
      doc.MoveLayer(i, top);
      break;
    case 2:
      doc.MoveLayer(i, 0);
      break;
    case 3:
      doc.MoveLayer(i, std::min(i + 1, top));
      break;
    case 4:
      doc.MoveLayer(i, i - 1);
      break;
    default:
      break;
  }
}

void FlattenLayers(CardDocument& doc) {
  doc.DropFrameLayer();
  doc.SelectLayer(nullptr);
  Bitmap32 picture;
  ViewportRenderer(false).Render(doc, ViewMapping{}, doc.base_image().BoundsRect(), nullptr,
                                 picture);
  doc.FreeAllLayers();
  picture.set_draw_mode(DrawMode::kOpaque);
  picture.set_stretch_filter(StretchFilter::kNearest);
  picture.set_master_alpha(255);
  picture.set_outer_color(doc.base_image().outer_color());
  doc.MutableBaseImage() = std::move(picture);
  doc.Changed();
}

void SetSelectedOpacity(CardDocument& doc, int opacity) {
  if (BitmapLayer* b = doc.SelectedBitmap()) {
    b->MutableBitmap().set_master_alpha(static_cast<uint8_t>(std::clamp(opacity, 0, 255)));
  }
  doc.Changed();
}

void SetSelectedInterpolation(CardDocument& doc, bool interpolate) {
  if (BitmapLayer* b = doc.SelectedBitmap()) {
    b->MutableBitmap().set_stretch_filter(interpolate ? StretchFilter::kLinear
                                                      : StretchFilter::kNearest);
  }
  doc.Changed();
}

void SetSelectedCropped(CardDocument& doc, bool cropped) {
  if (BitmapLayer* b = doc.SelectedBitmap()) b->set_cropped(cropped);
  doc.Changed();
}

void SetPictureInterpolation(CardDocument& doc, bool interpolate) {
  const StretchFilter f = interpolate ? StretchFilter::kLinear : StretchFilter::kNearest;
  doc.MutableBaseImage().set_stretch_filter(f);
  for (int i = 0; i < doc.LayerCount(); ++i) {
    if (BitmapLayer* b = doc.LayerAt(i).AsBitmap()) b->MutableBitmap().set_stretch_filter(f);
  }
  doc.Changed();
}

void LayerRescaleClick(CardDocument& doc) {
  if (BitmapLayer* b = doc.SelectedBitmap()) {
    const IntRect r = RoundRect(b->location().ToRect());
    // A layer is never made smaller than one pixel.
    const int w = std::max(1, r.width()), h = std::max(1, r.height());
    const Bitmap32 copy = b->bitmap();
    b->MutableBitmap() = Resized(copy, w, h, StretchFilter::kLinear);
    LayerResetScaleClick(doc);
  }
  doc.Changed();
}

void LayerResetScaleClick(CardDocument& doc) {
  if (BitmapLayer* b = doc.SelectedBitmap()) {
    const Location& l = b->location();
    doc.SetLayerLocation(*b, {l.left, l.top, l.left + float(b->bitmap().width()),
                              l.top + float(b->bitmap().height())});
  }
  doc.Changed();
}

}  // namespace velmora
