#include "imageio/JpegCodec.h"

// libjpeg reports errors through longjmp. Each job below keeps every C++ object that must be
// destroyed outside the function that calls setjmp, and no callback throws, so a longjmp never
// skips a destructor.

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

extern "C" {
#include <jerror.h>
#include <jpeglib.h>
}

#include "graphics/Error.h"
#include "imageio/CodecSupport.h"

namespace velmora {

namespace {

// A progressive stream may repeat scans without limit, each costing a pass over the picture;
// real files use about ten.
constexpr int kMaxScans = 500;
constexpr int kRowsPerCall = 16;
constexpr size_t kFirstOutputBytes = size_t{1} << 16;

struct JpegErrors {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX] = "";
};

[[noreturn]] void Abort(j_common_ptr cinfo, const char* message) {
  auto* errors = reinterpret_cast<JpegErrors*>(cinfo->err);
  std::snprintf(errors->message, sizeof errors->message, "%s", message);
  std::longjmp(errors->jump, 1);
}

[[noreturn]] void OnError(j_common_ptr cinfo) {
  char text[JMSG_LENGTH_MAX];
  (*cinfo->err->format_message)(cinfo, text);
  Abort(cinfo, text);
}

// Warnings are ignored, except running out of data: libjpeg would fill the rest of the picture
// with grey and call it success.
void OnMessage(j_common_ptr cinfo, int level) {
  if (level < 0 && cinfo->err->msg_code == JWRN_JPEG_EOF) Abort(cinfo, "truncated");
}

void Quiet(j_common_ptr) {}

void InstallErrors(JpegErrors& errors) {
  jpeg_std_error(&errors.pub);
  errors.pub.error_exit = OnError;
  errors.pub.emit_message = OnMessage;
  errors.pub.output_message = Quiet;
}

void LimitScans(j_common_ptr cinfo) {
  if (cinfo->is_decompressor &&
      reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > kMaxScans) {
    Abort(cinfo, "too many scans");
  }
}

struct DecodeJob {
  DecodeJob(std::span<const uint8_t> b, const std::string& n, Bitmap32& o)
      : bytes(b), name(n), out(o) {}
  ~DecodeJob() {
    if (created) jpeg_destroy_decompress(&cinfo);
  }
  jpeg_decompress_struct cinfo{};
  JpegErrors errors;
  jpeg_progress_mgr progress{};
  bool created = false;
  std::span<const uint8_t> bytes;
  const std::string& name;
  Bitmap32& out;
  std::vector<uint8_t> cmyk_row;
};

// Adobe's CMYK files store the inks inverted (255 = no ink); without its marker they are stored
// as they are.
void CmykRowToPixels(const uint8_t* src, Color32* dst, int width, bool inverted) noexcept {
  const uint32_t flip = inverted ? 0 : 255;
  for (int x = 0; x < width; ++x, src += 4) {
    const uint32_t k = src[3] ^ flip;
    const uint32_t r = ((src[0] ^ flip) * k + 127) / 255;
    const uint32_t g = ((src[1] ^ flip) * k + 127) / 255;
    const uint32_t b = ((src[2] ^ flip) * k + 127) / 255;
    dst[x] = MakeColor32(255, r, g, b);
  }
}

// False after a libjpeg error; the message is in job.errors.
bool RunDecode(DecodeJob& job) {
  jpeg_decompress_struct& cinfo = job.cinfo;
  InstallErrors(job.errors);
  cinfo.err = &job.errors.pub;
  if (setjmp(job.errors.jump)) return false;
  jpeg_create_decompress(&cinfo);
  job.created = true;
  job.progress.progress_monitor = LimitScans;
  cinfo.progress = &job.progress;
  jpeg_mem_src(&cinfo, job.bytes.data(), static_cast<unsigned long>(job.bytes.size()));
  jpeg_read_header(&cinfo, TRUE);
  CheckDecodedSize(cinfo.image_width, cinfo.image_height, job.name);
  const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
  if (!cmyk && cinfo.num_components != 1 && cinfo.num_components != 3) {
    Abort(reinterpret_cast<j_common_ptr>(&cinfo), "unsupported JPEG colour space");
  }
  // Straight into the bitmap's rows: 0xAARRGGBB is blue, green, red, alpha in memory, and
  // libjpeg-turbo fills the alpha byte with 255.
  cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRA;
  jpeg_start_decompress(&cinfo);
  const int width = static_cast<int>(cinfo.output_width);
  const int height = static_cast<int>(cinfo.output_height);
  job.out.SetSize(width, height);
  if (cmyk) job.cmyk_row.resize(size_t(width) * 4);
  JSAMPROW rows[kRowsPerCall];
  while (cinfo.output_scanline < cinfo.output_height) {
    const int y = static_cast<int>(cinfo.output_scanline);
    if (cmyk) {
      rows[0] = job.cmyk_row.data();
      jpeg_read_scanlines(&cinfo, rows, 1);
      CmykRowToPixels(job.cmyk_row.data(), job.out.Row(y), width, cinfo.saw_Adobe_marker);
      continue;
    }
    const int n = std::min(kRowsPerCall, height - y);
    for (int k = 0; k < n; ++k) rows[k] = reinterpret_cast<JSAMPROW>(job.out.Row(y + k));
    jpeg_read_scanlines(&cinfo, rows, static_cast<JDIMENSION>(n));
  }
  // Every row is in: whatever follows the last scan (normally just the end marker) is not read.
  return true;
}

// Compressed bytes go to a malloc'ed buffer that grows; libjpeg calls these from C.
struct GrowingDestination {
  jpeg_destination_mgr pub;
  uint8_t* data = nullptr;
  size_t capacity = 0;
  size_t used = 0;
};

void StartDestination(j_compress_ptr cinfo) {
  auto* d = reinterpret_cast<GrowingDestination*>(cinfo->dest);
  d->data = static_cast<uint8_t*>(std::malloc(kFirstOutputBytes));
  if (!d->data) ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 0);
  d->capacity = kFirstOutputBytes;
  d->pub.next_output_byte = d->data;
  d->pub.free_in_buffer = d->capacity;
}

boolean GrowDestination(j_compress_ptr cinfo) {
  auto* d = reinterpret_cast<GrowingDestination*>(cinfo->dest);
  const size_t bigger = d->capacity * 2;
  auto* grown = static_cast<uint8_t*>(std::realloc(d->data, bigger));
  if (!grown) ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 0);
  d->data = grown;
  d->pub.next_output_byte = grown + d->capacity;
  d->pub.free_in_buffer = bigger - d->capacity;
  d->capacity = bigger;
  return TRUE;
}

void FinishDestination(j_compress_ptr cinfo) {
  auto* d = reinterpret_cast<GrowingDestination*>(cinfo->dest);
  d->used = d->capacity - d->pub.free_in_buffer;
}

struct EncodeJob {
  ~EncodeJob() {
    if (created) jpeg_destroy_compress(&cinfo);
    std::free(destination.data);
  }
  jpeg_compress_struct cinfo{};
  JpegErrors errors;
  GrowingDestination destination;
  bool created = false;
};

bool RunEncode(EncodeJob& job, const Bitmap32& picture, int quality) {
  jpeg_compress_struct& cinfo = job.cinfo;
  InstallErrors(job.errors);
  cinfo.err = &job.errors.pub;
  if (setjmp(job.errors.jump)) return false;
  jpeg_create_compress(&cinfo);
  job.created = true;
  job.destination.pub.init_destination = StartDestination;
  job.destination.pub.empty_output_buffer = GrowDestination;
  job.destination.pub.term_destination = FinishDestination;
  cinfo.dest = &job.destination.pub;
  cinfo.image_width = static_cast<JDIMENSION>(picture.width());
  cinfo.image_height = static_cast<JDIMENSION>(picture.height());
  // The bitmap's rows as they are: the fourth byte (alpha) is skipped.
  cinfo.input_components = 4;
  cinfo.in_color_space = JCS_EXT_BGRX;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  JSAMPROW rows[kRowsPerCall];
  while (cinfo.next_scanline < cinfo.image_height) {
    const int y = static_cast<int>(cinfo.next_scanline);
    const int n = std::min(kRowsPerCall, picture.height() - y);
    for (int k = 0; k < n; ++k) {
      rows[k] = reinterpret_cast<JSAMPROW>(const_cast<Color32*>(picture.Row(y + k)));
    }
    jpeg_write_scanlines(&cinfo, rows, static_cast<JDIMENSION>(n));
  }
  jpeg_finish_compress(&cinfo);
  return true;
}

}  // namespace

Bitmap32 DecodeJpeg(std::span<const uint8_t> bytes, const std::string& name) {
  Bitmap32 out;
  DecodeJob job(bytes, name, out);
  if (!RunDecode(job)) FailPicture(name, job.errors.message);
  return out;
}

std::vector<uint8_t> EncodeJpeg(const Bitmap32& picture, int quality) {
  if (quality < 1 || quality > 100) {
    throw Error("JPEG quality must be 1..100, not " + std::to_string(quality));
  }
  if (picture.empty()) throw Error("cannot save an empty picture");
  EncodeJob job;
  if (!RunEncode(job, picture, quality)) throw Error(std::string("JPEG: ") + job.errors.message);
  return {job.destination.data, job.destination.data + job.destination.used};
}

}  // namespace velmora
