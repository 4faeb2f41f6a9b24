#include "graphics/Blend.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace velmora {
namespace {

#if defined(__SSE2__)
// Four pixels at a time. For a < 255 the blend rule is exactly
// (old x (256 - a) + src x a + 128) >> 8, whose terms fit 16-bit lanes (at most 65408).
inline __m128i BlendFour(__m128i d, __m128i s, __m128i alpha32) {
  const __m128i zero = _mm_setzero_si128();
  // Spread each pixel's alpha over its four 16-bit lanes.
  __m128i a16 = _mm_or_si128(alpha32, _mm_slli_epi32(alpha32, 16));
  const __m128i a_lo = _mm_unpacklo_epi32(a16, a16);
  const __m128i a_hi = _mm_unpackhi_epi32(a16, a16);
  const __m128i k256 = _mm_set1_epi16(256);
  const __m128i k128 = _mm_set1_epi16(128);

  const __m128i d_lo = _mm_unpacklo_epi8(d, zero);
  const __m128i d_hi = _mm_unpackhi_epi8(d, zero);
  const __m128i s_lo = _mm_unpacklo_epi8(s, zero);
  const __m128i s_hi = _mm_unpackhi_epi8(s, zero);

  __m128i r_lo =
      _mm_add_epi16(_mm_mullo_epi16(d_lo, _mm_sub_epi16(k256, a_lo)), _mm_mullo_epi16(s_lo, a_lo));
  __m128i r_hi =
      _mm_add_epi16(_mm_mullo_epi16(d_hi, _mm_sub_epi16(k256, a_hi)), _mm_mullo_epi16(s_hi, a_hi));
  r_lo = _mm_srli_epi16(_mm_add_epi16(r_lo, k128), 8);
  r_hi = _mm_srli_epi16(_mm_add_epi16(r_hi, k128), 8);
  __m128i r = _mm_packus_epi16(r_lo, r_hi);
  // Opaque source pixels replace, transparent ones leave the destination.
  const __m128i full = _mm_cmpeq_epi32(alpha32, _mm_set1_epi32(255));
  r = _mm_or_si128(_mm_and_si128(full, s), _mm_andnot_si128(full, r));
  return r;
}

// x / 255 rounded to nearest for 0 <= x <= 65025, in 16-bit lanes of 32-bit values.
inline __m128i Div255Round(__m128i x) {
  const __m128i t = _mm_add_epi32(x, _mm_set1_epi32(128));
  return _mm_srli_epi32(_mm_add_epi32(t, _mm_srli_epi32(t, 8)), 8);
}
#endif

}  // namespace

void BlendLine(Color32* dst, const Color32* src, int n, uint32_t m) noexcept {
  if (m == 0 || n <= 0) return;
  int i = 0;
#if defined(__SSE2__)
  const __m128i master = _mm_set1_epi32(static_cast<int>(m));
  const __m128i opaque = _mm_set1_epi32(static_cast<int>(0xFF000000u));
  for (; i + 4 <= n; i += 4) {
    const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i));
    // Runs of fully opaque pixels at full master alpha are the common case: plain copy.
    if (m == 255) {
      const __m128i a = _mm_and_si128(s, opaque);
      if (_mm_movemask_epi8(_mm_cmpeq_epi32(a, opaque)) == 0xFFFF) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i), s);
        continue;
      }
      if (_mm_movemask_epi8(_mm_cmpeq_epi32(a, _mm_setzero_si128())) == 0xFFFF) continue;
    }
    __m128i alpha = _mm_srli_epi32(s, 24);
    if (m != 255) alpha = Div255Round(_mm_mullo_epi16(alpha, master));
    __m128i* dp = reinterpret_cast<__m128i*>(dst + i);
    _mm_storeu_si128(dp, BlendFour(_mm_loadu_si128(dp), s, alpha));
  }
#endif
  for (; i < n; ++i) dst[i] = BlendPixelMaster(dst[i], src[i], m);
}

void CombineLine(Color32* dst, const Color32* src, int n, DrawMode mode, uint32_t m) noexcept {
  if (n <= 0) return;
  if (mode == DrawMode::kOpaque) {
    std::memmove(dst, src, size_t(n) * sizeof(Color32));
  } else {
    BlendLine(dst, src, n, m);
  }
}

}  // namespace velmora
