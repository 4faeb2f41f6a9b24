#pragma once

#include <algorithm>

namespace velmora {

// A rectangle of whole pixels, right and bottom exclusive.
struct IntRect {
  int left = 0, top = 0, right = 0, bottom = 0;

  constexpr int width() const noexcept { return right - left; }
  constexpr int height() const noexcept { return bottom - top; }
  constexpr bool empty() const noexcept { return right <= left || bottom <= top; }
  constexpr bool Contains(int x, int y) const noexcept {
    return x >= left && x < right && y >= top && y < bottom;
  }
  friend constexpr bool operator==(const IntRect&, const IntRect&) = default;
};

constexpr IntRect Intersect(const IntRect& a, const IntRect& b) noexcept {
  return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
          std::min(a.bottom, b.bottom)};
}

struct FloatPoint {
  double x = 0, y = 0;
  friend constexpr bool operator==(const FloatPoint&, const FloatPoint&) = default;
};

// A rectangle in continuous coordinates (layer locations are stored as single floats; the
// arithmetic on them is done in double).
struct FloatRect {
  double left = 0, top = 0, right = 0, bottom = 0;

  constexpr double width() const noexcept { return right - left; }
  constexpr double height() const noexcept { return bottom - top; }
  friend constexpr bool operator==(const FloatRect&, const FloatRect&) = default;
};

// Each coordinate rounded to the nearest integer, halves to even.
IntRect RoundRect(const FloatRect& r) noexcept;

}  // namespace velmora
