#pragma once

// The program's arithmetic rules, each in exactly one place.

#include <cmath>
#include <cstdint>

namespace velmora {

using Color32 = uint32_t;  // 0xAARRGGBB

// Round to nearest, halves to even (the rounding of every "round" in the program).
inline int64_t RoundHalfEven(double v) noexcept { return static_cast<int64_t>(std::nearbyint(v)); }
inline int RoundHalfEvenInt(double v) noexcept { return static_cast<int>(std::nearbyint(v)); }

// Integer division truncating toward zero (C++'s own rule, named so that call sites say so).
constexpr int64_t DivTrunc(int64_t a, int64_t b) noexcept { return a / b; }

// Limits a channel value to 0..255.
constexpr int Clamp255(int v) noexcept { return v < 0 ? 0 : (v > 255 ? 255 : v); }
constexpr uint8_t Clamp255u8(int v) noexcept { return static_cast<uint8_t>(Clamp255(v)); }

constexpr uint32_t AlphaOf(Color32 c) noexcept { return c >> 24; }
constexpr uint32_t RedOf(Color32 c) noexcept { return (c >> 16) & 0xFF; }
constexpr uint32_t GreenOf(Color32 c) noexcept { return (c >> 8) & 0xFF; }
constexpr uint32_t BlueOf(Color32 c) noexcept { return c & 0xFF; }
constexpr Color32 MakeColor32(uint32_t a, uint32_t r, uint32_t g, uint32_t b) noexcept {
  return (a << 24) | (r << 16) | (g << 8) | b;
}
constexpr Color32 WithAlpha(Color32 c, uint32_t a) noexcept {
  return (c & 0x00FFFFFFu) | (a << 24);
}

// A Windows colour value (red in the low byte) and the 32-bit pixel form, both ways.
constexpr Color32 Color32FromWinColor(uint32_t win, uint32_t alpha = 255) noexcept {
  return MakeColor32(alpha, win & 0xFF, (win >> 8) & 0xFF, (win >> 16) & 0xFF);
}
constexpr uint32_t WinColorFromColor32(Color32 c) noexcept {
  return RedOf(c) | (GreenOf(c) << 8) | (BlueOf(c) << 16);
}

// The effective alpha of a pixel drawn with master alpha m: a x m / 255, rounded to nearest
// (no ties can occur because 255 is odd). m = 255 leaves a unchanged, m = 0 gives 0.
constexpr uint32_t ScaleAlpha(uint32_t a, uint32_t m) noexcept { return (a * m + 127) / 255; }

// One byte moved toward src by alpha a (0..255): floor((256 old + (src - old) a + 128) / 256).
// For a < 255 this equals (old (256 - a) + src a + 128) >> 8, which never goes negative.
constexpr uint32_t BlendByte(uint32_t old_v, uint32_t src_v, uint32_t a) noexcept {
  return (old_v * (256 - a) + src_v * a + 128) >> 8;
}

// The blend rule: each of the four bytes of dst moves toward src by alpha a. a = 0 leaves dst,
// a = 255 replaces it with src.
constexpr Color32 BlendPixel(Color32 dst, Color32 src, uint32_t a) noexcept {
  if (a == 0) return dst;
  if (a >= 255) return src;
  return (BlendByte(dst >> 24, src >> 24, a) << 24) |
         (BlendByte((dst >> 16) & 0xFF, (src >> 16) & 0xFF, a) << 16) |
         (BlendByte((dst >> 8) & 0xFF, (src >> 8) & 0xFF, a) << 8) |
         BlendByte(dst & 0xFF, src & 0xFF, a);
}

// A source pixel drawn in blend mode with master alpha m: its own alpha scaled by m, then the
// blend rule.
constexpr Color32 BlendPixelMaster(Color32 dst, Color32 src, uint32_t m) noexcept {
  return BlendPixel(dst, src, m == 255 ? AlphaOf(src) : ScaleAlpha(AlphaOf(src), m));
}

}  // namespace velmora
