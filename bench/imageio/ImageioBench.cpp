// Picture files on a 6000 x 4000 photo-like picture, each figure beside a baseline measured in
// the same run:
//   BMP read and write      against reading and writing the same bytes as a plain file
//   JPEG decode and encode  against ImageMagick's convert on the same files (whole process)
// All times are wall-clock (ImageMagick runs as a child process). The files sit in the page
// cache, as a picture that was just saved or copied does.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "../BenchSupport.h"
#include "graphics/Random.h"
#include "imageio/PictureIO.h"

namespace velmora {
namespace {

constexpr int kWidth = 6000;
constexpr int kHeight = 4000;
constexpr int kJpegQuality = 90;

// Smooth colour waves with a little noise, so JPEG sizes are those of a photo.
Bitmap32 PhotoLikePicture() {
  Bitmap32 b(kWidth, kHeight);
  Random random;
  for (int y = 0; y < kHeight; ++y) {
    Color32* row = b.Row(y);
    for (int x = 0; x < kWidth; ++x) {
      const double u = x / 700.0, v = y / 500.0;
      const int noise = int(random.Next(17)) - 8;
      row[x] = MakeColor32(255, Clamp255(int(128 + 100 * std::sin(u + 0.7 * v)) + noise),
                           Clamp255(int(128 + 90 * std::sin(1.3 * u - v + 1)) + noise),
                           Clamp255(int(120 + 80 * std::cos(0.5 * u + 1.7 * v)) + noise));
    }
  }
  return b;
}

struct Files {
  Files() {
    char pattern[] = "/tmp/velmora-bench-XXXXXX";
    folder = mkdtemp(pattern);
    picture = PhotoLikePicture();
    bmp = folder + "/in.bmp";
    jpg = folder + "/in.jpg";
    SavePicture(bmp, picture);
    SaveOptions jpeg;
    jpeg.jpeg_quality = kJpegQuality;
    SavePicture(jpg, picture, jpeg);
    bmp_bytes = EncodePicture(picture, PictureFormat::kBmp);
  }
  ~Files() { std::filesystem::remove_all(folder); }
  std::string Out(const char* name) const { return folder + "/" + name; }

  std::string folder, bmp, jpg;
  Bitmap32 picture;
  std::vector<uint8_t> bmp_bytes;
};

Files& TheFiles() {
  static Files files;
  return files;
}

const char* ImageMagick() {
  // The real program, not a wrapper script that may stand before it on the PATH.
  return std::filesystem::exists("/usr/bin/convert") ? "/usr/bin/convert" : nullptr;
}

void RunImageMagick(benchmark::State& state, const std::string& arguments) {
  const char* convert = ImageMagick();
  if (!convert) {
    state.SkipWithError("ImageMagick's convert is not installed");
    return;
  }
  const std::string command = std::string(convert) + " " + arguments;
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) {
      state.SkipWithError(("failed: " + command).c_str());
      return;
    }
  }
}

// ---- BMP read ----

void BM_PlainFileRead(benchmark::State& state) {
  const Files& f = TheFiles();
  for (auto _ : state) {
    FILE* in = std::fopen(f.bmp.c_str(), "rb");
    auto buffer = std::make_unique_for_overwrite<uint8_t[]>(f.bmp_bytes.size());
    const size_t got = std::fread(buffer.get(), 1, f.bmp_bytes.size(), in);
    std::fclose(in);
    benchmark::DoNotOptimize(buffer.get());
    if (got != f.bmp_bytes.size()) state.SkipWithError("short read");
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(f.bmp_bytes.size()));
}

void BM_BmpRead(benchmark::State& state) {
  const Files& f = TheFiles();
  for (auto _ : state) {
    Bitmap32 b = LoadPicture(f.bmp);
    benchmark::DoNotOptimize(b.Bits());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(f.bmp_bytes.size()));
}

// ---- BMP write ----

void BM_PlainFileWrite(benchmark::State& state) {
  const Files& f = TheFiles();
  const std::string out = f.Out("plain.bin");
  for (auto _ : state) {
    FILE* file = std::fopen(out.c_str(), "wb");
    std::fwrite(f.bmp_bytes.data(), 1, f.bmp_bytes.size(), file);
    std::fclose(file);
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(f.bmp_bytes.size()));
}

// The same bytes written the way every save of the program writes: a temporary file, flushed
// to the disk, renamed over the target.
void BM_PlainFileWriteSynced(benchmark::State& state) {
  const Files& f = TheFiles();
  const std::string out = f.Out("synced.bin");
  const std::string temp = out + ".tmp";
  for (auto _ : state) {
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (::write(fd, f.bmp_bytes.data(), f.bmp_bytes.size()) != ssize_t(f.bmp_bytes.size()) ||
        ::fsync(fd) != 0 || ::close(fd) != 0 || std::rename(temp.c_str(), out.c_str()) != 0) {
      state.SkipWithError("write failed");
    }
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(f.bmp_bytes.size()));
}

void BM_BmpWrite(benchmark::State& state) {
  const Files& f = TheFiles();
  const std::string out = f.Out("out.bmp");
  for (auto _ : state) SavePicture(out, f.picture);
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(f.bmp_bytes.size()));
}

// ---- JPEG ----

void BM_JpegDecode(benchmark::State& state) {
  const Files& f = TheFiles();
  for (auto _ : state) {
    Bitmap32 b = LoadPicture(f.jpg);
    benchmark::DoNotOptimize(b.Bits());
  }
  state.counters["file_bytes"] = double(std::filesystem::file_size(f.jpg));
}

// Decodes the JPEG and discards the pixels: start-up, reading and decoding.
void BM_ImageMagickJpegDecode(benchmark::State& state) {
  RunImageMagick(state, TheFiles().jpg + " null:");
}

void BM_JpegEncode(benchmark::State& state) {
  const Files& f = TheFiles();
  SaveOptions options;
  options.jpeg_quality = kJpegQuality;
  const std::string out = f.Out("out.jpg");
  for (auto _ : state) SavePicture(out, f.picture, options);
  state.counters["file_bytes"] = double(std::filesystem::file_size(out));
}

// ImageMagick must read its input first; the BMP is what this program's own picture would be.
void BM_ImageMagickJpegEncode(benchmark::State& state) {
  const Files& f = TheFiles();
  RunImageMagick(state,
                 f.bmp + " -quality " + std::to_string(kJpegQuality) + " " + f.Out("magick.jpg"));
  if (!state.error_occurred()) {
    state.counters["file_bytes"] = double(std::filesystem::file_size(f.Out("magick.jpg")));
  }
}

// The like-for-like of the one above: this program reading the BMP file and writing the JPEG.
void BM_BmpFileToJpeg(benchmark::State& state) {
  const Files& f = TheFiles();
  SaveOptions options;
  options.jpeg_quality = kJpegQuality;
  const std::string out = f.Out("converted.jpg");
  for (auto _ : state) SavePicture(out, LoadPicture(f.bmp), options);
}

// How much of ImageMagick's encoding figure is reading the BMP.
void BM_ImageMagickBmpRead(benchmark::State& state) {
  RunImageMagick(state, TheFiles().bmp + " null:");
}

VELMORA_BENCH(BM_PlainFileRead, 20);
VELMORA_BENCH(BM_BmpRead, 20);
VELMORA_BENCH(BM_PlainFileWrite, 10);
VELMORA_BENCH(BM_PlainFileWriteSynced, 10);
VELMORA_BENCH(BM_BmpWrite, 10);
VELMORA_BENCH(BM_JpegDecode, 5);
VELMORA_BENCH(BM_ImageMagickJpegDecode, 3);
VELMORA_BENCH(BM_JpegEncode, 5);
VELMORA_BENCH(BM_ImageMagickJpegEncode, 3);
VELMORA_BENCH(BM_BmpFileToJpeg, 3);
VELMORA_BENCH(BM_ImageMagickBmpRead, 3);

}  // namespace
}  // namespace velmora

BENCHMARK_MAIN();
