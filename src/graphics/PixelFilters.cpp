#include "graphics/PixelFilters.h"

#include "graphics/Parallel.h"

namespace velmora {
namespace {

// Runs fn(pixel) -> pixel over every pixel of dst, reading the same place of src.
template <typename Fn>
void MapPixels(Bitmap32& dst, const Bitmap32& src, Fn fn) noexcept {
  const int w = dst.width();
  ParallelRows(dst.height(), w, [&](int first, int last) {
    for (int y = first; y < last; ++y) {
      const Color32* s = src.Row(y);
      Color32* d = dst.Row(y);
      for (int x = 0; x < w; ++x) d[x] = fn(d[x], s[x]);
    }
  });
}

void TakeSize(Bitmap32& dst, const Bitmap32& src) {
  if (&dst != &src && (dst.width() != src.width() || dst.height() != src.height())) {
    dst.SetSize(src.width(), src.height());
  }
}

}  // namespace

void AlphaToGrayscale(Bitmap32& dst, const Bitmap32& src) {
  TakeSize(dst, src);
  MapPixels(dst, src, [](Color32, Color32 s) { return Gray32(AlphaOf(s)); });
}

void IntensityToAlpha(Bitmap32& dst, const Bitmap32& src) noexcept {
  if (dst.width() != src.width() || dst.height() != src.height()) return;
  MapPixels(dst, src, [](Color32 d, Color32 s) { return WithAlpha(d, Intensity(s)); });
}

void InvertRGB(Bitmap32& dst, const Bitmap32& src) {
  TakeSize(dst, src);
  MapPixels(dst, src, [](Color32, Color32 s) { return s ^ 0x00FFFFFFu; });
}

void SetAlpha(Bitmap32& b, uint32_t a) noexcept {
  MapPixels(b, b, [a](Color32 d, Color32) { return WithAlpha(d, a); });
}

void MakeGray(Bitmap32& b) noexcept {
  MapPixels(b, b, [](Color32 d, Color32) { return Gray32(Intensity(d)); });
}

}  // namespace velmora
