#include "graphics/Bitmap32.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "graphics/Error.h"

namespace velmora {

void CheckPictureSize(int64_t width, int64_t height, const std::string& what) {
  const std::string prefix = what.empty() ? std::string() : what + ": ";
  if (width < 0 || height < 0) {
    throw Error(prefix + "invalid picture size: " + std::to_string(width) + " x " +
                std::to_string(height));
  }
  if (width > kMaxPictureSide || height > kMaxPictureSide || width * height > kMaxPicturePixels) {
    throw Error(prefix + "picture too large: " + std::to_string(width) + " x " +
                std::to_string(height));
  }
}

IntRect RoundRect(const FloatRect& r) noexcept {
  return {RoundHalfEvenInt(r.left), RoundHalfEvenInt(r.top), RoundHalfEvenInt(r.right),
          RoundHalfEvenInt(r.bottom)};
}

Bitmap32::Bitmap32(int width, int height, Color32 fill) {
  SetSize(width, height);
  if (fill != 0) Clear(fill);
}

Bitmap32::Bitmap32(const Bitmap32& other)
    : draw_mode_(other.draw_mode_),
      master_alpha_(other.master_alpha_),
      stretch_filter_(other.stretch_filter_),
      outer_color_(other.outer_color_) {
  CopyPixelsFrom(other);
}

Bitmap32& Bitmap32::operator=(const Bitmap32& other) {
  if (this != &other) {
    CopyPixelsFrom(other);
    draw_mode_ = other.draw_mode_;
    master_alpha_ = other.master_alpha_;
    stretch_filter_ = other.stretch_filter_;
    outer_color_ = other.outer_color_;
  }
  return *this;
}

Bitmap32::Bitmap32(Bitmap32&& other) noexcept
    : width_(std::exchange(other.width_, 0)),
      height_(std::exchange(other.height_, 0)),
      pixels_(std::move(other.pixels_)),
      draw_mode_(other.draw_mode_),
      master_alpha_(other.master_alpha_),
      stretch_filter_(other.stretch_filter_),
      outer_color_(other.outer_color_) {}

Bitmap32& Bitmap32::operator=(Bitmap32&& other) noexcept {
  if (this != &other) {
    width_ = std::exchange(other.width_, 0);
    height_ = std::exchange(other.height_, 0);
    pixels_ = std::move(other.pixels_);
    draw_mode_ = other.draw_mode_;
    master_alpha_ = other.master_alpha_;
    stretch_filter_ = other.stretch_filter_;
    outer_color_ = other.outer_color_;
  }
  return *this;
}

void Bitmap32::SetSize(int width, int height) {
  SetSizeForOverwrite(width, height);
  Clear(0);
}

void Bitmap32::SetSizeForOverwrite(int width, int height) {
  CheckPictureSize(width, height);
  if (width == 0 || height == 0) {
    width = height = 0;
  }
  const size_t count = size_t(width) * size_t(height);
  if (count != PixelCount() || !pixels_) {
    pixels_ = count ? std::make_unique_for_overwrite<Color32[]>(count) : nullptr;
  }
  width_ = width;
  height_ = height;
}

void Bitmap32::Clear(Color32 c) noexcept {
  if (empty()) return;
  std::fill_n(pixels_.get(), PixelCount(), c);
}

void Bitmap32::FillRect(const IntRect& r, Color32 c) noexcept {
  const IntRect clip = Intersect(r, BoundsRect());
  if (clip.empty()) return;
  for (int y = clip.top; y < clip.bottom; ++y) {
    std::fill_n(Row(y) + clip.left, clip.width(), c);
  }
}

void Bitmap32::CopyPixelsFrom(const Bitmap32& other) {
  if (this == &other) return;
  const size_t count = other.PixelCount();
  if (count != PixelCount() || !pixels_) {
    pixels_ = count ? std::make_unique_for_overwrite<Color32[]>(count) : nullptr;
  }
  width_ = other.width_;
  height_ = other.height_;
  if (count) std::memcpy(pixels_.get(), other.pixels_.get(), count * sizeof(Color32));
}

bool SamePixels(const Bitmap32& a, const Bitmap32& b) noexcept {
  if (a.width() != b.width() || a.height() != b.height()) return false;
  if (a.empty()) return true;
  return std::memcmp(a.Bits(), b.Bits(), a.PixelCount() * sizeof(Color32)) == 0;
}

}  // namespace velmora
