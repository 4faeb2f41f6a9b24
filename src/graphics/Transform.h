#pragma once

#include <array>

#include "graphics/Bitmap32.h"
#include "graphics/Blend.h"
#include "graphics/Geometry.h"

namespace velmora {

// A plane mapping from source to destination coordinates as a 3 x 3 matrix acting on
// (x, y, 1): affine maps keep the last row (0, 0, 1); projective ones divide by the third
// coordinate. Coordinates are continuous: pixel (x, y) covers [x, x + 1) x [y, y + 1).
class Transformation {
 public:
  using Matrix = std::array<std::array<double, 3>, 3>;

  Transformation();  // identity, empty source rectangle

  // The part of the source bitmap the transformation draws.
  const FloatRect& source_rect() const noexcept { return source_rect_; }
  void set_source_rect(const FloatRect& r) noexcept { source_rect_ = r; }

  const Matrix& matrix() const noexcept { return m_; }
  bool affine() const noexcept { return m_[2][0] == 0 && m_[2][1] == 0 && m_[2][2] == 1; }

  FloatPoint Transform(FloatPoint p) const noexcept;
  // The source point that maps onto p; false when the mapping cannot be inverted there.
  bool ReverseTransform(FloatPoint p, FloatPoint& out) const noexcept;
  // Bounding box of the source rectangle's image.
  FloatRect TransformedBounds() const noexcept;

  // The inverse matrix (false when the matrix is singular).
  bool Inverse(Matrix& out) const noexcept;

 protected:
  Matrix m_;
  FloatRect source_rect_;
};

// Translations, rotations and scalings composed in the order they are called: each call applies
// after the ones before it.
class AffineTransformation : public Transformation {
 public:
  void Clear() noexcept;  // back to the identity
  void Translate(double dx, double dy) noexcept;
  void Scale(double sx, double sy) noexcept;
  // Turns by `degrees` about (cx, cy); positive turns counter-clockwise on screen (y down).
  void Rotate(double cx, double cy, double degrees) noexcept;
  void Rotate(double degrees) noexcept { Rotate(0, 0, degrees); }
};

// The unique homography sending the source rectangle's corners (left, top), (right, top),
// (right, bottom), (left, bottom) to the four given points in that order. A degenerate
// quadrilateral (three corners on a line) gives a singular matrix, which draws nothing.
class ProjectiveTransformation : public Transformation {
 public:
  void SetCorners(const FloatRect& source, const std::array<FloatPoint, 4>& corners) noexcept;
};

// Draws src through t into dst: every destination pixel (inside clip, when given) whose centre
// maps back into t's source rectangle takes a sample of src, nearest or bilinear by the style's
// filter (any filter but kNearest samples bilinearly), combined by the style's draw mode and
// master alpha. Pixels whose centre maps outside are left untouched.
void Transform(Bitmap32& dst, const Bitmap32& src, const Transformation& t);
void Transform(Bitmap32& dst, const Bitmap32& src, const Transformation& t, const IntRect& clip,
               const DrawStyle& style);

}  // namespace velmora
