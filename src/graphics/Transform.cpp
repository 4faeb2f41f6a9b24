#include "graphics/Transform.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "graphics/Parallel.h"
#include "graphics/Resample.h"

namespace velmora {
namespace {

using Matrix = Transformation::Matrix;

constexpr Matrix kIdentity = {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};

Matrix Multiply(const Matrix& a, const Matrix& b) noexcept {
  Matrix r{};
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j)
      for (int k = 0; k < 3; ++k) r[i][j] += a[i][k] * b[k][j];
  return r;
}

// The adjugate-based inverse; false for a (nearly) singular matrix.
bool Invert(const Matrix& m, Matrix& out) noexcept {
  const double c00 = m[1][1] * m[2][2] - m[1][2] * m[2][1];
  const double c01 = m[1][2] * m[2][0] - m[1][0] * m[2][2];
  const double c02 = m[1][0] * m[2][1] - m[1][1] * m[2][0];
  const double det = m[0][0] * c00 + m[0][1] * c01 + m[0][2] * c02;
  double scale = 0;
  for (const auto& row : m)
    for (double v : row) scale = std::max(scale, std::fabs(v));
  if (!std::isfinite(det) || std::fabs(det) <= 1e-12 * scale * scale * scale) return false;
  const double inv = 1.0 / det;
  out[0][0] = c00 * inv;
  out[0][1] = (m[0][2] * m[2][1] - m[0][1] * m[2][2]) * inv;
  out[0][2] = (m[0][1] * m[1][2] - m[0][2] * m[1][1]) * inv;
  out[1][0] = c01 * inv;
  out[1][1] = (m[0][0] * m[2][2] - m[0][2] * m[2][0]) * inv;
  out[1][2] = (m[0][2] * m[1][0] - m[0][0] * m[1][2]) * inv;
  out[2][0] = c02 * inv;
  out[2][1] = (m[0][1] * m[2][0] - m[0][0] * m[2][1]) * inv;
  out[2][2] = (m[0][0] * m[1][1] - m[0][1] * m[1][0]) * inv;
  return true;
}

// The homography taking the unit square's corners (0,0), (1,0), (1,1), (0,1) to q[0..3].
bool SquareToQuad(const std::array<FloatPoint, 4>& q, Matrix& m) noexcept {
  const double dx1 = q[1].x - q[2].x, dx2 = q[3].x - q[2].x;
  const double dy1 = q[1].y - q[2].y, dy2 = q[3].y - q[2].y;
  const double sx = q[0].x - q[1].x + q[2].x - q[3].x;
  const double sy = q[0].y - q[1].y + q[2].y - q[3].y;
  double g = 0, h = 0;
  if (sx != 0 || sy != 0) {
    const double det = dx1 * dy2 - dx2 * dy1;
    if (det == 0) return false;
    g = (sx * dy2 - dx2 * sy) / det;
    h = (dx1 * sy - sx * dy1) / det;
  }
  m = {{{q[1].x - q[0].x + g * q[1].x, q[3].x - q[0].x + h * q[3].x, q[0].x},
        {q[1].y - q[0].y + g * q[1].y, q[3].y - q[0].y + h * q[3].y, q[0].y},
        {g, h, 1}}};
  return true;
}

}  // namespace

Transformation::Transformation() : m_(kIdentity) {}

FloatPoint Transformation::Transform(FloatPoint p) const noexcept {
  const double x = m_[0][0] * p.x + m_[0][1] * p.y + m_[0][2];
  const double y = m_[1][0] * p.x + m_[1][1] * p.y + m_[1][2];
  const double w = m_[2][0] * p.x + m_[2][1] * p.y + m_[2][2];
  return {x / w, y / w};
}

bool Transformation::Inverse(Matrix& out) const noexcept { return Invert(m_, out); }

bool Transformation::ReverseTransform(FloatPoint p, FloatPoint& out) const noexcept {
  Matrix inv;
  if (!Inverse(inv)) return false;
  const double x = inv[0][0] * p.x + inv[0][1] * p.y + inv[0][2];
  const double y = inv[1][0] * p.x + inv[1][1] * p.y + inv[1][2];
  const double w = inv[2][0] * p.x + inv[2][1] * p.y + inv[2][2];
  if (w == 0) return false;
  out = {x / w, y / w};
  return true;
}

FloatRect Transformation::TransformedBounds() const noexcept {
  const FloatRect& s = source_rect_;
  const FloatPoint corners[4] = {Transform({s.left, s.top}), Transform({s.right, s.top}),
                                 Transform({s.right, s.bottom}), Transform({s.left, s.bottom})};
  FloatRect r{corners[0].x, corners[0].y, corners[0].x, corners[0].y};
  for (const auto& c : corners) {
    r.left = std::min(r.left, c.x);
    r.top = std::min(r.top, c.y);
    r.right = std::max(r.right, c.x);
    r.bottom = std::max(r.bottom, c.y);
  }
  return r;
}

void AffineTransformation::Clear() noexcept { m_ = kIdentity; }

void AffineTransformation::Translate(double dx, double dy) noexcept {
  m_ = Multiply({{{1, 0, dx}, {0, 1, dy}, {0, 0, 1}}}, m_);
}

void AffineTransformation::Scale(double sx, double sy) noexcept {
  m_ = Multiply({{{sx, 0, 0}, {0, sy, 0}, {0, 0, 1}}}, m_);
}

void AffineTransformation::Rotate(double cx, double cy, double degrees) noexcept {
  const double a = degrees * std::numbers::pi / 180.0;
  const double c = std::cos(a), s = std::sin(a);
  Translate(-cx, -cy);
  // Counter-clockwise on a screen whose y axis points down.
  m_ = Multiply({{{c, s, 0}, {-s, c, 0}, {0, 0, 1}}}, m_);
  Translate(cx, cy);
}

void ProjectiveTransformation::SetCorners(const FloatRect& source,
                                          const std::array<FloatPoint, 4>& corners) noexcept {
  source_rect_ = source;
  Matrix square_to_quad;
  if (source.width() == 0 || source.height() == 0 || !SquareToQuad(corners, square_to_quad)) {
    m_ = {{{0, 0, 0}, {0, 0, 0}, {0, 0, 1}}};  // singular: draws nothing
    return;
  }
  const Matrix rect_to_square = {{{1.0 / source.width(), 0, -source.left / source.width()},
                                  {0, 1.0 / source.height(), -source.top / source.height()},
                                  {0, 0, 1}}};
  m_ = Multiply(square_to_quad, rect_to_square);
}

void Transform(Bitmap32& dst, const Bitmap32& src, const Transformation& t) {
  Transform(dst, src, t, dst.BoundsRect(), DrawStyle::Of(src));
}

void Transform(Bitmap32& dst, const Bitmap32& src, const Transformation& t, const IntRect& clip,
               const DrawStyle& style) {
  if (src.empty() || dst.empty()) return;
  if (style.mode == DrawMode::kBlend && style.master_alpha == 0) return;
  Matrix inv;
  if (!t.Inverse(inv)) return;
  // Source rectangle limited to the bitmap; samples are taken only where the centre maps inside.
  const FloatRect sr = t.source_rect();
  const double ul = std::max(sr.left, 0.0), ut = std::max(sr.top, 0.0);
  const double ur = std::min(sr.right, double(src.width()));
  const double ub = std::min(sr.bottom, double(src.height()));
  if (!(ul < ur && ut < ub)) return;
  const IntRect taps{static_cast<int>(std::floor(ul)), static_cast<int>(std::floor(ut)),
                     static_cast<int>(std::ceil(ur)), static_cast<int>(std::ceil(ub))};

  const FloatRect b = t.TransformedBounds();
  IntRect area{static_cast<int>(std::floor(std::max(b.left, -1e9))),
               static_cast<int>(std::floor(std::max(b.top, -1e9))),
               static_cast<int>(std::ceil(std::min(b.right, 1e9))),
               static_cast<int>(std::ceil(std::min(b.bottom, 1e9)))};
  // A projective map can send part of the plane through infinity; then search the whole clip.
  if (!t.affine()) area = dst.BoundsRect();
  area = Intersect(Intersect(area, dst.BoundsRect()), clip);
  if (area.empty()) return;

  const bool nearest = style.filter == StretchFilter::kNearest;
  const int n = area.width();
  ParallelRows(area.height(), int64_t{n} * 4, [&](int first, int last) {
    std::vector<Color32> line(n);
    std::vector<uint8_t> hit(n);
    for (int row = first; row < last; ++row) {
      const double py = area.top + row + 0.5;
      bool any = false;
      for (int i = 0; i < n; ++i) {
        const double px = area.left + i + 0.5;
        double u = inv[0][0] * px + inv[0][1] * py + inv[0][2];
        double v = inv[1][0] * px + inv[1][1] * py + inv[1][2];
        const double w = inv[2][0] * px + inv[2][1] * py + inv[2][2];
        if (w != 1.0) {
          if (w <= 0) {
            hit[i] = 0;
            continue;
          }
          u /= w;
          v /= w;
        }
        if (!(u >= ul && u < ur && v >= ut && v < ub)) {
          hit[i] = 0;
          continue;
        }
        hit[i] = 1;
        any = true;
        line[i] = nearest ? src.Pixel(static_cast<int>(u), static_cast<int>(v))
                          : SampleBilinear(src, taps, u, v);
      }
      if (!any) continue;
      Color32* d = dst.Row(area.top + row) + area.left;
      // Combine each run of hit pixels in one call.
      for (int i = 0; i < n;) {
        if (!hit[i]) {
          ++i;
          continue;
        }
        int j = i;
        while (j < n && hit[j]) ++j;
        CombineLine(d + i, line.data() + i, j - i, style.mode, style.master_alpha);
        i = j;
      }
    }
  });
}

}  // namespace velmora
