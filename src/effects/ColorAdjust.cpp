#include "effects/ColorAdjust.h"

#include <array>
#include <cstdlib>

#include "effects/Avx512Kernels.h"
#include "effects/PixelLoops.h"

namespace velmora {
namespace {

// Each result depends on one channel value only: 256 levels a channel, blue at 0, green at 256
// and red at 512 (the channels' order in a pixel).
using Levels = std::array<uint8_t, 3 * 256>;

// Levels from level(channel, value), channel 0 red, 1 green, 2 blue.
template <typename LevelFn>
Levels MakeLevels(const LevelFn& level) noexcept {
  Levels t;
  for (uint32_t v = 0; v < 256; ++v) {
    t[512 + v] = static_cast<uint8_t>(level(0, v));
    t[256 + v] = static_cast<uint8_t>(level(1, v));
    t[v] = static_cast<uint8_t>(level(2, v));
  }
  return t;
}

void ApplyLevels(Bitmap32& bitmap, const Levels& levels) noexcept {
  const int w = bitmap.width();
  const uint8_t* l = levels.data();
  if (UseAvx512()) {
    ForEachRow(bitmap, [w, l](Color32* row, int) { LevelsRowAvx512(row, w, l); });
    return;
  }
  MapRgb(bitmap, [l](Color32 p) {
    return (uint32_t{l[512 + RedOf(p)]} << 16) | (uint32_t{l[256 + GreenOf(p)]} << 8) |
           l[BlueOf(p)];
  });
}

// (c x) div 255 for a channel c and any integer x.
constexpr int64_t Proportional(uint32_t c, int64_t x) noexcept {
  return DivTrunc(int64_t{c} * x, 255);
}

}  // namespace

void AdjustBrightness(Bitmap32& bitmap, int amount) noexcept {
  if (amount == 0) return;
  ApplyLevels(bitmap, MakeLevels([amount](int, uint32_t c) {
                return AddClamped(c, Proportional(c, amount));
              }));
}

void AdjustContrast(Bitmap32& bitmap, int amount) noexcept {
  if (amount == 0) return;
  ApplyLevels(bitmap, MakeLevels([amount](int, uint32_t c) {
                const int64_t f =
                    Proportional(static_cast<uint32_t>(std::abs(127 - int(c))), amount);
                return AddClamped(c, c <= 127 ? -f : f);
              }));
}

void BalanceFast(Bitmap32& bitmap, int red, int green, int blue) noexcept {
  if (red == 0 && green == 0 && blue == 0) return;
  const std::array<int64_t, 3> offset = {red, green, blue};
  ApplyLevels(bitmap,
              MakeLevels([&offset](int ch, uint32_t c) { return AddClamped(c, offset[ch]); }));
}

void BalanceQuality(Bitmap32& bitmap, int red, int green, int blue) noexcept {
  if (red == 0 && green == 0 && blue == 0) return;
  const std::array<int64_t, 3> doubled = {2 * int64_t{red}, 2 * int64_t{green}, 2 * int64_t{blue}};
  ApplyLevels(bitmap, MakeLevels([&doubled](int ch, uint32_t c) {
                return AddClamped(c, Proportional(c, doubled[ch]));
              }));
}

}  // namespace velmora
