#include "imageio/PictureIO.h"

#include <algorithm>
#include <new>

#include "graphics/Error.h"
#include "imageio/AtomicFile.h"
#include "imageio/ByteSource.h"
#include "imageio/CodecSupport.h"

namespace velmora {

namespace {

// "a BMP", "an ICO": the article goes by how the letter is spoken.
std::string WithArticle(std::string_view title) {
  const bool vowel_sound =
      std::string_view("AEFHILMNORSX").find(title.front()) != std::string_view::npos;
  return std::string(vowel_sound ? "an " : "a ") + std::string(title);
}

Bitmap32 DecodeChecked(const PictureFormatInfo& info, ByteSource& source) {
  if (!info.decode) {
    FailPicture(source.name(), "unsupported picture format: " + std::string(info.title));
  }
  if (source.size() == 0) FailPicture(source.name(), "empty file");
  std::vector<uint8_t> scratch;
  if (!info.has_signature(
          source.View(0, std::min<uint64_t>(source.size(), kSignatureBytes), scratch))) {
    FailPicture(source.name(), "not " + WithArticle(info.title) + " file");
  }
  return info.decode(source);
}

// A picture within the limits may still not fit in the memory there is; that is the file's
// error too, not the program's.
Bitmap32 Decode(const PictureFormatInfo& info, ByteSource& source) {
  try {
    return DecodeChecked(info, source);
  } catch (const std::bad_alloc&) {
    FailPicture(source.name(), "not enough memory for the picture");
  }
}

bool AllAlphaZero(const Bitmap32& picture) noexcept {
  const Color32* p = picture.Bits();
  for (size_t i = 0; i < picture.PixelCount(); ++i) {
    if (p[i] >> 24) return false;
  }
  return true;
}

const PictureFormatInfo& FormatForSaving(const std::string& path, const SaveOptions& options) {
  if (options.format) return FormatInfo(*options.format);
  const PictureFormatInfo* info = FindFormatByFileName(path);
  if (!info) FailPicture(path, "no picture format has this file name extension");
  return *info;
}

}  // namespace

Bitmap32 LoadPicture(const std::string& path) {
  FileSource source(path);
  std::vector<uint8_t> scratch;
  const auto head = source.View(0, std::min<uint64_t>(source.size(), kSignatureBytes), scratch);
  const PictureFormatInfo* info = SniffFormat(head);
  if (!info) info = FindFormatByFileName(path);
  if (!info) FailPicture(path, "unsupported picture format");
  Bitmap32 picture = Decode(*info, source);
  if (info->format == PictureFormat::kBmp && AllAlphaZero(picture)) MakeOpaque(picture);
  return picture;
}

Bitmap32 DecodePicture(std::span<const uint8_t> bytes, PictureFormat format,
                       const std::string& name_for_errors) {
  MemorySource source(bytes, name_for_errors);
  return Decode(FormatInfo(format), source);
}

Bitmap32 DecodePicture(std::span<const uint8_t> bytes, const std::string& name_for_errors) {
  if (bytes.empty()) FailPicture(name_for_errors, "empty file");
  const PictureFormatInfo* info = SniffFormat(bytes.first(std::min(bytes.size(), kSignatureBytes)));
  if (!info) FailPicture(name_for_errors, "unsupported picture format");
  MemorySource source(bytes, name_for_errors);
  return Decode(*info, source);
}

void SavePicture(const std::string& path, const Bitmap32& picture, const SaveOptions& options) {
  const PictureFormatInfo& info = FormatForSaving(path, options);
  if (!info.encode) FailPicture(path, "cannot save pictures as " + std::string(info.title));
  if (picture.empty()) FailPicture(path, "cannot save an empty picture");
  try {
    AtomicFile file(path);
    info.encode(picture, options, file);
    file.Commit();
  } catch (const std::bad_alloc&) {
    FailPicture(path, "not enough memory to save the picture");
  }
}

std::vector<uint8_t> EncodePicture(const Bitmap32& picture, PictureFormat format,
                                   const SaveOptions& options) {
  const PictureFormatInfo& info = FormatInfo(format);
  if (!info.encode) throw Error("cannot save pictures as " + std::string(info.title));
  std::vector<uint8_t> bytes;
  VectorSink sink(bytes);
  info.encode(picture, options, sink);
  return bytes;
}

}  // namespace velmora
