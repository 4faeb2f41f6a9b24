// Opening the effect browser on a 6000 x 4000 photo-like picture, beside memcpy of the same
// 96 MB buffer timed in the same iterations.
//
// BM_BuildThumbnails: the nine previews (the picture stretched once to 100 x 67, then each
//   entry on its own copy), as every opening builds them.
// BM_StretchOnly: the stretch of the picture to 100 x 67 alone, the part of the previews that
//   reads the whole picture.
// BM_OpenBrowser: what Process > Effect Browser does before the user can choose: Activate (the
//   previews and the buttons' icons), show, and the events until the dialog has painted; then
//   it is hidden again, outside the timing.
// Each iteration also times a memcpy of the picture's buffer (memcpy_ms); vs_memcpy is the
// opening's time in memcpys. Target: under 150 ms. Run with --benchmark_repetitions=5 on a
// shared machine and read the medians.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <vector>

#include "document/CardDocument.h"
#include "effects/EffectBrowserDialog.h"
#include "effects/EffectThumbnails.h"
#include "graphics/Draw.h"
#include "graphics/Random.h"

namespace velmora {
namespace {

constexpr int kW = 6000, kH = 4000;

// Diagonal colour bands with a fine grain, so the stretch has real work on every tap.
Bitmap32 Photo() {
  Bitmap32 picture(kW, kH);
  Random grain(77);
  for (int y = 0; y < kH; ++y) {
    Color32* row = picture.Row(y);
    for (int x = 0; x < kW; ++x) {
      const double t = (x + 0.6 * y) / 900.0;
      const auto level = [&](double phase) {
        return static_cast<uint32_t>(120 + 100 * std::sin(t + phase) + grain(16));
      };
      row[x] = MakeColor32(255, level(0), level(2.1), level(4.2));
    }
  }
  return picture;
}

const Bitmap32& Source() {
  static const Bitmap32 picture = Photo();
  return picture;
}

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Times `open` in each iteration, a memcpy of the picture's buffer next to it, and `close`
// outside the timing.
void TimeOpening(benchmark::State& state, const std::function<void()>& open,
                 const std::function<void()>& close) {
  const Bitmap32& source = Source();
  std::vector<Color32> copy(source.PixelCount());
  double open_ms = 0, copy_ms = 0;
  for (auto _ : state) {
    const Clock::time_point start = Clock::now();
    open();
    open_ms += MillisecondsSince(start);
    state.PauseTiming();
    close();
    const Clock::time_point copy_start = Clock::now();
    std::memcpy(copy.data(), source.Bits(), copy.size() * sizeof(Color32));
    benchmark::ClobberMemory();
    copy_ms += MillisecondsSince(copy_start);
    state.ResumeTiming();
  }
  state.counters["memcpy_ms"] = benchmark::Counter(copy_ms, benchmark::Counter::kAvgIterations);
  state.counters["vs_memcpy"] = open_ms / copy_ms;
}

void BM_BuildThumbnails(benchmark::State& state) {
  Random random;
  std::vector<Bitmap32> previews;
  TimeOpening(
      state, [&] { previews = BuildEffectThumbnails(Source(), random); },
      [&] { previews.clear(); });
}
BENCHMARK(BM_BuildThumbnails)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_StretchOnly(benchmark::State& state) {
  Bitmap32 preview;
  const ThumbnailSizeOf size = ThumbnailSize(kW, kH);
  TimeOpening(
      state,
      [&] { preview = Resized(Source(), size.width, size.height, StretchFilter::kSmoothLinear); },
      [&] { preview = Bitmap32(); });
}
BENCHMARK(BM_StretchOnly)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_OpenBrowser(benchmark::State& state) {
  CardDocument doc;
  doc.NewCanvas(1, 1, 0);
  doc.MutableBaseImage() = Source();
  Random random;
  EffectBrowserDialog dialog(doc, random);
  TimeOpening(
      state,
      [&] {
        dialog.Activate();
        dialog.show();
        dialog.repaint();
        QApplication::processEvents();
      },
      [&] {
        dialog.hide();
        QApplication::processEvents();
      });
}
BENCHMARK(BM_OpenBrowser)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace velmora

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
