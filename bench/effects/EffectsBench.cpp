// Effect routines on a 6000 x 4000 photo-like picture, beside memcpy of the same buffer in the
// same run, and the per-pixel routines also beside ImageMagick's convert doing the nearest
// equivalent on the same BMP file.
//
// BM_Effect/<routine>/<layer|base>: the routine through ApplyRgbEffect on a layer (alpha saved and
//   restored) or on the base image (made opaque); BM_Direct/<routine>: a 32-bit colour routine on
//   the bitmap directly, as the adjustment dialogs run it. The picture is put back before every
//   iteration, outside the timing.
//   Each figure carries a memcpy of the same buffer timed between its runs (vs_memcpy).
// BM_Command/<routine>: read a 24-bit BMP, the routine on the base image, write a 24-bit BMP, in
//   this process and timed as a whole; then, in the same iteration, `convert in.bmp <op>
//   out.bmp` as a whole command (process start included) on the same file (convert_ms,
//   convert_vs_own). The convert binary is $VELMORA_CONVERT, else /usr/bin/convert, else convert
//   on PATH. read_write_only is both sides with no effect: what reading and writing cost.
// Run with --benchmark_repetitions=5 on a shared machine: "min" is the least disturbed run, and
// the median of the ratios holds up better than any single time.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "../BenchSupport.h"
#include "effects/ApplyRgbEffect.h"
#include "effects/BlurEffects.h"
#include "effects/ColorAdjust.h"
#include "effects/ColorEffects.h"
#include "effects/Colorize.h"
#include "effects/DistortEffects.h"
#include "effects/NoiseEffects.h"
#include "graphics/Random.h"

namespace velmora {
namespace {

constexpr int kW = 6000, kH = 4000;

// A photo-like picture: each channel a smooth landscape of slow waves with a little grain, so
// neighbouring pixels are alike but every level occurs. Alpha varies softly for a layer, or is
// opaque.
Bitmap32 Picture(bool soft_alpha) {
  Bitmap32 picture(kW, kH);
  Random grain(2024);
  for (int y = 0; y < kH; ++y) {
    Color32* row = picture.Row(y);
    for (int x = 0; x < kW; ++x) {
      const double u = x / double(kW), v = y / double(kH);
      auto level = [&](double phase, double scale) {
        const double wave = std::sin(u * scale + phase) * std::cos(v * scale * 0.7 - phase);
        return static_cast<uint32_t>(std::clamp(128 + 110 * wave + int(grain(9)) - 4, 0.0, 255.0));
      };
      const uint32_t alpha =
          soft_alpha ? 128 + static_cast<uint32_t>(127 * std::sin(u * 9 + v * 5)) : 255;
      row[x] = MakeColor32(alpha, level(0.3, 7), level(1.9, 5), level(4.1, 11));
    }
  }
  return picture;
}

const Bitmap32& Source(TargetKind kind) {
  static const Bitmap32 layer = Picture(true), photo = Picture(false);
  return kind == TargetKind::kLayer ? layer : photo;
}

void SetBytes(benchmark::State& state) {
  state.SetBytesProcessed(int64_t(state.iterations()) * kW * kH * 4);
}

void BM_Memcpy(benchmark::State& state) {
  std::vector<Color32> a(size_t(kW) * kH, 1), b(size_t(kW) * kH);
  for (auto _ : state) {
    std::memcpy(b.data(), a.data(), a.size() * 4);
    benchmark::ClobberMemory();
  }
  SetBytes(state);
}

using Routine = std::function<void(Bitmap32&)>;

Random& TheRandom() {
  static Random random;
  return random;
}

struct EffectCase {
  const char* name;
  Routine rgb;  // what runs on the work picture inside ApplyRgbEffect
  bool argb;    // a 32-bit colour routine, which the program also runs on the target directly
};

const EffectCase kPerPixel[] = {
    {"invert", [](Bitmap32& b) { InvertColors(b); }, false},
    {"grayscale", [](Bitmap32& b) { MakeGrayscale(b); }, false},
    {"colorize", [](Bitmap32& b) { ColorizeBitmap(b, kSepiaColor); }, false},
    {"brightness70", [](Bitmap32& b) { AdjustBrightness(b, 70); }, true},
    {"contrast90", [](Bitmap32& b) { AdjustContrast(b, 90); }, true},
    {"balance_fast", [](Bitmap32& b) { BalanceFast(b, 50, 0, 0); }, true},
    {"balance_quality", [](Bitmap32& b) { BalanceQuality(b, 50, 0, 0); }, true},
};

const EffectCase kOthers[] = {
    {"color_noise70", [](Bitmap32& b) { AddColorNoise(b, 70, TheRandom()); }, false},
    {"mono_noise70", [](Bitmap32& b) { AddMonoNoise(b, 70, TheRandom()); }, false},
    {"split_blur1", [](Bitmap32& b) { SplitBlur(b, 1); }, false},
    {"spray7", [](Bitmap32& b) { Spray(b, 7, TheRandom()); }, false},
    {"mosaic5", [](Bitmap32& b) { Mosaic(b, 5); }, false},
    {"wave27", [](Bitmap32& b) { Wave(b, 27, 20, 1); }, false},
};

using bench::Clock;
using bench::ConvertProgram;
using bench::SecondsSince;

// Before each run the picture is put back with a memcpy of the whole buffer, outside the timing;
// that memcpy is timed too, so every figure has its baseline from the same moment: vs_memcpy is
// the routine's throughput as a fraction of memcpy's (memcpy time / routine time).
void TimeRoutine(benchmark::State& state, TargetKind kind, const Routine& run) {
  const Bitmap32& source = Source(kind);
  Bitmap32 target = source;
  double copy_seconds = 0, run_seconds = 0;
  for (auto _ : state) {
    state.PauseTiming();
    const Clock::time_point copy_start = Clock::now();
    std::memcpy(target.Bits(), source.Bits(), source.PixelCount() * sizeof(Color32));
    benchmark::ClobberMemory();
    copy_seconds += SecondsSince(copy_start);
    state.ResumeTiming();
    const Clock::time_point run_start = Clock::now();
    run(target);
    benchmark::ClobberMemory();
    run_seconds += SecondsSince(run_start);
  }
  state.counters["memcpy_ms"] =
      benchmark::Counter(copy_seconds * 1e3, benchmark::Counter::kAvgIterations);
  state.counters["vs_memcpy"] = copy_seconds / run_seconds;
  SetBytes(state);
}

// ----- Whole commands on a BMP file

// The plain 24-bit BMP of this benchmark: 54-byte header, rows bottom-up, blue green red.
// Only what WriteBmp writes is read back.
constexpr size_t kBmpHeader = 54;

void Put16(unsigned char* p, uint32_t v) {
  p[0] = v & 0xFF;
  p[1] = (v >> 8) & 0xFF;
}
void Put32(unsigned char* p, uint32_t v) {
  Put16(p, v & 0xFFFF);
  Put16(p + 2, v >> 16);
}
uint32_t Get32(const unsigned char* p) {
  return p[0] | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) | (uint32_t{p[3]} << 24);
}

size_t BmpStride(int w) { return (size_t(w) * 3 + 3) & ~size_t{3}; }

using File = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

File Open(const std::string& path, const char* mode) {
  File f(std::fopen(path.c_str(), mode), &std::fclose);
  if (!f) throw std::runtime_error("cannot open " + path);
  return f;
}

void WriteBmp(const std::string& path, const Bitmap32& b) {
  const size_t stride = BmpStride(b.width());
  unsigned char header[kBmpHeader] = {'B', 'M'};
  Put32(header + 2, uint32_t(kBmpHeader + stride * b.height()));
  Put32(header + 10, kBmpHeader);
  Put32(header + 14, 40);
  Put32(header + 18, uint32_t(b.width()));
  Put32(header + 22, uint32_t(b.height()));
  Put16(header + 26, 1);
  Put16(header + 28, 24);
  Put32(header + 34, uint32_t(stride * b.height()));
  File f = Open(path, "wb");
  std::vector<unsigned char> line(stride, 0);
  std::fwrite(header, 1, kBmpHeader, f.get());
  for (int y = b.height() - 1; y >= 0; --y) {
    const Color32* row = b.Row(y);
    for (int x = 0; x < b.width(); ++x) {
      line[3 * x] = static_cast<unsigned char>(BlueOf(row[x]));
      line[3 * x + 1] = static_cast<unsigned char>(GreenOf(row[x]));
      line[3 * x + 2] = static_cast<unsigned char>(RedOf(row[x]));
    }
    std::fwrite(line.data(), 1, stride, f.get());
  }
}

Bitmap32 ReadBmp(const std::string& path) {
  File f = Open(path, "rb");
  unsigned char header[kBmpHeader];
  if (std::fread(header, 1, kBmpHeader, f.get()) != kBmpHeader) throw std::runtime_error(path);
  const int w = int(Get32(header + 18)), h = int(Get32(header + 22));
  Bitmap32 b(w, h);
  std::vector<unsigned char> line(BmpStride(w));
  for (int y = h - 1; y >= 0; --y) {
    if (std::fread(line.data(), 1, line.size(), f.get()) != line.size()) {
      throw std::runtime_error(path);
    }
    Color32* row = b.Row(y);
    for (int x = 0; x < w; ++x) {
      row[x] = MakeColor32(255, line[3 * x + 2], line[3 * x + 1], line[3 * x]);
    }
  }
  return b;
}

std::string Folder() {
  static const std::string folder = [] {
    const auto dir = std::filesystem::temp_directory_path() / "velmora-effects-bench";
    std::filesystem::create_directories(dir);
    WriteBmp((dir / "in.bmp").string(), Source(TargetKind::kBaseImage));
    return dir.string();
  }();
  return folder;
}

struct CommandCase {
  const char* name;
  Routine own;              // on the base image as read from the file
  const char* convert_ops;  // ImageMagick's nearest equivalent
};

const CommandCase kCommands[] = {
    // Both sides' reading and writing alone, for scale.
    {"read_write_only", [](Bitmap32&) {}, ""},
    {"invert", [](Bitmap32& b) { ApplyRgbEffect(b, TargetKind::kBaseImage, InvertColors); },
     "-negate"},
    {"grayscale", [](Bitmap32& b) { ApplyRgbEffect(b, TargetKind::kBaseImage, MakeGrayscale); },
     "-colorspace Gray"},
    {"sepia", [](Bitmap32& b) { Sepia(b, TargetKind::kBaseImage); }, "-sepia-tone 80%"},
    {"brightness70", [](Bitmap32& b) { AdjustBrightness(b, 70); }, "-brightness-contrast 27x0"},
    {"contrast90", [](Bitmap32& b) { AdjustContrast(b, 90); }, "-brightness-contrast 0x35"},
    {"balance_fast", [](Bitmap32& b) { BalanceFast(b, 50, 0, 0); },
     "-channel R -evaluate Add 19.6% +channel"},
    {"balance_quality", [](Bitmap32& b) { BalanceQuality(b, 50, 0, 0); },
     "-channel R -evaluate Multiply 1.39 +channel"},
};

// Each iteration runs our command and then convert's; the reported time is ours (manual time),
// convert_ms is convert's, and convert_vs_own how many times longer convert took.
void Command(benchmark::State& state, const CommandCase& c) {
  const std::string in = Folder() + "/in.bmp", out = Folder() + "/own.bmp";
  const std::string command =
      ConvertProgram() + " " + in + " " + c.convert_ops + " " + Folder() + "/convert.bmp";
  bench::OwnBesideConvert(
      state,
      [&] {
        Bitmap32 b = ReadBmp(in);
        c.own(b);
        WriteBmp(out, b);
      },
      command, c.convert_ops);
  SetBytes(state);
}

// The machine is shared: with --benchmark_repetitions the fastest run is the one least disturbed.
double Fastest(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }

void Add(const std::string& name, std::function<void(benchmark::State&)> fn, int iterations = 0) {
  auto* b = benchmark::RegisterBenchmark(name.c_str(), std::move(fn))
                ->Unit(benchmark::kMillisecond)
                ->ComputeStatistics("min", Fastest);
  if (iterations > 0) {
    b->Iterations(iterations)->UseManualTime();
  } else {
    b->UseRealTime();
  }
}

void Register() {
  Add("BM_Memcpy", BM_Memcpy);
  for (const auto& c : kPerPixel) {
    for (const TargetKind kind : {TargetKind::kLayer, TargetKind::kBaseImage}) {
      Add(std::string("BM_Effect/") + c.name + (kind == TargetKind::kLayer ? "/layer" : "/base"),
          [&c, kind](benchmark::State& s) {
            TimeRoutine(s, kind, [&c, kind](Bitmap32& b) { ApplyRgbEffect(b, kind, c.rgb); });
          });
    }
  }
  // The 32-bit colour routines as the dialogs run them: on the target, alpha untouched.
  for (const auto& c : kPerPixel) {
    if (!c.argb) continue;
    Add(std::string("BM_Direct/") + c.name,
        [&c](benchmark::State& s) { TimeRoutine(s, TargetKind::kLayer, c.rgb); });
  }
  for (const auto& c : kOthers) {
    Add(std::string("BM_Effect/") + c.name + "/layer", [&c](benchmark::State& s) {
      TimeRoutine(s, TargetKind::kLayer,
                  [&c](Bitmap32& b) { ApplyRgbEffect(b, TargetKind::kLayer, c.rgb); });
    });
  }
  for (const auto& c : kCommands) {
    Add(
        std::string("BM_Command/") + c.name, [&c](benchmark::State& s) { Command(s, c); }, 3);
  }
}

}  // namespace
}  // namespace velmora

int main(int argc, char** argv) {
  velmora::Register();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
