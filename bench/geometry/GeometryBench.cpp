// The geometry commands on large photo-like pictures, each beside ImageMagick's convert doing
// the nearest equivalent on the same BMP file in the same run, and memcpy of the picture for
// scale.
//
// BM_InProcess/<op>: the operation alone on a picture in memory, as the dialog's OK runs it
//   (ResizeImage and ApplyPerspective include their undo snapshot; the card is put back before
//   every iteration, outside the timing).
// BM_Command/<op>: read the BMP file, the operation, write a BMP file; in this process, timed
//   as a whole. Beside it, convert_ms: `convert in.bmp <ops> out.bmp` as a whole command
//   (process start included) on the same file, and convert_vs_own how many times longer it
//   took. The convert binary is $VELMORA_CONVERT, else convert on PATH.
// BM_PreviewDragStep: what one mouse move of a corner costs in the perspective dialog: the
//   preview rendered at the dialog's size from a 6000 x 4000 picture's preview source, and the
//   outline drawn over it; frames_per_second is its inverse. BM_OutlineTick: one step of the
//   outline's animation (every 30 ms while the dialog is shown).

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "../BenchSupport.h"
#include "effects/GeometryTransforms.h"
#include "effects/PerspectiveCorrection.h"
#include "graphics/Draw.h"
#include "graphics/Random.h"
#include "imageio/PictureIO.h"

namespace velmora {
namespace {

using bench::Clock;
using bench::ConvertProgram;
using bench::SecondsSince;

// A photo-like opaque picture: each channel a smooth landscape of slow waves with a little
// grain, so neighbouring pixels are alike but every level occurs.
Bitmap32 Photo(int w, int h) {
  Bitmap32 picture(w, h);
  Random grain(2024);
  for (int y = 0; y < h; ++y) {
    Color32* row = picture.Row(y);
    for (int x = 0; x < w; ++x) {
      const double u = x / double(w), v = y / double(h);
      auto level = [&](double phase, double scale) {
        const double wave = std::sin(u * scale + phase) * std::cos(v * scale * 0.7 - phase);
        return static_cast<uint32_t>(std::clamp(128 + 110 * wave + int(grain(9)) - 4, 0.0, 255.0));
      };
      row[x] = MakeColor32(255, level(0.3, 7), level(1.9, 5), level(4.1, 11));
    }
  }
  return picture;
}

const Bitmap32& Layer4000() {
  static const Bitmap32 b = Photo(4000, 3000);
  return b;
}

const Bitmap32& Card6000() {
  static const Bitmap32 b = Photo(6000, 4000);
  return b;
}

std::string Folder() {
  static const std::string folder = [] {
    const auto dir = std::filesystem::temp_directory_path() / "velmora-geometry-bench";
    std::filesystem::create_directories(dir);
    SavePicture((dir / "in4000.bmp").string(), Layer4000());
    SavePicture((dir / "in6000.bmp").string(), Card6000());
    return dir.string();
  }();
  return folder;
}

void BM_Memcpy(benchmark::State& state) {
  const Bitmap32& a = Card6000();
  std::vector<Color32> b(a.PixelCount());
  for (auto _ : state) {
    std::memcpy(b.data(), a.Bits(), b.size() * 4);
    benchmark::ClobberMemory();
  }
  state.SetLabel("6000 x 4000");
}

// The moderate keystone of the perspective cases: the top edge drawn in by a tenth of the
// width at each end, in the full picture's pixels.
const Corners kKeystone{{{600, 0}, {5400, 0}, {6000, 4000}, {0, 4000}}};
// The same in the preview's pixels (the preview source of 6000 x 4000 is 394 x 263).
const Corners kPreviewKeystone{{{39, 0}, {354, 0}, {393, 262}, {0, 262}}};

Bitmap32 Rotate33(const Bitmap32& b) {
  const Location at{0, 0, float(b.width()), float(b.height())};
  return RotateByAngle(b, at, 33, StretchFilter::kLinear).bitmap;
}

Bitmap32 ResizeHalf(const Bitmap32& b, const char* method) {
  return Resized(b, b.width() / 2, b.height() / 2, FindResampleMethod(method)->filter);
}

Bitmap32 Keystone(const Bitmap32& b) {
  return CorrectPerspective(b, kKeystone, 1.0, true, 0xFFFFFFFF);
}

struct Case {
  const char* name;
  const char* input;  // in4000 or in6000
  std::function<Bitmap32(const Bitmap32&)> own;
  const char* convert_ops;
};

const Case kCases[] = {
    {"rotate33_bilinear", "in4000", Rotate33, "-rotate 33"},
    {"resize_half_nearest", "in6000", [](const Bitmap32& b) { return ResizeHalf(b, "nearest"); },
     "-filter Point -resize 50%"},
    {"resize_half_bilinear", "in6000", [](const Bitmap32& b) { return ResizeHalf(b, "bilinear"); },
     "-filter Triangle -resize 50%"},
    {"resize_half_spline", "in6000", [](const Bitmap32& b) { return ResizeHalf(b, "spline"); },
     "-filter Catrom -resize 50%"},
    {"perspective_keystone", "in6000", Keystone,
     "-background white -virtual-pixel background +distort Perspective "
     "'0,0 600,0  6000,0 5400,0  6000,4000 6000,4000  0,4000 0,4000'"},
};

// Each iteration runs our command and then convert's; the reported time is ours (manual time).
void Command(benchmark::State& state, const Case& c) {
  const std::string in = Folder() + "/" + c.input + ".bmp";
  const std::string out = Folder() + "/own.bmp";
  const std::string command =
      ConvertProgram() + " " + in + " " + c.convert_ops + " " + Folder() + "/convert.bmp";
  bench::OwnBesideConvert(
      state, [&] { SavePicture(out, c.own(LoadPicture(in))); }, command, c.convert_ops);
}

void InProcessRotate(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(Rotate33(Layer4000()));
}

// ResizeImage on a card, its undo snapshot included; the card is put back outside the timing.
void InProcessResize(benchmark::State& state, const char* method) {
  CardDocument doc;
  for (auto _ : state) {
    state.PauseTiming();
    doc.MutableBaseImage() = Card6000();
    state.ResumeTiming();
    ResizeImage(doc, 3000, 2000, FindResampleMethod(method)->filter);
  }
}

// The perspective dialog's OK on the card (undo snapshot included).
void InProcessPerspective(benchmark::State& state) {
  CardDocument doc;
  for (auto _ : state) {
    state.PauseTiming();
    doc.MutableBaseImage() = Card6000();
    state.ResumeTiming();
    ApplyPerspective(doc, Card6000(), 394, kPreviewKeystone, true, 0xFFFFFFFF);
  }
}

void BM_PreviewDragStep(benchmark::State& state) {
  const Bitmap32 source =
      MakePreviewSource(Card6000(), kPerspectiveAreaWidth, kPerspectiveAreaHeight);
  Bitmap32 rendered(kPerspectiveAreaWidth, kPerspectiveAreaHeight);
  Bitmap32 frame(kPerspectiveAreaWidth, kPerspectiveAreaHeight);
  CornerDrag drag;
  drag.Reset(source.width(), source.height());
  drag.Press(source.width() - 1, 0);  // the top-right corner
  int step = 0;
  for (auto _ : state) {
    ++step;
    drag.Move(source.width() - 1 + step % 40, step % 17);
    RenderPerspectivePreview(rendered, source, drag.corners(), true);
    frame.CopyPixelsFrom(rendered);
    DrawCornerOutline(frame, drag.corners(), -0.05 * step);
    benchmark::ClobberMemory();
  }
  state.counters["frames_per_second"] =
      benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
  state.SetLabel(std::to_string(source.width()) + " x " + std::to_string(source.height()) +
                 " source in a 528 x 313 preview");
}

// One tick of the outline's animation while nothing is dragged: the rendered preview copied and
// the dashed outline drawn over it (the transform does not run again).
void BM_OutlineTick(benchmark::State& state) {
  const Bitmap32 source =
      MakePreviewSource(Card6000(), kPerspectiveAreaWidth, kPerspectiveAreaHeight);
  Bitmap32 rendered(kPerspectiveAreaWidth, kPerspectiveAreaHeight);
  Bitmap32 frame(kPerspectiveAreaWidth, kPerspectiveAreaHeight);
  RenderPerspectivePreview(rendered, source, kPreviewKeystone, true);
  double offset = 0;
  for (auto _ : state) {
    offset -= 0.05;
    frame.CopyPixelsFrom(rendered);
    DrawCornerOutline(frame, kPreviewKeystone, offset);
    benchmark::ClobberMemory();
  }
}

double Fastest(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }

void Register() {
  const auto add = [](const std::string& name, std::function<void(benchmark::State&)> fn) {
    return benchmark::RegisterBenchmark(name.c_str(), std::move(fn))
        ->Unit(benchmark::kMillisecond)
        ->ComputeStatistics("min", Fastest);
  };
  add("BM_Memcpy", BM_Memcpy)->UseRealTime();
  add("BM_InProcess/rotate33_bilinear", InProcessRotate)->UseRealTime();
  for (const char* method : {"nearest", "bilinear", "spline"}) {
    add(std::string("BM_InProcess/resize_half_") + method, [method](benchmark::State& s) {
      InProcessResize(s, method);
    })->UseRealTime();
  }
  add("BM_InProcess/perspective_keystone", InProcessPerspective)->UseRealTime();
  add("BM_PreviewDragStep", BM_PreviewDragStep)->UseRealTime();
  add("BM_OutlineTick", BM_OutlineTick)->UseRealTime()->Unit(benchmark::kMicrosecond);
  for (const Case& c : kCases) {
    add(std::string("BM_Command/") + c.name, [&c](benchmark::State& s) { Command(s, c); })
        ->Iterations(2)
        ->UseManualTime();
  }
}

}  // namespace
}  // namespace velmora

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  velmora::Register();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
