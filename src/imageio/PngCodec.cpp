#include "imageio/PngCodec.h"

// libpng reports errors through longjmp (png_longjmp). As in the JPEG codec, the C++ objects
// live in a job owned by the caller, the function that calls setjmp holds nothing that needs
// destroying, and no callback throws.

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>

#include "graphics/Error.h"
#include "imageio/CodecSupport.h"

namespace velmora {

namespace {

constexpr size_t kMessageBytes = 200;
constexpr png_alloc_size_t kMaxChunkBytes = png_alloc_size_t{1} << 23;  // ancillary chunks
constexpr png_uint_32 kMaxCachedChunks = 1000;

struct PngJob {
  png_structp png = nullptr;
  png_infop info = nullptr;
  char message[kMessageBytes] = "";
};

[[noreturn]] void OnError(png_structp png, png_const_charp message) {
  auto* job = static_cast<PngJob*>(png_get_error_ptr(png));
  std::snprintf(job->message, sizeof job->message, "%s", message);
  png_longjmp(png, 1);
}

void Quiet(png_structp, png_const_charp) {}

struct ReadJob : PngJob {
  ReadJob(std::span<const uint8_t> b, const std::string& n, Bitmap32& o)
      : bytes(b), name(n), out(o) {}
  ~ReadJob() { png_destroy_read_struct(&png, &info, nullptr); }
  std::span<const uint8_t> bytes;
  size_t position = 0;
  const std::string& name;
  Bitmap32& out;
  std::vector<png_bytep> rows;
};

void ReadBytes(png_structp png, png_bytep into, size_t n) {
  auto* job = static_cast<ReadJob*>(png_get_io_ptr(png));
  if (n > job->bytes.size() - job->position) png_error(png, "truncated");
  std::memcpy(into, job->bytes.data() + job->position, n);
  job->position += n;
}

// False after a libpng error; the message is in job.message.
bool RunDecode(ReadJob& job) {
  job.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &job, OnError, Quiet);
  if (!job.png) throw std::bad_alloc();
  job.info = png_create_info_struct(job.png);
  if (!job.info) throw std::bad_alloc();
  if (setjmp(png_jmpbuf(job.png))) return false;
  png_set_read_fn(job.png, &job, ReadBytes);
  png_set_chunk_malloc_max(job.png, kMaxChunkBytes);
  png_set_chunk_cache_max(job.png, kMaxCachedChunks);
  png_read_info(job.png, job.info);
  const png_uint_32 width = png_get_image_width(job.png, job.info);
  const png_uint_32 height = png_get_image_height(job.png, job.info);
  CheckDecodedSize(width, height, job.name);

  const int color_type = png_get_color_type(job.png, job.info);
  const int depth = png_get_bit_depth(job.png, job.info);
  if (color_type == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(job.png);
  if (color_type == PNG_COLOR_TYPE_GRAY && depth < 8) png_set_expand_gray_1_2_4_to_8(job.png);
  if (depth == 16) png_set_scale_16(job.png);
  if (!(color_type & PNG_COLOR_MASK_COLOR)) png_set_gray_to_rgb(job.png);
  // Blue, green, red, then alpha or a filler byte: the bitmap's own layout. The alpha (from an
  // alpha channel or from tRNS) is made opaque afterwards.
  png_set_bgr(job.png);
  png_set_filler(job.png, 0xFF, PNG_FILLER_AFTER);
  png_set_interlace_handling(job.png);
  png_read_update_info(job.png, job.info);
  if (png_get_rowbytes(job.png, job.info) != size_t{width} * 4) {
    png_error(job.png, "unsupported PNG pixel layout");
  }
  job.out.SetSize(static_cast<int>(width), static_cast<int>(height));
  job.rows.resize(height);
  for (png_uint_32 y = 0; y < height; ++y) {
    job.rows[y] = reinterpret_cast<png_bytep>(job.out.Row(static_cast<int>(y)));
  }
  png_read_image(job.png, job.rows.data());
  MakeOpaque(job.out);
  // The chunks after the image data are not needed.
  return true;
}

struct WriteJob : PngJob {
  ~WriteJob() { png_destroy_write_struct(&png, &info); }
  std::vector<uint8_t> out;
  std::vector<png_bytep> rows;
};

void WriteBytes(png_structp png, png_bytep bytes, size_t n) {
  auto* job = static_cast<WriteJob*>(png_get_io_ptr(png));
  try {
    job->out.insert(job->out.end(), bytes, bytes + n);
  } catch (...) {
    png_error(png, "out of memory");
  }
}

void NoFlush(png_structp) {}

bool RunEncode(WriteJob& job, const Bitmap32& picture, bool with_alpha) {
  job.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &job, OnError, Quiet);
  if (!job.png) throw std::bad_alloc();
  job.info = png_create_info_struct(job.png);
  if (!job.info) throw std::bad_alloc();
  job.rows.resize(size_t(picture.height()));
  for (int y = 0; y < picture.height(); ++y) {
    job.rows[y] = reinterpret_cast<png_bytep>(const_cast<Color32*>(picture.Row(y)));
  }
  if (setjmp(png_jmpbuf(job.png))) return false;
  png_set_write_fn(job.png, &job, WriteBytes, NoFlush);
  png_set_IHDR(job.png, job.info, static_cast<png_uint_32>(picture.width()),
               static_cast<png_uint_32>(picture.height()), 8,
               with_alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(job.png, job.info);
  // The rows are blue, green, red, alpha; without alpha libpng drops the fourth byte.
  png_set_bgr(job.png);
  if (!with_alpha) png_set_filler(job.png, 0, PNG_FILLER_AFTER);
  png_write_image(job.png, job.rows.data());
  png_write_end(job.png, nullptr);
  return true;
}

}  // namespace

Bitmap32 DecodePng(std::span<const uint8_t> bytes, const std::string& name) {
  Bitmap32 out;
  ReadJob job(bytes, name, out);
  if (!RunDecode(job)) FailPicture(name, job.message);
  return out;
}

std::vector<uint8_t> EncodePng(const Bitmap32& picture, bool with_alpha) {
  if (picture.empty()) throw Error("cannot save an empty picture");
  WriteJob job;
  if (!RunEncode(job, picture, with_alpha)) throw Error(std::string("PNG: ") + job.message);
  return std::move(job.out);
}

}  // namespace velmora
