#pragma once

// The picture formats the program reads and writes: one table, read by the loader, the saver,
// the fuzz targets and the tests. Formats are named by their stable id ("bmp", "jpeg", ...).

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "graphics/Bitmap32.h"
#include "imageio/ByteSink.h"
#include "imageio/ByteSource.h"

namespace velmora {

enum class PictureFormat : uint8_t { kBmp, kJpeg, kPng, kGif, kTiff, kIco, kEmf, kWmf };

// Colour depth of a GIF export:
//   kTwo      black and white by intensity threshold
//   kSixteen  the 16 colours of the standard system (VGA) palette, nearest colour
//   k256      the halftone palette (6 x 6 x 6 colour cube and 40 greys), nearest colour
//   kAuto     the picture's own colours when it has at most 256, else median cut to 256 colours
//             with Floyd-Steinberg dithering
enum class GifDepth : uint8_t { kTwo, kSixteen, k256, kAuto };

struct SaveOptions {
  std::optional<PictureFormat> format;  // empty: chosen by the file name's extension
  int jpeg_quality = 90;                // 1..100
  GifDepth gif_depth = GifDepth::kAuto;
  bool png_alpha = false;  // a 32-bit PNG with the alpha channel instead of 24-bit RGB
};

struct PictureFormatInfo {
  PictureFormat format;
  std::string_view id;                           // stable, lower case: "bmp", "jpeg", ...
  std::string_view title;                        // in messages: "BMP", "JPEG", ...
  std::span<const std::string_view> extensions;  // lower case, without the dot
  // True when the first bytes of a stream (as many as there are, up to kSignatureBytes) are
  // this format's signature.
  bool (*has_signature)(std::span<const uint8_t> head) noexcept;
  // The picture in the source; null when the format has no reader yet.
  Bitmap32 (*decode)(ByteSource& source);
  // Writes the picture in this format; null when the format has no writer.
  void (*encode)(const Bitmap32& picture, const SaveOptions& options, ByteSink& sink);
};

// Bytes a signature test may look at.
inline constexpr size_t kSignatureBytes = 64;

std::span<const PictureFormatInfo> PictureFormats() noexcept;
const PictureFormatInfo& FormatInfo(PictureFormat format) noexcept;
// Null when nothing matches.
const PictureFormatInfo* FindFormatById(std::string_view id) noexcept;
// By the extension of the file name (the text after the last dot of its last component), in any
// letter case.
const PictureFormatInfo* FindFormatByFileName(std::string_view path) noexcept;
const PictureFormatInfo* SniffFormat(std::span<const uint8_t> head) noexcept;

}  // namespace velmora
