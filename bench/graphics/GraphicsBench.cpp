// Raster core throughput on a 6000 x 4000 picture, each figure beside memcpy of the same buffer.

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "graphics/Draw.h"
#include "graphics/Random.h"

namespace velmora {
namespace {

constexpr int kW = 6000, kH = 4000;

// A photo-like picture: smooth gradients with noise; alpha as asked.
Bitmap32 Picture(int w, int h, bool varied_alpha) {
  Bitmap32 b(w, h);
  Random rnd(12345);
  for (int y = 0; y < h; ++y) {
    Color32* row = b.Row(y);
    for (int x = 0; x < w; ++x) {
      const uint32_t r = (x * 255 / w + rnd(16)) & 0xFF;
      const uint32_t g = (y * 255 / h + rnd(16)) & 0xFF;
      const uint32_t bl = ((x + y) * 127 / (w + h) + rnd(16)) & 0xFF;
      const uint32_t a = varied_alpha ? 1 + (x * 7 + y * 3) % 254 : 255;
      row[x] = MakeColor32(a, r, g, bl);
    }
  }
  return b;
}

const Bitmap32& Layer() {
  static const Bitmap32 b = Picture(kW, kH, true);
  return b;
}
const Bitmap32& Photo() {
  static const Bitmap32 b = Picture(kW, kH, false);
  return b;
}
const Bitmap32& HalfPhoto() {
  static const Bitmap32 b = Picture(kW / 2, kH / 2, false);
  return b;
}
const Bitmap32& HalfLayer() {
  static const Bitmap32 b = Picture(kW / 2, kH / 2, true);
  return b;
}

void SetBytes(benchmark::State& state, int w, int h) {
  state.SetBytesProcessed(int64_t(state.iterations()) * w * h * 4);
  state.SetItemsProcessed(int64_t(state.iterations()) * w * h);
}

void BM_Memcpy(benchmark::State& state) {
  std::vector<Color32> a(size_t(kW) * kH, 1), b(size_t(kW) * kH);
  for (auto _ : state) {
    std::memcpy(b.data(), a.data(), a.size() * 4);
    benchmark::ClobberMemory();
  }
  SetBytes(state, kW, kH);
}

void BM_DrawOpaque(benchmark::State& state) {
  Bitmap32 dst(kW, kH, 0xFF808080);
  Bitmap32 src = Photo();
  src.set_draw_mode(DrawMode::kOpaque);
  for (auto _ : state) {
    Draw(dst, 0, 0, src);
    benchmark::ClobberMemory();
  }
  SetBytes(state, kW, kH);
}

// Every pixel partly transparent: no copy or skip shortcut applies.
void BM_DrawBlendedLayer(benchmark::State& state) {
  Bitmap32 dst(kW, kH, 0xFF808080);
  Bitmap32 src = Layer();
  src.set_draw_mode(DrawMode::kBlend);
  src.set_master_alpha(static_cast<uint8_t>(state.range(0)));
  for (auto _ : state) {
    Draw(dst, 0, 0, src);
    benchmark::ClobberMemory();
  }
  SetBytes(state, kW, kH);
}

// Halving: 6000 x 4000 into 3000 x 2000. Doubling: 3000 x 2000 into 6000 x 4000. The source is
// an opaque photo (range 2 = 0) or a layer whose every pixel has another alpha than its
// neighbours (range 2 = 1, the slowest case of the interpolating filters).
void BM_StretchDraw(benchmark::State& state) {
  const auto filter = static_cast<StretchFilter>(state.range(0));
  const bool halving = state.range(1) == 0;
  const bool varied = state.range(2) == 1;
  Bitmap32 src = halving ? (varied ? Layer() : Photo()) : (varied ? HalfLayer() : HalfPhoto());
  src.set_draw_mode(DrawMode::kBlend);
  src.set_stretch_filter(filter);
  const int dw = halving ? kW / 2 : kW, dh = halving ? kH / 2 : kH;
  Bitmap32 dst(dw, dh, 0xFF808080);
  for (auto _ : state) {
    StretchDraw(dst, dst.BoundsRect(), src);
    benchmark::ClobberMemory();
  }
  SetBytes(state, dw, dh);
  state.SetLabel(std::string(halving ? "halving" : "doubling") +
                 (varied ? " varied-alpha " : " opaque ") +
                 (filter == StretchFilter::kNearest        ? "nearest"
                  : filter == StretchFilter::kLinear       ? "bilinear"
                  : filter == StretchFilter::kSmoothLinear ? "smooth-linear"
                                                           : "spline"));
}

void MemcpyHalf(benchmark::State& state) {
  std::vector<Color32> a(size_t(kW / 2) * (kH / 2), 1), b(a.size());
  for (auto _ : state) {
    std::memcpy(b.data(), a.data(), a.size() * 4);
    benchmark::ClobberMemory();
  }
  SetBytes(state, kW / 2, kH / 2);
}

BENCHMARK(BM_Memcpy)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(MemcpyHalf)->Name("BM_Memcpy_3000x2000")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_DrawOpaque)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_DrawBlendedLayer)->Arg(255)->Arg(200)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_StretchDraw)
    ->ArgsProduct({{int(StretchFilter::kNearest), int(StretchFilter::kLinear),
                    int(StretchFilter::kSmoothLinear), int(StretchFilter::kSpline)},
                   {0, 1},
                   {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
}  // namespace velmora

BENCHMARK_MAIN();
