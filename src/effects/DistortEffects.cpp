#include "effects/DistortEffects.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "effects/PixelLoops.h"

namespace velmora {

void Spray(Bitmap32& picture, int radius, Random& random) noexcept {
  const int w = picture.width(), h = picture.height();
  const uint32_t n = radius > 0 ? static_cast<uint32_t>(radius) : 0;
  Color32* const bits = picture.Bits();
  // Column order is the definition: a pixel may take a colour that was itself sprayed a moment
  // before, so this runs serially.
  for (int x = 0; x < w; ++x) {
    for (int y = 0; y < h; ++y) {
      const uint32_t k = random(n);
      const int64_t sx = int64_t{x} + k - random(2 * k);
      const int64_t sy = int64_t{y} + k - random(2 * k);
      if (sx >= 0 && sx < w && sy >= 0 && sy < h) {
        Color32& p = bits[size_t(y) * size_t(w) + size_t(x)];
        p = KeepAlpha(p, bits[size_t(sy) * size_t(w) + size_t(sx)]);
      }
    }
  }
}

namespace {

// Mosaic blocks of size n over the bands of n rows first..last-1.
void MosaicBands(Bitmap32& picture, int n, int first, int last) noexcept {
  const int w = picture.width(), h = picture.height();
  for (int band = first; band < last; ++band) {
    const int top_y = band * n;
    // The top row of the band gets its blocks first; every block's first pixel is its own
    // top-left corner, so it still holds the colour from before.
    Color32* top = picture.Row(top_y);
    for (int x0 = 0; x0 < w; x0 += std::min(n, w - x0)) {
      const Color32 corner = top[x0];
      const int x1 = std::min(x0 + n, w);
      for (int x = x0 + 1; x < x1; ++x) top[x] = KeepAlpha(top[x], corner);
    }
    for (int y = top_y + 1; y < std::min(top_y + n, h); ++y) {
      Color32* row = picture.Row(y);
      for (int x = 0; x < w; ++x) row[x] = KeepAlpha(row[x], top[x]);
    }
  }
}

}  // namespace

void Mosaic(Bitmap32& picture, int block_size) noexcept {
  const int w = picture.width(), h = picture.height();
  if (block_size <= 1 || picture.empty()) return;
  // A block larger than the picture covers it whole, as one the picture's size would.
  const int n = std::min(block_size, std::max(w, h));
  ParallelRows((h + n - 1) / n, int64_t{w} * n,
               [&picture, n](int first, int last) { MosaicBands(picture, n, first, last); });
}

namespace {

using WaveCurve = double (*)(double a, double t, int inference);

// g(t) of each style, the products formed in double precision left to right.
constexpr WaveCurve kWaveCurves[] = {
    [](double a, double t, int) { return a * std::sin(t); },
    [](double a, double t, int) { return a * std::sin(t) * std::cos(t); },
    [](double a, double t, int inference) { return a * std::sin(t) * std::sin(inference * t); },
};

// The row offset b of every column.
std::vector<int> WaveOffsets(int width, int amount, int inference, int style) {
  std::vector<int> offsets(static_cast<size_t>(width), 0);
  if (style < 0 || style >= static_cast<int>(std::size(kWaveCurves))) return offsets;
  const WaveCurve curve = kWaveCurves[style];
  const double f = std::numbers::pi / 2 / amount;
  for (int x = 1; x < width; ++x) {
    offsets[x] = RoundHalfEvenInt(curve(amount, (x - 1) * f, inference));
  }
  return offsets;
}

}  // namespace

void Wave(Bitmap32& picture, int amount, int inference, int style) {
  const int w = picture.width(), h = picture.height(), a = amount;
  if (a < 1 || picture.empty() || int64_t{h} < 3 * int64_t{a} + 1) return;
  const std::vector<int> offsets = WaveOffsets(w, a, inference, style);
  const Bitmap32 source(picture);
  const Color32* source_bits = source.Bits();
  const int* offset = offsets.data();
  const int last_source = h - 1 - 2 * a;
  // Every source row lands in one row per column (y + a + b(x) is one-to-one in y), so no
  // destination pixel is written twice and the rows may be gathered in any order: each
  // destination row looks up, column by column, the source row that lands on it.
  ForEachRow(picture, [=](Color32* row, int y) {
    for (int x = 0; x < w; ++x) {
      const int source_y = y - a - offset[x];
      if (source_y >= a && source_y <= last_source) {
        row[x] = KeepAlpha(row[x], source_bits[size_t(source_y) * size_t(w) + size_t(x)]);
      }
    }
  });
}

}  // namespace velmora
