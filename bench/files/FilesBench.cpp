// Project files of a big card, each figure beside a baseline measured in the same run:
//   SaveProject                 against writing as many bytes to a plain file, without and with
//                               the fsync and rename that every save of the program does
//   ReadProject + ApplyProject  against reading as many bytes from a plain file into memory
//   velmora-tool thumbnail      the whole process, against starting velmora-tool at all
// All times are wall-clock. The files sit in the page cache, as a card that was just saved does.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "../BenchSupport.h"
#include "document/CardDocument.h"
#include "files/ProjectFile.h"
#include "graphics/Random.h"

#ifndef VELMORA_TOOL
#error "VELMORA_TOOL must name the velmora-tool executable"
#endif

namespace velmora {
namespace {

constexpr int kCardW = 3508, kCardH = 2480;  // A4 at 300 dpi
constexpr int kLayers = 8;
constexpr int kLayerW = 2000, kLayerH = 1500;

// A photo-like picture; with `vignette`, its alpha fades out towards an oval edge, as a masked
// photo's does.
Bitmap32 Photo(int w, int h, uint32_t seed, bool vignette) {
  Bitmap32 b(w, h);
  Random rnd(seed);
  for (int y = 0; y < h; ++y) {
    Color32* row = b.Row(y);
    const double dy = (y + 0.5) / h * 2 - 1;
    for (int x = 0; x < w; ++x) {
      const double dx = (x + 0.5) / w * 2 - 1;
      const int alpha = vignette ? Clamp255(int((1.0 - dx * dx - dy * dy) * 600)) : 255;
      row[x] = MakeColor32(alpha, (x * 255 / w + rnd(24)) & 0xFF, (y * 255 / h + rnd(24)) & 0xFF,
                           (seed * 40 + rnd(24)) & 0xFF);
    }
  }
  return b;
}

// The card: an A4 photo background with eight 2000 x 1500 photos over it, half of them shown
// smaller or larger than their pixel size, some masked, faded, nearest-filtered or cropped.
void MakeCard(CardDocument& doc) {
  doc.NewCanvas(kCardW, kCardH, 0xFFFFFFFF);
  doc.MutableBaseImage() = Photo(kCardW, kCardH, 99, false);
  for (int i = 0; i < kLayers; ++i) {
    const float scale = i % 2 ? 0.5f + 0.2f * i / 2 : 1.0f;
    const float left = 150.0f * i, top = 120.0f * i;
    BitmapLayer& layer =
        doc.AppendBitmapLayer(Photo(kLayerW, kLayerH, i + 1, i % 3 == 0),
                              {left, top, left + kLayerW * scale, top + kLayerH * scale});
    layer.MutableBitmap().set_master_alpha(i == 5 ? 160 : 255);
    layer.MutableBitmap().set_stretch_filter(i == 3 ? StretchFilter::kNearest
                                                    : StretchFilter::kLinear);
    layer.set_cropped(i == 7);
  }
  doc.SelectLayer(&doc.LayerAt(kLayers - 1));
}

struct Files {
  Files() {
    char pattern[] = "/tmp/velmora-files-bench-XXXXXX";
    folder = mkdtemp(pattern);
    MakeCard(card);
    project = folder + "/card.vlm";
    SaveProject(card, project);
    bytes = std::filesystem::file_size(project);
    plain = folder + "/plain.bin";
    content = std::make_unique<uint8_t[]>(bytes);
    for (size_t i = 0; i < bytes; ++i) content[i] = uint8_t(i * 131);
    WritePlain(plain, false);
  }
  ~Files() { std::filesystem::remove_all(folder); }

  // Writes `bytes` bytes to the file; with `synced` the way the program saves: a temporary file,
  // flushed to the disk, renamed over the target, the folder flushed.
  bool WritePlain(const std::string& path, bool synced) const {
    const std::string target = synced ? path + ".tmp" : path;
    const int fd = ::open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    size_t done = 0;
    while (done < bytes) {
      const ssize_t n = ::write(fd, content.get() + done, bytes - done);
      if (n <= 0) break;
      done += size_t(n);
    }
    bool ok = done == bytes;
    if (synced) ok = ok && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (synced) {
      ok = ok && std::rename(target.c_str(), path.c_str()) == 0;
      const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
      ok = ok && dir >= 0 && ::fsync(dir) == 0;
      if (dir >= 0) ::close(dir);
    }
    return ok;
  }

  std::string folder, project, plain;
  CardDocument card;
  size_t bytes = 0;
  std::unique_ptr<uint8_t[]> content;
};

Files& TheFiles() {
  static Files files;
  return files;
}

void SetBytes(benchmark::State& state) {
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(TheFiles().bytes));
  state.counters["file_bytes"] = double(TheFiles().bytes);
}

// ---- write ----

// Each write figure starts with nothing left to write back from the one before.
void FlushEarlierWrites() { ::sync(); }

// Argument 0: plain writes; 1: each also flushed to the disk and renamed, as the program saves.
void BM_PlainWrite(benchmark::State& state) {
  const Files& f = TheFiles();
  FlushEarlierWrites();
  const bool synced = state.range(0) != 0;
  const std::string out = f.folder + (synced ? "/synced.bin" : "/written.bin");
  for (auto _ : state) {
    if (!f.WritePlain(out, synced)) state.SkipWithError("write failed");
  }
  SetBytes(state);
}

void BM_SaveProject(benchmark::State& state) {
  const Files& f = TheFiles();
  FlushEarlierWrites();
  const std::string out = f.folder + "/saved.vlm";
  for (auto _ : state) SaveProject(f.card, out);
  SetBytes(state);
}

// ---- read ----

void BM_PlainRead(benchmark::State& state) {
  const Files& f = TheFiles();
  for (auto _ : state) {
    const int fd = ::open(f.plain.c_str(), O_RDONLY | O_CLOEXEC);
    auto buffer = std::make_unique_for_overwrite<uint8_t[]>(f.bytes);
    size_t done = 0;
    while (done < f.bytes) {
      const ssize_t n = ::read(fd, buffer.get() + done, f.bytes - done);
      if (n <= 0) break;
      done += size_t(n);
    }
    ::close(fd);
    benchmark::DoNotOptimize(buffer.get());
    if (done != f.bytes) state.SkipWithError("short read");
  }
  SetBytes(state);
}

void BM_LoadProject(benchmark::State& state) {
  const Files& f = TheFiles();
  for (auto _ : state) {
    CardDocument doc;
    ApplyProject(doc, ReadProject(f.project));
    benchmark::DoNotOptimize(doc.base_image().Bits());
  }
  SetBytes(state);
}

// ---- thumbnail: whole processes ----

void RunTool(benchmark::State& state, const std::string& arguments) {
  const std::string command = std::string(VELMORA_TOOL) + " " + arguments;
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) {
      state.SkipWithError(("failed: " + command).c_str());
      return;
    }
  }
}

void BM_ToolStart(benchmark::State& state) { RunTool(state, "--version >/dev/null"); }

void BM_Thumbnail256(benchmark::State& state) {
  const Files& f = TheFiles();
  RunTool(state, "thumbnail -s 256 " + f.project + " " + f.folder + "/thumb.png");
}

VELMORA_BENCH(BM_PlainWrite, 5)->Arg(0)->Arg(1);
VELMORA_BENCH(BM_SaveProject, 5);
VELMORA_BENCH(BM_PlainRead, 5);
VELMORA_BENCH(BM_LoadProject, 5);
VELMORA_BENCH(BM_ToolStart, 10);
VELMORA_BENCH(BM_Thumbnail256, 5);

}  // namespace
}  // namespace velmora

BENCHMARK_MAIN();
