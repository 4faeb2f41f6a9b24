#include "imageio/PictureFormat.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <vector>

#include "imageio/BmpCodec.h"
#include "imageio/GifCodec.h"
#include "imageio/IcoCodec.h"
#include "imageio/JpegCodec.h"
#include "imageio/PngCodec.h"
#include "imageio/TiffCodec.h"

namespace velmora {

namespace {

bool StartsWith(std::span<const uint8_t> head, std::initializer_list<uint8_t> magic) noexcept {
  return head.size() >= magic.size() && std::equal(magic.begin(), magic.end(), head.begin());
}

bool IsBmp(std::span<const uint8_t> h) noexcept { return StartsWith(h, {'B', 'M'}); }
bool IsJpeg(std::span<const uint8_t> h) noexcept { return StartsWith(h, {0xFF, 0xD8, 0xFF}); }
bool IsPng(std::span<const uint8_t> h) noexcept {
  return StartsWith(h, {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'});
}
bool IsGif(std::span<const uint8_t> h) noexcept {
  return StartsWith(h, {'G', 'I', 'F', '8', '7', 'a'}) ||
         StartsWith(h, {'G', 'I', 'F', '8', '9', 'a'});
}
bool IsTiff(std::span<const uint8_t> h) noexcept {
  return StartsWith(h, {'I', 'I', 42, 0}) || StartsWith(h, {'M', 'M', 0, 42}) ||
         StartsWith(h, {'I', 'I', 43, 0}) || StartsWith(h, {'M', 'M', 0, 43});
}
// Reserved 0, type 1 (icon), at least one image.
bool IsIco(std::span<const uint8_t> h) noexcept {
  return StartsWith(h, {0, 0, 1, 0}) && h.size() >= 6 && (h[4] | h[5]) != 0;
}
// The header record (type 1) with the signature " EMF" at offset 40.
bool IsEmf(std::span<const uint8_t> h) noexcept {
  return StartsWith(h, {1, 0, 0, 0}) && h.size() >= 44 && h[40] == ' ' && h[41] == 'E' &&
         h[42] == 'M' && h[43] == 'F';
}
// The placeable header's key, or a plain header: type 1 or 2, 9 words long, version 1 or 3.
bool IsWmf(std::span<const uint8_t> h) noexcept {
  if (StartsWith(h, {0xD7, 0xCD, 0xC6, 0x9A})) return true;
  return h.size() >= 6 && (h[0] == 1 || h[0] == 2) && h[1] == 0 && h[2] == 9 && h[3] == 0 &&
         (h[5] == 1 || h[5] == 3) && h[4] == 0;
}

// Readers that need the whole stream at once.
template <Bitmap32 (*Decode)(std::span<const uint8_t>, const std::string&)>
Bitmap32 DecodeWhole(ByteSource& source) {
  std::vector<uint8_t> scratch;
  return Decode(source.View(0, source.size(), scratch), source.name());
}

void SaveAll(const std::vector<uint8_t>& bytes, ByteSink& sink) { sink.Write(bytes); }

constexpr std::string_view kBmpExt[] = {"bmp", "dib"};
constexpr std::string_view kJpegExt[] = {"jpg", "jpeg", "jpe", "jfif"};
constexpr std::string_view kPngExt[] = {"png"};
constexpr std::string_view kGifExt[] = {"gif"};
constexpr std::string_view kTiffExt[] = {"tif", "tiff"};
constexpr std::string_view kIcoExt[] = {"ico"};
constexpr std::string_view kEmfExt[] = {"emf"};
constexpr std::string_view kWmfExt[] = {"wmf"};

const PictureFormatInfo kFormats[] = {
    {PictureFormat::kBmp, "bmp", "BMP", kBmpExt, IsBmp, ReadBmp,
     [](const Bitmap32& p, const SaveOptions&, ByteSink& sink) { WriteBmp32(p, sink); }},
    {PictureFormat::kJpeg, "jpeg", "JPEG", kJpegExt, IsJpeg, DecodeWhole<DecodeJpeg>,
     [](const Bitmap32& p, const SaveOptions& o, ByteSink& sink) {
       SaveAll(EncodeJpeg(p, o.jpeg_quality), sink);
     }},
    {PictureFormat::kPng, "png", "PNG", kPngExt, IsPng, DecodeWhole<DecodePng>,
     [](const Bitmap32& p, const SaveOptions& o, ByteSink& sink) {
       SaveAll(EncodePng(p, o.png_alpha), sink);
     }},
    {PictureFormat::kGif, "gif", "GIF", kGifExt, IsGif, DecodeWhole<DecodeGif>,
     [](const Bitmap32& p, const SaveOptions& o, ByteSink& sink) {
       SaveAll(EncodeGif(p, o.gif_depth), sink);
     }},
    {PictureFormat::kTiff, "tiff", "TIFF", kTiffExt, IsTiff, DecodeWhole<DecodeTiff>,
     [](const Bitmap32& p, const SaveOptions&, ByteSink& sink) { SaveAll(EncodeTiff(p), sink); }},
    {PictureFormat::kIco, "ico", "ICO", kIcoExt, IsIco, DecodeWhole<DecodeIco>, nullptr},
    // Metafiles are recognised so that they fail with a clear message; no reader yet.
    {PictureFormat::kEmf, "emf", "EMF", kEmfExt, IsEmf, nullptr, nullptr},
    {PictureFormat::kWmf, "wmf", "WMF", kWmfExt, IsWmf, nullptr, nullptr},
};

bool EqualsIgnoringCase(std::string_view a, std::string_view b) noexcept {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

}  // namespace

std::span<const PictureFormatInfo> PictureFormats() noexcept { return kFormats; }

const PictureFormatInfo& FormatInfo(PictureFormat format) noexcept {
  for (const PictureFormatInfo& info : kFormats) {
    if (info.format == format) return info;
  }
  return kFormats[0];  // unreachable: every enumerator has a row
}

const PictureFormatInfo* FindFormatById(std::string_view id) noexcept {
  for (const PictureFormatInfo& info : kFormats) {
    if (info.id == id) return &info;
  }
  return nullptr;
}

const PictureFormatInfo* FindFormatByFileName(std::string_view path) noexcept {
  const size_t slash = path.find_last_of('/');
  const std::string_view file = slash == std::string_view::npos ? path : path.substr(slash + 1);
  const size_t dot = file.find_last_of('.');
  if (dot == std::string_view::npos) return nullptr;
  const std::string_view ext = file.substr(dot + 1);
  for (const PictureFormatInfo& info : kFormats) {
    for (std::string_view known : info.extensions) {
      if (EqualsIgnoringCase(ext, known)) return &info;
    }
  }
  return nullptr;
}

const PictureFormatInfo* SniffFormat(std::span<const uint8_t> head) noexcept {
  for (const PictureFormatInfo& info : kFormats) {
    if (info.has_signature(head)) return &info;
  }
  return nullptr;
}

}  // namespace velmora
