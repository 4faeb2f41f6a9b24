#include "effects/Avx512Kernels.h"

#include <cstdlib>

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define VELMORA_HAVE_AVX512_KERNELS 1
#endif

namespace velmora {

#ifdef VELMORA_HAVE_AVX512_KERNELS

bool UseAvx512() noexcept {
  static const bool use = __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") &&
                          __builtin_cpu_supports("avx512vbmi") &&
                          std::getenv("VELMORA_PLAIN_LOOPS") == nullptr;
  return use;
}

#define VELMORA_AVX512 __attribute__((target("avx512f,avx512bw,avx512vbmi")))

namespace {

// The first n of 16 lanes.
VELMORA_AVX512 inline __mmask16 FirstLanes(int n) noexcept {
  return n >= 16 ? __mmask16(0xFFFF) : __mmask16((1u << n) - 1);
}

// Shifts of all sixteen lanes. The unmasked intrinsics draw a false "may be used uninitialized"
// warning from GCC 12's headers; the zero-masked ones with every lane set are the same
// instruction.
VELMORA_AVX512 inline __m512i ShiftRight(__m512i v, unsigned n) noexcept {
  return _mm512_maskz_srli_epi32(0xFFFF, v, n);
}
VELMORA_AVX512 inline __m512i ShiftRightBy(__m512i v, __m512i n) noexcept {
  return _mm512_maskz_srlv_epi32(0xFFFF, v, n);
}

// Alpha bytes of p, red, green and blue of rgb.
VELMORA_AVX512 inline __m512i KeepAlpha512(__m512i p, __m512i rgb) noexcept {
  return _mm512_ternarylogic_epi32(_mm512_set1_epi32(int(0xFF000000u)), p, rgb, 0xCA);
}

// Runs fn(pixels) -> pixels over the row, 16 pixels a step, the last step masked.
template <typename Fn>
VELMORA_AVX512 inline void EachSixteen(Color32* row, int w, const Fn& fn) noexcept {
  for (int x = 0; x < w; x += 16) {
    const __mmask16 lanes = FirstLanes(w - x);
    const __m512i p = _mm512_maskz_loadu_epi32(lanes, row + x);
    _mm512_mask_storeu_epi32(row + x, lanes, fn(p, lanes));
  }
}

}  // namespace

VELMORA_AVX512 void LevelsRowAvx512(Color32* row, int w, const uint8_t* levels) noexcept {
  // Per channel the 256 levels in four registers: vpermi2b looks up 128 entries by the low seven
  // bits of every byte, so each channel takes two lookups, chosen by the byte's top bit.
  __m512i low_a[3], low_b[3], high_a[3], high_b[3];
  for (int c = 0; c < 3; ++c) {
    const uint8_t* l = levels + 256 * c;
    low_a[c] = _mm512_loadu_si512(l);
    low_b[c] = _mm512_loadu_si512(l + 64);
    high_a[c] = _mm512_loadu_si512(l + 128);
    high_b[c] = _mm512_loadu_si512(l + 192);
  }
  constexpr __mmask64 kChannelBytes[3] = {0x1111111111111111ull, 0x2222222222222222ull,
                                          0x4444444444444444ull};
  EachSixteen(row, w, [&](__m512i p, __mmask16) VELMORA_AVX512 {
    const __mmask64 top_bit = _mm512_movepi8_mask(p);
    __m512i out = p;
    for (int c = 0; c < 3; ++c) {
      const __m512i low = _mm512_permutex2var_epi8(low_a[c], p, low_b[c]);
      const __m512i high = _mm512_permutex2var_epi8(high_a[c], p, high_b[c]);
      out =
          _mm512_mask_blend_epi8(kChannelBytes[c], out, _mm512_mask_blend_epi8(top_bit, low, high));
    }
    return out;
  });
}

VELMORA_AVX512 void GrayRowAvx512(Color32* row, int w, const uint8_t* halfway_up) noexcept {
  const __m512i weights = _mm512_set1_epi32(0x001E3B0B);  // bytes blue 11, green 59, red 30, 0
  const __m512i ones16 = _mm512_set1_epi16(1), one = _mm512_set1_epi32(1);
  EachSixteen(row, w, [&](__m512i p, __mmask16 lanes) VELMORA_AVX512 {
    // m = 30 R + 59 G + 11 B + 50 and y = m div 100, as in the plain loop.
    const __m512i n = _mm512_madd_epi16(_mm512_maddubs_epi16(p, weights), ones16);
    const __m512i m = _mm512_add_epi32(n, _mm512_set1_epi32(50));
    __m512i y = ShiftRight(_mm512_mullo_epi32(m, _mm512_set1_epi32(5243)), 19);
    const __mmask16 halfway =
        lanes & _mm512_cmpeq_epi32_mask(_mm512_mullo_epi32(y, _mm512_set1_epi32(100)), m);
    if (halfway != 0) {
      // y - 1 + the bit of blue div 100 in halfway_up[R shl 8 + G].
      const __m512i red_green = _mm512_and_si512(ShiftRight(p, 8), _mm512_set1_epi32(0xFFFF));
      const __m512i bits =
          _mm512_mask_i32gather_epi32(_mm512_setzero_si512(), halfway, red_green, halfway_up, 1);
      const __m512i blue = _mm512_and_si512(p, _mm512_set1_epi32(0xFF));
      __m512i k =
          _mm512_maskz_mov_epi32(_mm512_cmpge_epu32_mask(blue, _mm512_set1_epi32(100)), one);
      k = _mm512_mask_add_epi32(k, _mm512_cmpge_epu32_mask(blue, _mm512_set1_epi32(200)), k, one);
      const __m512i up = _mm512_and_si512(ShiftRightBy(bits, k), one);
      y = _mm512_mask_sub_epi32(y, halfway, y, _mm512_sub_epi32(one, up));
    }
    return KeepAlpha512(p, _mm512_mullo_epi32(y, _mm512_set1_epi32(0x010101)));
  });
}

VELMORA_AVX512 void ColorizeRowAvx512(Color32* row, int w, const Color32* by_sum) noexcept {
  const __m512i ones8 = _mm512_set1_epi32(0x00010101), ones16 = _mm512_set1_epi16(1);
  EachSixteen(row, w, [&](__m512i p, __mmask16 lanes) VELMORA_AVX512 {
    const __m512i sum = _mm512_madd_epi16(_mm512_maddubs_epi16(p, ones8), ones16);
    return KeepAlpha512(p,
                        _mm512_mask_i32gather_epi32(_mm512_setzero_si512(), lanes, sum, by_sum, 4));
  });
}

#else  // no AVX-512 forms on this target; UseAvx512() keeps the routines on the plain loops

bool UseAvx512() noexcept { return false; }
void LevelsRowAvx512(Color32*, int, const uint8_t*) noexcept {}
void GrayRowAvx512(Color32*, int, const uint8_t*) noexcept {}
void ColorizeRowAvx512(Color32*, int, const Color32*) noexcept {}

#endif

}  // namespace velmora
