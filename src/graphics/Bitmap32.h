#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "graphics/Geometry.h"
#include "graphics/PixelMath.h"

namespace velmora {

// How a bitmap combines with what it is drawn onto: kOpaque copies its pixels (alpha byte
// included, master alpha ignored); kBlend applies the blend rule with each pixel's alpha scaled
// by the master alpha.
enum class DrawMode : uint8_t { kOpaque, kBlend };

// How a bitmap is resampled when it is drawn scaled or transformed.
//   kNearest       the source pixel whose area holds the sample point.
//   kLinear        bilinear interpolation of the four nearest pixels (the view's filter).
//   kSmoothLinear  the "Bilinear (Optimal)" filter: a triangle kernel that widens with the
//                  reduction, so a shrunken picture averages every pixel it covers.
//   kSpline        Mitchell-Netravali cubic (B = C = 1/3), widened with the reduction.
enum class StretchFilter : uint8_t { kNearest, kLinear, kSmoothLinear, kSpline };

// Pictures larger than this are refused before anything is allocated.
inline constexpr int kMaxPictureSide = 32000;
inline constexpr int64_t kMaxPicturePixels = int64_t{1} << 28;

// Throws Error("<what>: picture too large: W x H") (or "invalid picture size") unless
// 0 <= w, h <= kMaxPictureSide and w x h <= kMaxPicturePixels.
void CheckPictureSize(int64_t width, int64_t height, const std::string& what = "");

// A 32-bit picture: pixels 0xAARRGGBB, rows from the top, each row `width` pixels with no
// padding. An empty bitmap is 0 x 0. Copying copies the pixels and every drawing setting.
class Bitmap32 {
 public:
  Bitmap32() = default;
  Bitmap32(int width, int height, Color32 fill = 0);
  Bitmap32(const Bitmap32& other);
  Bitmap32& operator=(const Bitmap32& other);
  Bitmap32(Bitmap32&& other) noexcept;
  Bitmap32& operator=(Bitmap32&& other) noexcept;
  ~Bitmap32() = default;

  int width() const noexcept { return width_; }
  int height() const noexcept { return height_; }
  bool empty() const noexcept { return width_ == 0 || height_ == 0; }
  IntRect BoundsRect() const noexcept { return {0, 0, width_, height_}; }
  size_t PixelCount() const noexcept { return size_t(width_) * size_t(height_); }

  // New size; every pixel becomes 0 (transparent black). Keeps the drawing settings. Throws
  // Error for a negative or too large size. A size of 0 in either direction empties the bitmap.
  void SetSize(int width, int height);
  // The same, but the pixels are left unspecified: for callers that overwrite every pixel.
  void SetSizeForOverwrite(int width, int height);
  // Every pixel := c.
  void Clear(Color32 c = 0) noexcept;
  // Pixels of r (clipped to the bitmap) := c. No blending.
  void FillRect(const IntRect& r, Color32 c) noexcept;
  // Copies pixels, size and every drawing setting of other.
  void Assign(const Bitmap32& other) { *this = other; }

  Color32* Row(int y) noexcept { return pixels_.get() + size_t(y) * size_t(width_); }
  const Color32* Row(int y) const noexcept { return pixels_.get() + size_t(y) * size_t(width_); }
  Color32* Bits() noexcept { return pixels_.get(); }
  const Color32* Bits() const noexcept { return pixels_.get(); }
  // Single-pixel access for tests and rare uses; (x, y) must be inside.
  Color32 Pixel(int x, int y) const noexcept { return Row(y)[x]; }
  void SetPixel(int x, int y, Color32 c) noexcept { Row(y)[x] = c; }

  DrawMode draw_mode() const noexcept { return draw_mode_; }
  void set_draw_mode(DrawMode m) noexcept { draw_mode_ = m; }
  // Opacity 0..255 applied when the bitmap is drawn in blend mode.
  uint8_t master_alpha() const noexcept { return master_alpha_; }
  void set_master_alpha(uint8_t a) noexcept { master_alpha_ = a; }
  StretchFilter stretch_filter() const noexcept { return stretch_filter_; }
  void set_stretch_filter(StretchFilter f) noexcept { stretch_filter_ = f; }
  // The colour the bitmap is thought to have beyond its edges. Kept and copied with the bitmap;
  // the resamplers themselves clamp to the edge pixels.
  Color32 outer_color() const noexcept { return outer_color_; }
  void set_outer_color(Color32 c) noexcept { outer_color_ = c; }

  // Pixels and size only (settings untouched) from other.
  void CopyPixelsFrom(const Bitmap32& other);
  friend bool SamePixels(const Bitmap32& a, const Bitmap32& b) noexcept;

 private:
  int width_ = 0;
  int height_ = 0;
  std::unique_ptr<Color32[]> pixels_;
  DrawMode draw_mode_ = DrawMode::kOpaque;
  uint8_t master_alpha_ = 255;
  StretchFilter stretch_filter_ = StretchFilter::kNearest;
  Color32 outer_color_ = 0;
};

// True when both have the same size and the same pixels (settings are not compared).
bool SamePixels(const Bitmap32& a, const Bitmap32& b) noexcept;

}  // namespace velmora
