// Rendering the view of a big card, and flattening it, each beside a same-run baseline.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "document/CardDocument.h"
#include "document/LayerOperations.h"
#include "document/ViewportRenderer.h"
#include "graphics/Draw.h"
#include "graphics/Random.h"

namespace velmora {
namespace {

constexpr int kCardW = 3508, kCardH = 2480;  // A4 at 300 dpi
constexpr int kViewW = 1280, kViewH = 800;

Bitmap32 Photo(int w, int h, uint32_t seed) {
  Bitmap32 b(w, h);
  Random rnd(seed);
  for (int y = 0; y < h; ++y) {
    Color32* row = b.Row(y);
    for (int x = 0; x < w; ++x) {
      row[x] = MakeColor32(255, (x * 255 / w + rnd(24)) & 0xFF, (y * 255 / h + rnd(24)) & 0xFF,
                           (seed * 40 + rnd(24)) & 0xFF);
    }
  }
  return b;
}

// The card: white A4 with eight 2000 x 1500 photos spread over it.
CardDocument& Card() {
  static CardDocument* doc = [] {
    auto* d = new CardDocument;
    d->NewCanvas(kCardW, kCardH, 0xFFFFFFFF);
    for (int i = 0; i < 8; ++i) {
      const double cx = 1000 + (i % 4) * 500, cy = 750 + (i / 4) * 1000;
      AddPhotoLayer(*d, Photo(2000, 1500, i + 1), {cx, cy});
    }
    d->SelectLayer(nullptr);
    return d;
  }();
  return *doc;
}

void SetFilter(CardDocument& doc, StretchFilter f) {
  for (int i = 0; i < doc.LayerCount(); ++i) {
    doc.LayerAt(i).AsBitmap()->MutableBitmap().set_stretch_filter(f);
  }
  doc.MutableBaseImage().set_stretch_filter(f);
}

void BM_MemcpyViewport(benchmark::State& state) {
  std::vector<Color32> a(size_t(kViewW) * kViewH, 1), b(a.size());
  for (auto _ : state) {
    std::memcpy(b.data(), a.data(), a.size() * 4);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(int64_t(state.iterations()) * kViewW * kViewH);
}

// range(0): 0 fit zoom, 1 100 %; range(1): 0 nearest, 1 bilinear.
void BM_RenderViewport(benchmark::State& state) {
  CardDocument& doc = Card();
  SetFilter(doc, state.range(1) ? StretchFilter::kLinear : StretchFilter::kNearest);
  const bool fit = state.range(0) == 0;
  ViewMapping m;
  if (fit) {
    m.scale = std::min(double(kViewW) / kCardW, double(kViewH) / kCardH) / 1.1;
    m.offset_x = (kViewW - kCardW * m.scale) / 2;
    m.offset_y = (kViewH - kCardH * m.scale) / 2;
  } else {
    m.offset_x = -(kCardW - kViewW) / 2.0;  // the middle of the card
    m.offset_y = -(kCardH - kViewH) / 2.0;
  }
  ViewportRenderer renderer;
  const BackgroundStyle bg{true, 0};
  Bitmap32 out;
  renderer.Render(doc, m, {0, 0, kViewW, kViewH}, &bg, out);  // warm the reductions
  // Each frame moves one layer by a pixel, as dragging does.
  Layer& moved = doc.LayerAt(7);
  const Location home = moved.location();
  int step = 0;
  for (auto _ : state) {
    const float d = float(++step & 1);
    moved.set_location({home.left + d, home.top, home.right + d, home.bottom});
    renderer.Render(doc, m, {0, 0, kViewW, kViewH}, &bg, out);
    benchmark::ClobberMemory();
  }
  moved.set_location(home);
  state.SetItemsProcessed(int64_t(state.iterations()) * kViewW * kViewH);
  state.SetLabel(std::string(fit ? "fit zoom " : "100% ") +
                 (state.range(1) ? "bilinear" : "nearest"));
}

// The first frame at fit zoom after the layers' pixels changed: reductions rebuilt.
void BM_RenderViewportCold(benchmark::State& state) {
  CardDocument& doc = Card();
  SetFilter(doc, StretchFilter::kLinear);
  ViewMapping m;
  m.scale = std::min(double(kViewW) / kCardW, double(kViewH) / kCardH) / 1.1;
  const BackgroundStyle bg{true, 0};
  Bitmap32 out;
  for (auto _ : state) {
    ViewportRenderer renderer;
    renderer.Render(doc, m, {0, 0, kViewW, kViewH}, &bg, out);
    benchmark::ClobberMemory();
  }
}

void BM_ComposePicture(benchmark::State& state) {
  CardDocument& doc = Card();
  SetFilter(doc, StretchFilter::kLinear);
  for (auto _ : state) {
    doc.ComposePicture();
    benchmark::ClobberMemory();
  }
}

// The baseline: a copy of the base image and the eight layers blended with StretchDraw.
void BM_BlendEightLayers(benchmark::State& state) {
  CardDocument& doc = Card();
  SetFilter(doc, StretchFilter::kLinear);
  Bitmap32 out;
  for (auto _ : state) {
    out = doc.base_image();
    for (int i = 0; i < doc.LayerCount(); ++i) {
      const BitmapLayer* l = doc.LayerAt(i).AsBitmap();
      StretchDraw(out, l->location().ToRect(), l->bitmap());
    }
    benchmark::ClobberMemory();
  }
}

BENCHMARK(BM_MemcpyViewport)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RenderViewport)
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_RenderViewportCold)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ComposePicture)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_BlendEightLayers)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace velmora

BENCHMARK_MAIN();
