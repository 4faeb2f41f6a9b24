#include "imageio/TiffCodec.h"

#include <tiffio.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <memory>

#include "graphics/Error.h"
#include "imageio/CodecSupport.h"

namespace velmora {

namespace {

// libtiff refuses any single allocation above this (strip buffers, tag arrays).
constexpr tmsize_t kMaxSingleAlloc = tmsize_t{1} << 30;
constexpr size_t kMessageBytes = 200;

// A TIFF in memory, for reading or for writing: libtiff seeks, reads back and rewrites.
struct MemoryStream {
  std::span<const uint8_t> input;
  std::vector<uint8_t>* output = nullptr;  // when writing
  uint64_t position = 0;
  bool ran_out = false;  // a read asked for more than was left
  char message[kMessageBytes] = "";

  uint64_t size() const { return output ? output->size() : input.size(); }
  const uint8_t* data() const { return output ? output->data() : input.data(); }
};

MemoryStream& StreamOf(thandle_t handle) { return *static_cast<MemoryStream*>(handle); }

tmsize_t ReadStream(thandle_t handle, void* into, tmsize_t n) {
  MemoryStream& s = StreamOf(handle);
  if (n < 0) return 0;
  const uint64_t left = s.position < s.size() ? s.size() - s.position : 0;
  const uint64_t take = std::min<uint64_t>(uint64_t(n), left);
  if (take < uint64_t(n)) s.ran_out = true;
  if (take == 0) return 0;
  std::memcpy(into, s.data() + s.position, take);
  s.position += take;
  return static_cast<tmsize_t>(take);
}

tmsize_t WriteStream(thandle_t handle, void* from, tmsize_t n) {
  MemoryStream& s = StreamOf(handle);
  if (!s.output || n < 0) return -1;
  try {
    const uint64_t end = s.position + uint64_t(n);
    if (end > s.output->size()) s.output->resize(end);
  } catch (...) {
    return -1;
  }
  std::memcpy(s.output->data() + s.position, from, size_t(n));
  s.position += uint64_t(n);
  return n;
}

toff_t SeekStream(thandle_t handle, toff_t offset, int whence) {
  MemoryStream& s = StreamOf(handle);
  uint64_t base = 0;
  if (whence == SEEK_CUR) base = s.position;
  if (whence == SEEK_END) base = s.size();
  // libtiff passes negative offsets for SEEK_CUR and SEEK_END as large unsigned values.
  const uint64_t target = base + offset;
  if (target > (uint64_t{1} << 62)) return static_cast<toff_t>(-1);
  s.position = target;
  return target;
}

int CloseStream(thandle_t) { return 0; }
toff_t SizeOfStream(thandle_t handle) { return StreamOf(handle).size(); }
int NoMap(thandle_t, void**, toff_t*) { return 0; }
void NoUnmap(thandle_t, void*, toff_t) {}

// The first error is kept for the message, without the file name libtiff may put first;
// warnings are dropped.
int KeepError(TIFF*, void* user, const char* module, const char* format, va_list args) {
  auto* s = static_cast<MemoryStream*>(user);
  if (s->message[0] != '\0') return 1;
  char text[kMessageBytes];
  std::vsnprintf(text, sizeof text, format, args);
  const size_t skip = module && std::strncmp(text, module, std::strlen(module)) == 0 &&
                              std::strncmp(text + std::strlen(module), ": ", 2) == 0
                          ? std::strlen(module) + 2
                          : 0;
  std::snprintf(s->message, sizeof s->message, "%s", text + skip);
  return 1;
}
int DropWarning(TIFF*, void*, const char*, const char*, va_list) { return 1; }

struct CloseTiff {
  void operator()(TIFF* tif) const { TIFFClose(tif); }
};
using TiffHandle = std::unique_ptr<TIFF, CloseTiff>;

TiffHandle Open(MemoryStream& stream, const char* name, const char* mode) {
  // The few messages libtiff still sends to its process-wide handlers would go to stderr.
  static const bool quiet = [] {
    TIFFSetErrorHandler(nullptr);
    TIFFSetWarningHandler(nullptr);
    return true;
  }();
  (void)quiet;
  TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
  if (!options) throw std::bad_alloc();
  TIFFOpenOptionsSetMaxSingleMemAlloc(options, kMaxSingleAlloc);
  TIFFOpenOptionsSetErrorHandlerExtR(options, KeepError, &stream);
  TIFFOpenOptionsSetWarningHandlerExtR(options, DropWarning, nullptr);
  TIFF* tif = TIFFClientOpenExt(name, mode, &stream, ReadStream, WriteStream, SeekStream,
                                CloseStream, SizeOfStream, NoMap, NoUnmap, options);
  TIFFOpenOptionsFree(options);
  return TiffHandle(tif);
}

std::string Reason(const MemoryStream& s, const char* otherwise) {
  if (s.ran_out) return "truncated";
  return s.message[0] ? std::string(s.message) : std::string(otherwise);
}

}  // namespace

Bitmap32 DecodeTiff(std::span<const uint8_t> bytes, const std::string& name) {
  MemoryStream stream{bytes};
  TiffHandle tif = Open(stream, name.c_str(), "rm");
  if (!tif) FailPicture(name, Reason(stream, "damaged TIFF file"));
  uint32_t width = 0;
  uint32_t height = 0;
  if (!TIFFGetField(tif.get(), TIFFTAG_IMAGEWIDTH, &width) ||
      !TIFFGetField(tif.get(), TIFFTAG_IMAGELENGTH, &height)) {
    FailPicture(name, "TIFF file without picture size");
  }
  CheckDecodedSize(width, height, name);
  char why[1024] = "";
  if (!TIFFRGBAImageOK(tif.get(), why)) FailPicture(name, std::string("unsupported TIFF: ") + why);
  Bitmap32 out(static_cast<int>(width), static_cast<int>(height));
  // libtiff gives 0xAABBGGRR; red and blue are swapped back below.
  if (!TIFFReadRGBAImageOriented(tif.get(), width, height, out.Bits(), ORIENTATION_TOPLEFT, 1)) {
    FailPicture(name, Reason(stream, "damaged TIFF file"));
  }
  Color32* p = out.Bits();
  for (size_t i = 0; i < out.PixelCount(); ++i) {
    const Color32 c = p[i];
    p[i] = 0xFF000000u | ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
  }
  return out;
}

std::vector<uint8_t> EncodeTiff(const Bitmap32& picture) {
  if (picture.empty()) throw Error("cannot save an empty picture");
  std::vector<uint8_t> bytes;
  MemoryStream stream;
  stream.output = &bytes;
  {
    TiffHandle tif = Open(stream, "TIFF", "w");
    if (!tif) throw Error("TIFF: " + Reason(stream, "cannot start the file"));
    const uint32_t width = static_cast<uint32_t>(picture.width());
    TIFF* t = tif.get();
    TIFFSetField(t, TIFFTAG_IMAGEWIDTH, width);
    TIFFSetField(t, TIFFTAG_IMAGELENGTH, static_cast<uint32_t>(picture.height()));
    TIFFSetField(t, TIFFTAG_SAMPLESPERPIXEL, 3);
    TIFFSetField(t, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(t, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
    TIFFSetField(t, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(t, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT);
    TIFFSetField(t, TIFFTAG_COMPRESSION, COMPRESSION_LZW);
    TIFFSetField(t, TIFFTAG_PREDICTOR, PREDICTOR_HORIZONTAL);
    TIFFSetField(t, TIFFTAG_ROWSPERSTRIP, TIFFDefaultStripSize(t, 0));
    std::vector<uint8_t> row(size_t(width) * 3);
    for (int y = 0; y < picture.height(); ++y) {
      const Color32* src = picture.Row(y);
      for (uint32_t x = 0; x < width; ++x) {
        row[3 * x] = static_cast<uint8_t>(RedOf(src[x]));
        row[3 * x + 1] = static_cast<uint8_t>(GreenOf(src[x]));
        row[3 * x + 2] = static_cast<uint8_t>(BlueOf(src[x]));
      }
      if (TIFFWriteScanline(t, row.data(), static_cast<uint32_t>(y), 0) < 0) {
        throw Error("TIFF: " + Reason(stream, "cannot write a row"));
      }
    }
    if (!TIFFFlush(t)) throw Error("TIFF: " + Reason(stream, "cannot finish the file"));
  }
  return bytes;
}

}  // namespace velmora
