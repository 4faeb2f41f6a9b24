#include "effects/ImageSizeFields.h"

#include <algorithm>
#include <cmath>

#include "graphics/PixelMath.h"

namespace velmora {
namespace {

// Rounded (halves to even) and limited to lo..hi; a value too large for an int is the limit.
int RoundInto(double v, int lo, int hi) noexcept {
  if (!(v >= lo)) return lo;  // also NaN
  if (v >= hi) return hi;
  return std::clamp(RoundHalfEvenInt(v), lo, hi);
}

int Side(double v) noexcept {
  return RoundInto(v, ImageSizeFields::kMinSide, ImageSizeFields::kMaxSide);
}

}  // namespace

double ImageSizeFields::KilobytesOf(int w, int h) noexcept { return double(w) * h * 4 / 1024; }

void ImageSizeFields::Activate(int base_width, int base_height) {
  base_width_ = base_width;
  base_height_ = base_height;
  width_ = std::clamp(base_width, kMinSide, kMaxSide);
  height_ = std::clamp(base_height, kMinSide, kMaxSide);
  UpdateKilobytes();
  if (base_width > 0 && base_height > 0) aspect_ = double(base_width) / base_height;
}

void ImageSizeFields::SetWidth(int width) {
  width_ = std::clamp(width, kMinSide, kMaxSide);
  if (aspect_ != 0 && keep_proportions_) height_ = Side(width_ / aspect_);
  UpdateKilobytes();
}

void ImageSizeFields::SetHeight(int height) {
  height_ = std::clamp(height, kMinSide, kMaxSide);
  if (aspect_ != 0 && keep_proportions_) width_ = Side(height_ * aspect_);
  UpdateKilobytes();
}

void ImageSizeFields::SetKilobytes(int kilobytes) {
  kilobytes_ = std::clamp(kilobytes, kMinKilobytes, kMaxKilobytes);
  if (base_width_ <= 0 || base_height_ <= 0) return;  // no picture to measure against
  const double k = std::sqrt(KilobytesOf(base_width_, base_height_) / kilobytes_);
  width_ = Side(base_width_ / k);
  height_ = Side(base_height_ / k);
}

void ImageSizeFields::UpdateKilobytes() noexcept {
  kilobytes_ = RoundInto(KilobytesOf(width_, height_), kMinKilobytes, kMaxKilobytes);
}

}  // namespace velmora
