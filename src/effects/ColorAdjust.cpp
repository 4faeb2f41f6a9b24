#include "effects/ColorAdjust.h"

#include <array>
#include <cstdlib>

#include "effects/PixelLoops.h"

namespace velmora {
namespace {

// Each result depends on one channel value only: one 256-entry table a channel, each entry
// already shifted into place, so a pixel costs three lookups.
struct ChannelTables {
  std::array<uint32_t, 256> red, green, blue;
};

// Tables from level(channel, value), channel 0 red, 1 green, 2 blue.
template <typename LevelFn>
ChannelTables MakeTables(const LevelFn& level) noexcept {
  ChannelTables t;
  for (uint32_t v = 0; v < 256; ++v) {
    t.red[v] = level(0, v) << 16;
    t.green[v] = level(1, v) << 8;
    t.blue[v] = level(2, v);
  }
  return t;
}

void ApplyTables(Bitmap32& bitmap, const ChannelTables& t) noexcept {
  MapRgb(bitmap,
         [&t](Color32 p) { return t.red[RedOf(p)] | t.green[GreenOf(p)] | t.blue[BlueOf(p)]; });
}

// (c x) div 255 for a channel c and any integer x.
constexpr int64_t Proportional(uint32_t c, int64_t x) noexcept {
  return DivTrunc(int64_t{c} * x, 255);
}

}  // namespace

void AdjustBrightness(Bitmap32& bitmap, int amount) noexcept {
  if (amount == 0) return;
  ApplyTables(bitmap, MakeTables([amount](int, uint32_t c) {
                return AddClamped(c, Proportional(c, amount));
              }));
}

void AdjustContrast(Bitmap32& bitmap, int amount) noexcept {
  if (amount == 0) return;
  ApplyTables(bitmap, MakeTables([amount](int, uint32_t c) {
                const int64_t f =
                    Proportional(static_cast<uint32_t>(std::abs(127 - int(c))), amount);
                return AddClamped(c, c <= 127 ? -f : f);
              }));
}

void BalanceFast(Bitmap32& bitmap, int red, int green, int blue) noexcept {
  if (red == 0 && green == 0 && blue == 0) return;
  const std::array<int64_t, 3> offset = {red, green, blue};
  ApplyTables(bitmap,
              MakeTables([&offset](int ch, uint32_t c) { return AddClamped(c, offset[ch]); }));
}

void BalanceQuality(Bitmap32& bitmap, int red, int green, int blue) noexcept {
  if (red == 0 && green == 0 && blue == 0) return;
  const std::array<int64_t, 3> doubled = {2 * int64_t{red}, 2 * int64_t{green}, 2 * int64_t{blue}};
  ApplyTables(bitmap, MakeTables([&doubled](int ch, uint32_t c) {
                return AddClamped(c, Proportional(c, doubled[ch]));
              }));
}

}  // namespace velmora
