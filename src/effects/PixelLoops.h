#pragma once

// Row loops and small pixel helpers shared by the effect routines, so that each routine supplies
// only its per-pixel or per-row work. Internal to the effects library.

#include <algorithm>
#include <cstdint>

#include "graphics/Bitmap32.h"
#include "graphics/Parallel.h"
#include "graphics/PixelMath.h"

namespace velmora {

inline constexpr Color32 kAlphaMask = 0xFF000000u;
inline constexpr Color32 kRgbMask = 0x00FFFFFFu;

// The red, green and blue of `rgb` under the alpha byte of `keep`: how the effect routines write a
// pixel, so that every alpha byte comes out as it went in.
constexpr Color32 KeepAlpha(Color32 keep, Color32 rgb) noexcept {
  return (keep & kAlphaMask) | (rgb & kRgbMask);
}

// clamp(channel + offset) for any offset. An offset beyond +-255 takes every channel to the same
// end as +-255 does, so it is narrowed first and the sum never overflows.
constexpr uint32_t AddClamped(uint32_t channel, int64_t offset) noexcept {
  const int narrowed = offset < -255 ? -255 : (offset > 255 ? 255 : static_cast<int>(offset));
  return static_cast<uint32_t>(Clamp255(static_cast<int>(channel) + narrowed));
}

// Runs row_fn(row, y) for every row, in row bands across threads. Only for work whose result
// does not depend on the order of the rows or of the pixels.
//
// Each band works on its own copy of row_fn. A row function should capture by value what its
// pixel loop reads (widths, table pointers): the copy is then local, its values stay in
// registers, and the loop is not held back by the possibility that a pixel store changes them
// (an int width and a uint32_t pixel may alias).
template <typename RowFn>
void ForEachRow(Bitmap32& picture, const RowFn& row_fn) noexcept {
  ParallelRows(picture.height(), picture.width(), [&picture, &row_fn](int first, int last) {
    const RowFn band_fn = row_fn;
    for (int y = first; y < last; ++y) band_fn(picture.Row(y), y);
  });
}

// Every pixel's red, green and blue := the low 24 bits of rgb_fn(pixel); alpha kept.
template <typename RgbFn>
void MapRgb(Bitmap32& picture, const RgbFn& rgb_fn) noexcept {
  const int w = picture.width();
  ForEachRow(picture, [w, rgb_fn](Color32* row, int) {
    for (int x = 0; x < w; ++x) row[x] = KeepAlpha(row[x], rgb_fn(row[x]));
  });
}

// Every pixel of a row gets alpha alpha_at(x), colours kept. Stores only the chunks in which some
// alpha differs, so a row whose alpha is already right is read and not written back.
template <typename AlphaAt>
void PutAlpha(Color32* row, int w, const AlphaAt& alpha_at) noexcept {
  constexpr int kChunk = 16;
  for (int x0 = 0; x0 < w; x0 += kChunk) {
    Color32* p = row + x0;
    const int n = std::min(kChunk, w - x0);
    uint32_t differ = 0;
    for (int i = 0; i < n; ++i) differ |= AlphaOf(p[i]) ^ alpha_at(x0 + i);
    if (differ == 0) continue;
    for (int i = 0; i < n; ++i) p[i] = WithAlpha(p[i], alpha_at(x0 + i));
  }
}

}  // namespace velmora
