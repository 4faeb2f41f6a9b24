#include "effects/GeometryTransforms.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "document/UndoRedo.h"
#include "graphics/Draw.h"
#include "graphics/Error.h"
#include "graphics/Parallel.h"
#include "graphics/PixelFilters.h"
#include "graphics/Transform.h"

namespace velmora {
namespace {

// The value of pi the rotation's size formulas are defined with.
constexpr double kRotationPi = 3.14159265358979;
// Pixels a side of the square tiles a quarter turn copies, so reads and writes both stay within
// a few cache lines.
constexpr int kTile = 64;
// Width of the transparent rim a free rotation fades out.
constexpr int kRimWidth = 2;
constexpr Color32 kOpaqueBlack = 0xFF000000;

// Rows and columns 0, 1, n - 2, n - 1 of the alpha map become opaque black (alpha 0 once read
// back as intensity). Only those inside the map are written.
void ClearRim(Bitmap32& map) noexcept {
  const int w = map.width(), h = map.height();
  for (int y = 0; y < h; ++y) {
    Color32* row = map.Row(y);
    if (y < kRimWidth || y >= h - kRimWidth) {
      std::fill(row, row + w, kOpaqueBlack);
      continue;
    }
    for (int x = 0; x < std::min(kRimWidth, w); ++x) row[x] = kOpaqueBlack;
    for (int x = std::max(0, w - kRimWidth); x < w; ++x) row[x] = kOpaqueBlack;
  }
}

float ScaledCoordinate(float v, long double factor) {
  return static_cast<float>(RoundHalfEven(static_cast<double>(v / factor)));
}

}  // namespace

void CopyDrawingSettings(Bitmap32& to, const Bitmap32& from) noexcept {
  to.set_draw_mode(from.draw_mode());
  to.set_master_alpha(from.master_alpha());
  to.set_stretch_filter(from.stretch_filter());
  to.set_outer_color(from.outer_color());
}

Bitmap32 Rotated90(const Bitmap32& src, TurnDirection direction) {
  const int w = src.width(), h = src.height();
  Bitmap32 dst;
  CopyDrawingSettings(dst, src);
  dst.SetSizeForOverwrite(h, w);
  if (dst.empty()) return dst;
  const bool clockwise = direction == TurnDirection::kClockwise;
  // Destination (X, Y) takes source (Y, H - 1 - X) clockwise, (W - 1 - Y, X) counterclockwise.
  const int bands = (w + kTile - 1) / kTile;
  ParallelRows(bands, int64_t{kTile} * h, [&](int first, int last) {
    for (int band = first; band < last; ++band) {
      const int y0 = band * kTile, y1 = std::min(w, y0 + kTile);
      for (int x0 = 0; x0 < h; x0 += kTile) {
        const int x1 = std::min(h, x0 + kTile);
        for (int y = y0; y < y1; ++y) {
          Color32* out = dst.Row(y);
          if (clockwise) {
            for (int x = x0; x < x1; ++x) out[x] = src.Row(h - 1 - x)[y];
          } else {
            for (int x = x0; x < x1; ++x) out[x] = src.Row(x)[w - 1 - y];
          }
        }
      }
    }
  });
  return dst;
}

void Flip(Bitmap32& b, FlipDirection direction) noexcept {
  const int w = b.width(), h = b.height();
  if (b.empty()) return;
  if (direction == FlipDirection::kTopToBottom) {
    for (int y = 0; y < h / 2; ++y) std::swap_ranges(b.Row(y), b.Row(y) + w, b.Row(h - 1 - y));
    return;
  }
  ParallelRows(h, w, [&](int first, int last) {
    for (int y = first; y < last; ++y) std::reverse(b.Row(y), b.Row(y) + w);
  });
}

TurnedSize TurnedSizeOf(int w, int h, int degrees) noexcept {
  const double theta = -degrees * kRotationPi / 180.0;
  const float c = static_cast<float>(std::fabs(std::cos(theta)));
  const float s = static_cast<float>(std::fabs(std::sin(theta)));
  const float fw = static_cast<float>(w), fh = static_cast<float>(h);
  return {c * fw + s * fh, s * fw + c * fh};
}

TurnedLayer RotateByAngle(const Bitmap32& bitmap, const Location& location, int degrees,
                          StretchFilter filter) {
  const int w = bitmap.width(), h = bitmap.height();
  const TurnedSize size = TurnedSizeOf(w, h, degrees);
  const int new_w = RoundHalfEvenInt(size.width), new_h = RoundHalfEvenInt(size.height);
  CheckPictureSize(new_w, new_h, "turned layer");
  if (filter != StretchFilter::kNearest) filter = StretchFilter::kLinear;

  AffineTransformation turn;
  turn.set_source_rect({0, 0, double(w), double(h)});
  turn.Translate(-w / 2.0, -h / 2.0);
  turn.Rotate(-degrees);  // Rotate turns counter-clockwise for positive degrees
  turn.Translate(size.width / 2.0, size.height / 2.0);

  Bitmap32 alpha_map;
  AlphaToGrayscale(alpha_map, bitmap);
  alpha_map.set_draw_mode(DrawMode::kOpaque);
  alpha_map.set_stretch_filter(filter);
  ClearRim(alpha_map);

  // The colours are copied, not blended: the layer's opacity stays a setting and is not burnt
  // into the pixels against the black ground.
  Bitmap32 opaque = bitmap;
  SetAlpha(opaque, 255);
  opaque.set_draw_mode(DrawMode::kOpaque);
  opaque.set_stretch_filter(filter);

  TurnedLayer result;
  result.bitmap.SetSize(new_w, new_h);
  result.bitmap.Clear(kOpaqueBlack);
  Transform(result.bitmap, opaque, turn);
  Bitmap32 alpha(new_w, new_h);
  Transform(alpha, alpha_map, turn);
  IntensityToAlpha(result.bitmap, alpha);
  CopyDrawingSettings(result.bitmap, bitmap);
  result.bitmap.set_stretch_filter(filter);

  result.location = {location.left, location.top, location.left + size.width,
                     location.top + size.height};
  return result;
}

void Reselect(CardDocument& doc, Layer& layer) {
  doc.SelectLayer(nullptr);
  doc.SelectLayer(&layer);
}

void RotateLayer90(CardDocument& doc, TurnDirection direction) {
  BitmapLayer* layer = doc.SelectedBitmap();
  if (!layer) return;
  RememberGeometry(doc);
  const Location l = layer->location();
  Bitmap32 turned = Rotated90(layer->bitmap(), direction);
  layer->MutableBitmap() = std::move(turned);
  layer->set_location({l.left, l.top, l.left + (l.bottom - l.top), l.top + (l.right - l.left)});
  Reselect(doc, *layer);
  doc.Changed();
}

void FlipLayer(CardDocument& doc, FlipDirection direction) {
  BitmapLayer* layer = doc.SelectedBitmap();
  if (!layer) return;
  RememberEffect(doc);
  Flip(layer->MutableBitmap(), direction);
  doc.Changed();
}

void TurnSelectedLayer(CardDocument& doc, int degrees, bool bilinear) {
  BitmapLayer* layer = doc.SelectedBitmap();
  if (!layer) return;
  TurnedLayer turned = RotateByAngle(layer->bitmap(), layer->location(), degrees,
                                     bilinear ? StretchFilter::kLinear : StretchFilter::kNearest);
  layer->MutableBitmap() = std::move(turned.bitmap);
  layer->set_location(turned.location);
  Reselect(doc, *layer);
  doc.Changed();
}

const std::vector<ResampleMethod>& ResampleMethods() {
  static const std::vector<ResampleMethod> methods = {
      {"nearest", "Nearest", StretchFilter::kNearest},
      {"bilinear", "Bilinear (Optimal)", StretchFilter::kSmoothLinear},
      {"spline", "Spline", StretchFilter::kSpline},
  };
  return methods;
}

const ResampleMethod* FindResampleMethod(std::string_view id) noexcept {
  for (const ResampleMethod& m : ResampleMethods()) {
    if (m.id == id) return &m;
  }
  return nullptr;
}

void ResizeImage(CardDocument& doc, int width, int height, StretchFilter filter) {
  if (width < 1 || height < 1) throw Error("invalid picture size");
  CheckPictureSize(width, height, "Image Size");
  RememberSize(doc);
  const Bitmap32& base = doc.base_image();
  if (width != base.width() || height != base.height()) {
    const long double sx = static_cast<long double>(base.width()) / width;
    const long double sy = static_cast<long double>(base.height()) / height;
    Bitmap32 resized = Resized(base, width, height, filter);
    doc.MutableBaseImage() = std::move(resized);
    for (int i = 0; i < doc.LayerCount(); ++i) {
      Layer& layer = doc.LayerAt(i);
      const Location& l = layer.location();
      layer.set_location({ScaledCoordinate(l.left, sx), ScaledCoordinate(l.top, sy),
                          ScaledCoordinate(l.right, sx), ScaledCoordinate(l.bottom, sy)});
    }
  }
  doc.Changed();
}

BitmapLayer& BackgroundToLayer(CardDocument& doc) {
  doc.DropFrameLayer();
  Bitmap32 pixels = doc.base_image();
  SetAlpha(pixels, 255);
  const Location whole{0, 0, float(pixels.width()), float(pixels.height())};
  Bitmap32& base = doc.MutableBaseImage();
  base.set_draw_mode(DrawMode::kOpaque);
  base.Clear(0x00FFFFFF);
  BitmapLayer& layer = doc.AppendBitmapLayer(std::move(pixels), whole);
  layer.set_scaled(true);
  doc.SelectLayer(&layer);
  doc.Changed();
  return layer;
}

}  // namespace velmora
