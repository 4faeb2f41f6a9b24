#include "graphics/Resample.h"

#include <algorithm>
#include <cmath>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "graphics/Parallel.h"

namespace velmora {
namespace {

constexpr uint32_t kOne = 128;           // bilinear weight of a whole pixel (7 fractional bits)
constexpr uint32_t kOne2 = kOne * kOne;  // of a whole pixel in two directions

// ---------------------------------------------------------------------------------------------
// Bilinear pieces.

// Plain interpolation of the four pixels, all four channels alike; used when the four alphas
// agree, where weighting by alpha would change nothing.
inline Color32 StraightBilinear(Color32 p00, Color32 p01, Color32 p10, Color32 p11, uint32_t w00,
                                uint32_t w01, uint32_t w10, uint32_t w11) noexcept {
#if defined(__SSE2__)
  const __m128i zero = _mm_setzero_si128();
  const __m128i top = _mm_unpacklo_epi8(
      _mm_unpacklo_epi8(_mm_cvtsi32_si128(int(p00)), _mm_cvtsi32_si128(int(p01))), zero);
  const __m128i bottom = _mm_unpacklo_epi8(
      _mm_unpacklo_epi8(_mm_cvtsi32_si128(int(p10)), _mm_cvtsi32_si128(int(p11))), zero);
  __m128i sum = _mm_add_epi32(_mm_madd_epi16(top, _mm_set1_epi32(int(w00 | (w01 << 16)))),
                              _mm_madd_epi16(bottom, _mm_set1_epi32(int(w10 | (w11 << 16)))));
  sum = _mm_srli_epi32(_mm_add_epi32(sum, _mm_set1_epi32(int(kOne2 / 2))), 14);
  sum = _mm_packs_epi32(sum, sum);
  return static_cast<Color32>(_mm_cvtsi128_si32(_mm_packus_epi16(sum, sum)));
#else
  Color32 out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const uint32_t v = ((p00 >> shift) & 0xFF) * w00 + ((p01 >> shift) & 0xFF) * w01 +
                       ((p10 >> shift) & 0xFF) * w10 + ((p11 >> shift) & 0xFF) * w11;
    out |= ((v + kOne2 / 2) >> 14) << shift;
  }
  return out;
#endif
}

// Colours weighted by each pixel's share of the alpha, so transparent pixels lend no colour.
Color32 WeightedBilinear(Color32 p00, Color32 p01, Color32 p10, Color32 p11, uint32_t w00,
                         uint32_t w01, uint32_t w10, uint32_t w11) noexcept {
  const Color32 p[4] = {p00, p01, p10, p11};
  const uint32_t wa[4] = {w00 * (p00 >> 24), w01 * (p01 >> 24), w10 * (p10 >> 24),
                          w11 * (p11 >> 24)};
  const uint32_t sum_a = wa[0] + wa[1] + wa[2] + wa[3];
  if (sum_a == 0) return StraightBilinear(p00, p01, p10, p11, w00, w01, w10, w11);
  Color32 out = ((sum_a + kOne2 / 2) >> 14) << 24;
  for (int shift = 0; shift < 24; shift += 8) {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v += wa[i] * ((p[i] >> shift) & 0xFF);
    out |= ((v + sum_a / 2) / sum_a) << shift;
  }
  return out;
}

// Taps of one axis for bilinear sampling: two source indices and the weight of the second.
struct LinearTap {
  int i0, i1;
  uint32_t f;
};

// Destination coordinates first..last-1 of a span d0..d1 mapped onto source s0..s1.
std::vector<LinearTap> LinearTaps(int first, int last, int d0, int d1, int s0, int s1) {
  std::vector<LinearTap> taps(last - first);
  const double scale = double(s1 - s0) / double(d1 - d0);
  for (int d = first; d < last; ++d) {
    const double t = (d - d0 + 0.5) * scale - 0.5;
    const double fl = std::floor(t);
    int i = s0 + static_cast<int>(fl);
    uint32_t f = static_cast<uint32_t>(std::lround((t - fl) * kOne));
    if (f == kOne) {
      ++i;
      f = 0;
    }
    taps[d - first] = {std::clamp(i, s0, s1 - 1), std::clamp(i + 1, s0, s1 - 1), f};
  }
  return taps;
}

// Source index of the nearest pixel for destination coordinates first..last-1, exactly:
// s0 + floor((2 (d - d0) + 1) x (s1 - s0) / (2 (d1 - d0))).
std::vector<int> NearestTaps(int first, int last, int d0, int d1, int s0, int s1) {
  std::vector<int> taps(last - first);
  const int64_t sw = s1 - s0, dw = d1 - d0;
  for (int d = first; d < last; ++d) {
    taps[d - first] = s0 + static_cast<int>(((2 * int64_t(d - d0) + 1) * sw) / (2 * dw));
  }
  return taps;
}

void ResampleNearest(Bitmap32& dst, const IntRect& area, const IntRect& dr, const Bitmap32& src,
                     const IntRect& sr, const DrawStyle& style) {
  const auto xs = NearestTaps(area.left, area.right, dr.left, dr.right, sr.left, sr.right);
  const auto ys = NearestTaps(area.top, area.bottom, dr.top, dr.bottom, sr.top, sr.bottom);
  const int n = area.width();
  ParallelRows(area.height(), n, [&](int first, int last) {
    std::vector<Color32> line(n);
    for (int row = first; row < last; ++row) {
      const Color32* s = src.Row(ys[row]);
      Color32* d = dst.Row(area.top + row) + area.left;
      Color32* out = style.mode == DrawMode::kOpaque ? d : line.data();
      for (int i = 0; i < n; ++i) out[i] = s[xs[i]];
      if (out != d) BlendLine(d, out, n, style.master_alpha);
    }
  });
}

void ResampleBilinear(Bitmap32& dst, const IntRect& area, const IntRect& dr, const Bitmap32& src,
                      const IntRect& sr, const DrawStyle& style) {
  const auto xs = LinearTaps(area.left, area.right, dr.left, dr.right, sr.left, sr.right);
  const auto ys = LinearTaps(area.top, area.bottom, dr.top, dr.bottom, sr.top, sr.bottom);
  const int n = area.width();
  ParallelRows(area.height(), int64_t{n} * 4, [&](int first, int last) {
    std::vector<Color32> line(n);
    for (int row = first; row < last; ++row) {
      const LinearTap& ty = ys[row];
      const Color32* r0 = src.Row(ty.i0);
      const Color32* r1 = src.Row(ty.i1);
      for (int i = 0; i < n; ++i) {
        line[i] = Bilinear(r0, r1, xs[i].i0, xs[i].i1, xs[i].f, ty.f);
      }
      CombineLine(dst.Row(area.top + row) + area.left, line.data(), n, style.mode,
                  style.master_alpha);
    }
  });
}

// ---------------------------------------------------------------------------------------------
// Kernel resampling: separable, in floating point, on alpha-weighted colours.

struct Kernel {
  double radius;
  double (*weight)(double);
};

double Triangle(double x) {
  x = std::fabs(x);
  return x < 1.0 ? 1.0 - x : 0.0;
}

// Mitchell-Netravali with B = C = 1/3.
double Mitchell(double x) {
  constexpr double b = 1.0 / 3.0, c = 1.0 / 3.0;
  x = std::fabs(x);
  const double x2 = x * x, x3 = x2 * x;
  if (x < 1.0) {
    return ((12 - 9 * b - 6 * c) * x3 + (-18 + 12 * b + 6 * c) * x2 + (6 - 2 * b)) / 6.0;
  }
  if (x < 2.0) {
    return ((-b - 6 * c) * x3 + (6 * b + 30 * c) * x2 + (-12 * b - 48 * c) * x + (8 * b + 24 * c)) /
           6.0;
  }
  return 0.0;
}

// Taps of one axis: for destination coordinate k, indices and weights
// [offset[k], offset[k + 1]) of `index` and `weight`. The kernel widens by the reduction factor,
// so every source pixel under a destination pixel contributes.
struct KernelTaps {
  std::vector<int> offset;
  std::vector<int> index;
  std::vector<float> weight;
  int lowest = 0, highest = 0;  // range of source indices used
};

KernelTaps MakeKernelTaps(int first, int last, int d0, int d1, int s0, int s1, Kernel kernel) {
  KernelTaps taps;
  const double scale = double(s1 - s0) / double(d1 - d0);
  const double widen = std::max(1.0, scale);
  const double reach = kernel.radius * widen;
  taps.offset.reserve(last - first + 1);
  taps.lowest = s1;
  taps.highest = s0;
  for (int d = first; d < last; ++d) {
    taps.offset.push_back(static_cast<int>(taps.index.size()));
    const double u = (d - d0 + 0.5) * scale;  // continuous position from s0
    const int lo = static_cast<int>(std::ceil(u - 0.5 - reach));
    const int hi = static_cast<int>(std::floor(u - 0.5 + reach));
    const size_t begin = taps.index.size();
    double sum = 0;
    for (int i = lo; i <= hi; ++i) {
      const double w = kernel.weight((i + 0.5 - u) / widen);
      if (w == 0.0) continue;
      taps.index.push_back(std::clamp(s0 + i, s0, s1 - 1));
      taps.weight.push_back(static_cast<float>(w));
      sum += w;
    }
    if (sum <= 1e-9) {  // cannot happen for these kernels; keep the nearest pixel then
      taps.index.resize(begin);
      taps.weight.resize(begin);
      taps.index.push_back(std::clamp(s0 + static_cast<int>(std::floor(u)), s0, s1 - 1));
      taps.weight.push_back(1.0f);
      sum = 1.0;
    }
    for (size_t k = begin; k < taps.index.size(); ++k) {
      taps.weight[k] = static_cast<float>(taps.weight[k] / sum);
      taps.lowest = std::min(taps.lowest, taps.index[k]);
      taps.highest = std::max(taps.highest, taps.index[k]);
    }
  }
  taps.offset.push_back(static_cast<int>(taps.index.size()));
  return taps;
}

inline uint32_t ToByte(float v) noexcept {
  return static_cast<uint32_t>(std::clamp(v + 0.5f, 0.0f, 255.0f));
}

// The colour of a destination pixel whose taps are all transparent: the plain weighted colour.
Color32 StraightKernelPixel(const Bitmap32& src, const KernelTaps& xt, int xk, const KernelTaps& yt,
                            int yk) noexcept {
  float c[3] = {0, 0, 0};
  for (int j = yt.offset[yk]; j < yt.offset[yk + 1]; ++j) {
    const Color32* row = src.Row(yt.index[j]);
    for (int i = xt.offset[xk]; i < xt.offset[xk + 1]; ++i) {
      const float w = yt.weight[j] * xt.weight[i];
      const Color32 p = row[xt.index[i]];
      c[0] += w * float(p & 0xFF);
      c[1] += w * float((p >> 8) & 0xFF);
      c[2] += w * float((p >> 16) & 0xFF);
    }
  }
  return ToByte(c[0]) | (ToByte(c[1]) << 8) | (ToByte(c[2]) << 16);
}

void ResampleKernel(Bitmap32& dst, const IntRect& area, const IntRect& dr, const Bitmap32& src,
                    const IntRect& sr, const DrawStyle& style, Kernel kernel) {
  const KernelTaps xt =
      MakeKernelTaps(area.left, area.right, dr.left, dr.right, sr.left, sr.right, kernel);
  const KernelTaps yt =
      MakeKernelTaps(area.top, area.bottom, dr.top, dr.bottom, sr.top, sr.bottom, kernel);
  const int n = area.width();
  const int span0 = xt.lowest;
  const int span = xt.highest - xt.lowest + 1;
  const int64_t taps_per_row = static_cast<int64_t>(yt.index.size()) / std::max(1, area.height());
  ParallelRows(
      area.height(), int64_t{span} * std::max<int64_t>(taps_per_row, 1) + n,
      [&](int first, int last) {
        std::vector<float> column(size_t(span) * 4);  // b x a, g x a, r x a, a per source column
        std::vector<Color32> line(n);
        for (int row = first; row < last; ++row) {
          std::fill(column.begin(), column.end(), 0.0f);
          for (int j = yt.offset[row]; j < yt.offset[row + 1]; ++j) {
            const float w = yt.weight[j];
            const Color32* s = src.Row(yt.index[j]) + span0;
            float* c = column.data();
            for (int i = 0; i < span; ++i) {
              const Color32 p = s[i];
              const float wa = w * float(p >> 24);
              c[4 * i + 0] += wa * float(p & 0xFF);
              c[4 * i + 1] += wa * float((p >> 8) & 0xFF);
              c[4 * i + 2] += wa * float((p >> 16) & 0xFF);
              c[4 * i + 3] += wa;
            }
          }
          for (int k = 0; k < n; ++k) {
            float b = 0, g = 0, r = 0, a = 0;
            for (int i = xt.offset[k]; i < xt.offset[k + 1]; ++i) {
              const float w = xt.weight[i];
              const float* c = column.data() + 4 * (xt.index[i] - span0);
              b += w * c[0];
              g += w * c[1];
              r += w * c[2];
              a += w * c[3];
            }
            if (a <= 1e-3f) {
              line[k] = StraightKernelPixel(src, xt, k, yt, row);
            } else {
              const float inv = 1.0f / a;
              line[k] = (ToByte(a) << 24) | (ToByte(r * inv) << 16) | (ToByte(g * inv) << 8) |
                        ToByte(b * inv);
            }
          }
          CombineLine(dst.Row(area.top + row) + area.left, line.data(), n, style.mode,
                      style.master_alpha);
        }
      });
}

}  // namespace

Color32 Bilinear(const Color32* r0, const Color32* r1, int x0, int x1, uint32_t fx,
                 uint32_t fy) noexcept {
  const Color32 p00 = r0[x0], p01 = r0[x1], p10 = r1[x0], p11 = r1[x1];
  const uint32_t w00 = (kOne - fx) * (kOne - fy), w01 = fx * (kOne - fy);
  const uint32_t w10 = (kOne - fx) * fy, w11 = fx * fy;
  if ((((p00 ^ p01) | (p00 ^ p10) | (p00 ^ p11)) >> 24) == 0) {
    return StraightBilinear(p00, p01, p10, p11, w00, w01, w10, w11);
  }
  return WeightedBilinear(p00, p01, p10, p11, w00, w01, w10, w11);
}

Color32 SampleBilinear(const Bitmap32& src, const IntRect& bounds, double u, double v) noexcept {
  const double tu = u - 0.5, tv = v - 0.5;
  const double fu = std::floor(tu), fv = std::floor(tv);
  int x = static_cast<int>(fu), y = static_cast<int>(fv);
  uint32_t fx = static_cast<uint32_t>(std::lround((tu - fu) * kOne));
  uint32_t fy = static_cast<uint32_t>(std::lround((tv - fv) * kOne));
  if (fx == kOne) ++x, fx = 0;
  if (fy == kOne) ++y, fy = 0;
  const int x0 = std::clamp(x, bounds.left, bounds.right - 1);
  const int x1 = std::clamp(x + 1, bounds.left, bounds.right - 1);
  const int y0 = std::clamp(y, bounds.top, bounds.bottom - 1);
  const int y1 = std::clamp(y + 1, bounds.top, bounds.bottom - 1);
  return Bilinear(src.Row(y0), src.Row(y1), x0, x1, fx, fy);
}

void ResampleInto(Bitmap32& dst, const IntRect& area, const IntRect& dst_rect, const Bitmap32& src,
                  const IntRect& src_rect, const DrawStyle& style) {
  constexpr Kernel kTriangle{1.0, Triangle};
  constexpr Kernel kMitchell{2.0, Mitchell};
  // The triangle kernel does not widen while magnifying, where it is bilinear interpolation.
  const bool magnifying =
      dst_rect.width() >= src_rect.width() && dst_rect.height() >= src_rect.height();
  const bool above_half =
      2 * dst_rect.width() >= src_rect.width() && 2 * dst_rect.height() >= src_rect.height();
  switch (style.filter) {
    case StretchFilter::kNearest:
      ResampleNearest(dst, area, dst_rect, src, src_rect, style);
      return;
    case StretchFilter::kLinear:
      if (above_half) {
        ResampleBilinear(dst, area, dst_rect, src, src_rect, style);
      } else {
        ResampleKernel(dst, area, dst_rect, src, src_rect, style, kTriangle);
      }
      return;
    case StretchFilter::kSmoothLinear:
      if (magnifying) {
        ResampleBilinear(dst, area, dst_rect, src, src_rect, style);
      } else {
        ResampleKernel(dst, area, dst_rect, src, src_rect, style, kTriangle);
      }
      return;
    case StretchFilter::kSpline:
      ResampleKernel(dst, area, dst_rect, src, src_rect, style, kMitchell);
      return;
  }
}

}  // namespace velmora
