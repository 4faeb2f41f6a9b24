#pragma once

// What several benchmark programs share: wall-clock timing, the ImageMagick program, the
// "our command beside convert's" loop and the registration of file benchmarks.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

namespace velmora::bench {

using Clock = std::chrono::steady_clock;

inline double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// ImageMagick's convert: $VELMORA_CONVERT when set, else the system's.
inline std::string ConvertProgram() {
  if (const char* env = std::getenv("VELMORA_CONVERT")) return env;
  return std::filesystem::exists("/usr/bin/convert") ? "/usr/bin/convert" : "convert";
}

// Each iteration runs our whole command (`own`) and then convert's (`command`, a whole
// process); the reported time is ours (manual time), convert_ms is convert's and
// convert_vs_own how many times longer convert took.
inline void OwnBesideConvert(benchmark::State& state, const std::function<void()>& own,
                             const std::string& command, const std::string& label) {
  double own_seconds = 0, convert_seconds = 0;
  for (auto _ : state) {
    const Clock::time_point own_start = Clock::now();
    own();
    const double own_time = SecondsSince(own_start);
    own_seconds += own_time;
    state.SetIterationTime(own_time);
    const Clock::time_point convert_start = Clock::now();
    if (std::system(command.c_str()) != 0) {
      state.SkipWithError(("failed: " + command).c_str());
      return;
    }
    convert_seconds += SecondsSince(convert_start);
  }
  state.counters["convert_ms"] =
      benchmark::Counter(convert_seconds * 1e3, benchmark::Counter::kAvgIterations);
  state.counters["convert_vs_own"] = convert_seconds / own_seconds;
  state.SetLabel(label);
}

}  // namespace velmora::bench

// A file benchmark: milliseconds of wall clock, a fixed number of iterations, 5 repetitions
// reported as their aggregates.
#define VELMORA_BENCH(name, iterations) \
  BENCHMARK(name)                       \
      ->Unit(benchmark::kMillisecond)   \
      ->UseRealTime()                   \
      ->Iterations(iterations)          \
      ->Repetitions(5)                  \
      ->ReportAggregatesOnly(true)
