#include "effects/PerspectiveCorrection.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "document/UndoRedo.h"
#include "effects/GeometryTransforms.h"
#include "graphics/Draw.h"
#include "graphics/Error.h"
#include "graphics/Transform.h"

namespace velmora {
namespace {

constexpr int kChequerSquare = 16;
constexpr Color32 kChequerWhite = 0xFFFFFFFF;
constexpr Color32 kChequerGrey = 0xFF7F7F7F;
constexpr Color32 kTransparentWhite = 0x00FFFFFF;
constexpr Color32 kBlack = 0xFF000000;
// The outline's dash: two steps black, two white; each pixel advances it by half a step.
constexpr Color32 kDash[4] = {kBlack, kBlack, 0xFFFFFFFF, 0xFFFFFFFF};
constexpr double kDashStep = 0.5;
// A press grabs a corner closer than this in both directions.
constexpr int kGrabDistance = 3;

StretchFilter FilterOf(bool interpolate) noexcept {
  return interpolate ? StretchFilter::kLinear : StretchFilter::kNearest;
}

std::array<FloatPoint, 4> ToPoints(const Corners& c, double dx, double dy, double r) noexcept {
  std::array<FloatPoint, 4> p;
  for (int i = 0; i < 4; ++i) p[i] = {(c[i].x - dx) * r, (c[i].y - dy) * r};
  return p;
}

void PutPixel(Bitmap32& view, int x, int y, Color32 c) noexcept {
  if (x >= 0 && y >= 0 && x < view.width() && y < view.height()) view.SetPixel(x, y, c);
}

// One dashed segment from a to b, one pixel a step along the longer axis; `counter` carries the
// dash on to the next segment.
void DashedLine(Bitmap32& view, CornerPoint a, CornerPoint b, double& counter) noexcept {
  const int dx = b.x - a.x, dy = b.y - a.y;
  const int steps = std::max(std::abs(dx), std::abs(dy));
  for (int i = 0; i < steps; ++i) {
    const double t = double(i) / steps;
    const long phase = std::lround(std::floor(counter)) % 4;
    PutPixel(view, RoundHalfEvenInt(a.x + dx * t), RoundHalfEvenInt(a.y + dy * t),
             kDash[phase < 0 ? phase + 4 : phase]);
    counter += kDashStep;
  }
}

void DrawHandle(Bitmap32& view, CornerPoint c) noexcept {
  for (int y = c.y - 3; y < c.y + 3; ++y) {
    for (int x = c.x - 3; x < c.x + 3; ++x) {
      const bool frame = x == c.x - 3 || x == c.x + 2 || y == c.y - 3 || y == c.y + 2;
      PutPixel(view, x, y, frame ? kBlack : 0xFFFFFFFF);
    }
  }
}

// Alpha of the outermost rows and columns := 0.
void ClearBorderAlpha(Bitmap32& b) noexcept {
  const int w = b.width(), h = b.height();
  for (int y = 0; y < h; ++y) {
    Color32* row = b.Row(y);
    if (y == 0 || y == h - 1) {
      for (int x = 0; x < w; ++x) row[x] = WithAlpha(row[x], 0);
    } else {
      row[0] = WithAlpha(row[0], 0);
      row[w - 1] = WithAlpha(row[w - 1], 0);
    }
  }
}

}  // namespace

PixelSize PreviewSourceSize(int full_w, int full_h, int area_w, int area_h) noexcept {
  if (full_w <= 0 || full_h <= 0) return {};
  const double a = double(full_w) / full_h;
  PixelSize s;
  if (a >= double(area_w) / area_h) {
    s.width = area_w - kPerspectiveMargin;
    s.height = RoundHalfEvenInt(s.width / a);
  } else {
    s.height = area_h - kPerspectiveMargin;
    s.width = RoundHalfEvenInt(s.height * a);
  }
  return {std::max(1, s.width), std::max(1, s.height)};
}

Bitmap32 MakePreviewSource(const Bitmap32& full, int area_w, int area_h) {
  const PixelSize s = PreviewSourceSize(full.width(), full.height(), area_w, area_h);
  Bitmap32 source = Resized(full, s.width, s.height, StretchFilter::kSmoothLinear);
  source.set_draw_mode(DrawMode::kBlend);
  source.set_master_alpha(255);
  return source;
}

Corners ResetCorners(int w, int h) noexcept {
  return {{{0, 0}, {w - 1, 0}, {w - 1, h - 1}, {0, h - 1}}};
}

void CornerDrag::Reset(int w, int h) noexcept {
  corners_ = ResetCorners(w, h);
  grabbed_ = kNone;
}

void CornerDrag::Press(int x, int y) noexcept {
  grabbed_ = kAll;
  for (int i = 0; i < 4; ++i) {
    if (std::abs(corners_[i].x - x) < kGrabDistance &&
        std::abs(corners_[i].y - y) < kGrabDistance) {
      grabbed_ = i;
      break;
    }
  }
  last_x_ = x;
  last_y_ = y;
}

bool CornerDrag::Move(int x, int y) noexcept {
  if (grabbed_ == kNone) return false;
  const int dx = x - last_x_, dy = y - last_y_;
  last_x_ = x;
  last_y_ = y;
  if (dx == 0 && dy == 0) return false;
  for (int i = 0; i < 4; ++i) {
    if (grabbed_ == kAll || grabbed_ == i) {
      corners_[i].x += dx;
      corners_[i].y += dy;
    }
  }
  return true;
}

void DrawChequer(Bitmap32& view) noexcept {
  for (int y = 0; y < view.height(); ++y) {
    Color32* row = view.Row(y);
    const int row_parity = (y / kChequerSquare) & 1;
    for (int x = 0; x < view.width(); ++x) {
      row[x] = ((x / kChequerSquare) & 1) != row_parity ? kChequerWhite : kChequerGrey;
    }
  }
}

void RenderPerspectivePreview(Bitmap32& view, const Bitmap32& source, const Corners& corners,
                              bool interpolate) {
  DrawChequer(view);
  if (source.empty()) return;
  ProjectiveTransformation mapping;
  mapping.SetCorners({0, 0, double(source.width() - 1), double(source.height() - 1)},
                     ToPoints(corners, 0, 0, 1));
  Transform(view, source, mapping, view.BoundsRect(),
            {DrawMode::kBlend, 255, FilterOf(interpolate)});
}

void DrawCornerOutline(Bitmap32& view, const Corners& corners, double dash_offset) noexcept {
  double counter = dash_offset;
  for (int i : {3, 0, 1, 2}) DashedLine(view, corners[i], corners[(i + 1) % 4], counter);
  for (const CornerPoint& c : corners) DrawHandle(view, c);
}

double PreviewRatio(int full_w, int preview_w) noexcept {
  return full_w <= 0 || preview_w <= 0 ? 0.0 : double(full_w) / preview_w;
}

CornerBox BoundingBoxOf(const Corners& c) noexcept {
  CornerBox box;
  box.left = std::min(c[0].x, c[3].x);
  box.width = std::abs(box.left - std::max(c[1].x, c[2].x));
  box.top = std::min(c[0].y, c[1].y);
  box.height = std::abs(box.top - std::max(c[2].y, c[3].y));
  return box;
}

PixelSize CorrectedSize(const Corners& corners, double r) noexcept {
  const CornerBox box = BoundingBoxOf(corners);
  // Sides far beyond any picture stay representable, so the size check can refuse them.
  const auto side = [r](int v) { return RoundHalfEvenInt(std::min(double(v) * r, 1e9)); };
  return {side(box.width), side(box.height)};
}

Bitmap32 CorrectPerspective(const Bitmap32& full, const Corners& corners, double r,
                            bool interpolate, std::optional<Color32> background) {
  const PixelSize size = CorrectedSize(corners, r);
  if (size.width < 1 || size.height < 1 || full.empty()) return Bitmap32();
  CheckPictureSize(size.width, size.height, "perspective correction");
  Bitmap32 result(size.width, size.height, background ? *background | kBlack : kTransparentWhite);

  Bitmap32 source = full;
  source.set_draw_mode(DrawMode::kBlend);
  source.set_stretch_filter(FilterOf(interpolate));
  ClearBorderAlpha(source);
  const CornerBox box = BoundingBoxOf(corners);
  ProjectiveTransformation mapping;
  mapping.SetCorners({0, 0, double(full.width()), double(full.height())},
                     ToPoints(corners, box.left, box.top, r));
  // Onto the background colour the picture blends; onto nothing it is copied, since blending
  // onto transparent white would pale the colours and square the alpha of soft pixels.
  DrawStyle style = DrawStyle::Of(source);
  if (!background) style = {DrawMode::kOpaque, 255, source.stretch_filter()};
  Transform(result, source, mapping, result.BoundsRect(), style);
  result.set_draw_mode(DrawMode::kBlend);
  return result;
}

bool ApplyPerspective(CardDocument& doc, const Bitmap32& full, int preview_width,
                      const Corners& corners, bool interpolate, Color32 background) {
  const double r = PreviewRatio(full.width(), preview_width);
  const PixelSize size = CorrectedSize(corners, r);
  if (size.width < 1 || size.height < 1 || full.empty()) return false;
  CheckPictureSize(size.width, size.height, "perspective correction");
  BitmapLayer* layer = doc.SelectedBitmap();
  if (!layer) {
    RememberCanvas(doc);
    Bitmap32 result = CorrectPerspective(full, corners, r, interpolate, background);
    CopyDrawingSettings(result, doc.base_image());
    doc.MutableBaseImage() = std::move(result);
    doc.Changed();
    return true;
  }
  RememberGeometry(doc);
  const Location l = layer->location();
  const double sx = std::fabs(double(l.right) - l.left) / layer->bitmap().width();
  const double sy = std::fabs(double(l.bottom) - l.top) / layer->bitmap().height();
  Bitmap32 result = CorrectPerspective(full, corners, r, interpolate, std::nullopt);
  CopyDrawingSettings(result, layer->bitmap());
  layer->MutableBitmap() = std::move(result);
  const Bitmap32& b = layer->bitmap();
  layer->set_location({l.left, l.top, static_cast<float>(l.left + b.width() * sx),
                       static_cast<float>(l.top + b.height() * sy)});
  Reselect(doc, *layer);
  doc.Changed();
  return true;
}

}  // namespace velmora
