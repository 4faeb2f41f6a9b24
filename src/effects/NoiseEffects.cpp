#include "effects/NoiseEffects.h"

#include "effects/PixelLoops.h"

namespace velmora {
namespace {

// The seed `steps` draws after `seed`, found in O(log steps). One draw is the affine map
// s -> m s + c (mod 2^32), read off the generator itself; `steps` draws are that map raised to
// the power `steps` by squaring. This lets row bands start their draws where a serial run would
// have reached, so the picture comes out exactly as from one pass in order.
uint32_t SeedAfter(uint32_t seed, uint64_t steps) noexcept {
  Random probe(0);
  probe.Next(0);
  const uint32_t c = probe.seed();
  probe.set_seed(1);
  probe.Next(0);
  uint32_t step_m = probe.seed() - c, step_c = c;
  uint32_t m = 1, add = 0;
  for (; steps != 0; steps >>= 1) {
    if (steps & 1) {
      m *= step_m;
      add = add * step_m + step_c;
    }
    step_c = step_c * step_m + step_c;
    step_m *= step_m;
  }
  return m * seed + add;
}

// Runs noise(pixel, band_random) -> rgb over the picture in row bands, each band drawing from
// a generator placed where the serial order would be at its first row; `draws` per pixel.
template <typename NoiseFn>
void AddNoise(Bitmap32& picture, uint64_t draws, Random& random, const NoiseFn& noise) noexcept {
  const int w = picture.width();
  const uint64_t draws_per_row = draws * static_cast<uint64_t>(w);
  const uint32_t start = random.seed();
  ParallelRows(picture.height(), w, [&](int first, int last) {
    Random band(SeedAfter(start, draws_per_row * static_cast<uint64_t>(first)));
    const NoiseFn band_noise = noise;  // local copies, as in ForEachRow
    const int width = w;
    for (int y = first; y < last; ++y) {
      Color32* row = picture.Row(y);
      for (int x = 0; x < width; ++x) row[x] = KeepAlpha(row[x], band_noise(row[x], band));
    }
  });
  random.set_seed(SeedAfter(start, draws_per_row * static_cast<uint64_t>(picture.height())));
}

}  // namespace

void AddColorNoise(Bitmap32& picture, int amount, Random& random) noexcept {
  const uint32_t n = amount < 1 ? 1 : static_cast<uint32_t>(amount);
  const int64_t half = n >> 1;
  AddNoise(picture, 3, random, [n, half](Color32 p, Random& rnd) {
    const uint32_t b = AddClamped(BlueOf(p), int64_t{rnd(n)} - half);
    const uint32_t g = AddClamped(GreenOf(p), int64_t{rnd(n)} - half);
    const uint32_t r = AddClamped(RedOf(p), int64_t{rnd(n)} - half);
    return MakeColor32(0, r, g, b);
  });
}

void AddMonoNoise(Bitmap32& picture, int amount, Random& random) noexcept {
  const uint32_t n = amount < 1 ? 1 : static_cast<uint32_t>(amount);
  const int64_t half = n >> 1;
  AddNoise(picture, 1, random, [n, half](Color32 p, Random& rnd) {
    const int64_t o = int64_t{rnd(n)} - half;
    return MakeColor32(0, AddClamped(RedOf(p), o), AddClamped(GreenOf(p), o),
                       AddClamped(BlueOf(p), o));
  });
}

}  // namespace velmora
