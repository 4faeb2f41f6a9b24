#include "imageio/GifCodec.h"

#include <gif_lib.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>

#include "graphics/Error.h"
#include "imageio/CodecSupport.h"
#include "imageio/ColorReduction.h"

namespace velmora {

namespace {

constexpr Color32 kWhite = 0xFFFFFFFFu;
constexpr int kTransparentFlag = 0x01;

struct MemoryInput {
  std::span<const uint8_t> bytes;
  size_t position = 0;
  bool ran_out = false;  // a read asked for more than was left
};

int ReadInput(GifFileType* gif, GifByteType* into, int n) {
  auto* in = static_cast<MemoryInput*>(gif->UserData);
  const size_t take =
      std::min(static_cast<size_t>(std::max(n, 0)), in->bytes.size() - in->position);
  std::memcpy(into, in->bytes.data() + in->position, take);
  in->position += take;
  if (take < static_cast<size_t>(std::max(n, 0))) in->ran_out = true;
  return static_cast<int>(take);
}

struct CloseDecoder {
  void operator()(GifFileType* gif) const { DGifCloseFile(gif, nullptr); }
};
using Decoder = std::unique_ptr<GifFileType, CloseDecoder>;

std::string Describe(int error) {
  const char* text = GifErrorString(error);
  return text ? text : "GIF error " + std::to_string(error);
}

// giflib words running out of data in several ways; the input knows.
std::string ReasonFor(int error, const MemoryInput& input) {
  if (input.ran_out) return "truncated";
  switch (error) {
    case D_GIF_ERR_NOT_GIF_FILE:
      return "not a GIF file";
    case D_GIF_ERR_READ_FAILED:
    case D_GIF_ERR_EOF_TOO_SOON:
      return "truncated";
    default:
      return Describe(error);
  }
}

// Skips extensions up to the first image; returns the transparent index of the graphic control
// block that precedes it, or -1.
int FindFirstImage(GifFileType* gif, const std::string& name) {
  const MemoryInput& input = *static_cast<const MemoryInput*>(gif->UserData);
  int transparent = -1;
  for (;;) {
    GifRecordType type;
    if (DGifGetRecordType(gif, &type) != GIF_OK) FailPicture(name, ReasonFor(gif->Error, input));
    if (type == IMAGE_DESC_RECORD_TYPE) return transparent;
    if (type == TERMINATE_RECORD_TYPE) FailPicture(name, "no image in the GIF file");
    if (type != EXTENSION_RECORD_TYPE) FailPicture(name, "damaged GIF file");
    int code = 0;
    GifByteType* block = nullptr;
    if (DGifGetExtension(gif, &code, &block) != GIF_OK)
      FailPicture(name, ReasonFor(gif->Error, input));
    if (code == GRAPHICS_EXT_FUNC_CODE && block && block[0] >= 4) {
      transparent = (block[1] & kTransparentFlag) ? block[4] : -1;
    }
    while (block) {
      if (DGifGetExtensionNext(gif, &block) != GIF_OK)
        FailPicture(name, ReasonFor(gif->Error, input));
    }
  }
}

struct OutputBuffer {
  std::vector<uint8_t> bytes;
};

int WriteOutput(GifFileType* gif, const GifByteType* data, int n) {
  auto* out = static_cast<OutputBuffer*>(gif->UserData);
  try {
    out->bytes.insert(out->bytes.end(), data, data + n);
  } catch (...) {
    return 0;
  }
  return n;
}

struct CloseEncoder {
  void operator()(GifFileType* gif) const { EGifCloseFile(gif, nullptr); }
};

struct FreeColorMap {
  void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};

}  // namespace

Bitmap32 DecodeGif(std::span<const uint8_t> bytes, const std::string& name) {
  MemoryInput input{bytes};
  int error = 0;
  Decoder gif(DGifOpen(&input, ReadInput, &error));
  if (!gif) FailPicture(name, ReasonFor(error, input));
  const int transparent = FindFirstImage(gif.get(), name);
  if (DGifGetImageDesc(gif.get()) != GIF_OK) FailPicture(name, ReasonFor(gif->Error, input));
  const GifImageDesc& image = gif->Image;
  CheckDecodedSize(image.Width, image.Height, name);
  const int64_t width = std::max<int64_t>(gif->SWidth, int64_t{image.Left} + image.Width);
  const int64_t height = std::max<int64_t>(gif->SHeight, int64_t{image.Top} + image.Height);
  CheckDecodedSize(width, height, name);
  const ColorMapObject* map = image.ColorMap ? image.ColorMap : gif->SColorMap;
  if (!map) FailPicture(name, "GIF file without colours");

  // Indices past the colour table give black.
  std::array<Color32, 256> colors;
  colors.fill(0xFF000000u);
  for (int i = 0; i < std::min(map->ColorCount, 256); ++i) {
    const GifColorType& c = map->Colors[i];
    colors[i] = MakeColor32(255, c.Red, c.Green, c.Blue);
  }
  if (transparent >= 0) colors[transparent] = kWhite;

  Bitmap32 out(static_cast<int>(width), static_cast<int>(height), kWhite);
  std::vector<GifPixelType> line(image.Width);
  // Interlaced rows come in four passes: every 8th from 0, every 8th from 4, every 4th from 2,
  // every 2nd from 1.
  static constexpr int kPassStart[] = {0, 4, 2, 1};
  static constexpr int kPassStep[] = {8, 8, 4, 2};
  const int passes = image.Interlace ? 4 : 1;
  for (int pass = 0; pass < passes; ++pass) {
    const int start = image.Interlace ? kPassStart[pass] : 0;
    const int step = image.Interlace ? kPassStep[pass] : 1;
    for (int y = start; y < image.Height; y += step) {
      if (DGifGetLine(gif.get(), line.data(), image.Width) != GIF_OK) {
        FailPicture(name, ReasonFor(gif->Error, input));
      }
      Color32* row = out.Row(image.Top + y) + image.Left;
      for (int x = 0; x < image.Width; ++x) row[x] = colors[line[x]];
    }
  }
  return out;
}

std::vector<uint8_t> EncodeGif(const Bitmap32& picture, GifDepth depth) {
  if (picture.empty()) throw Error("cannot save an empty picture");
  const IndexedPicture indexed = ReduceColors(picture, depth);
  int bits = 1;
  while ((1 << bits) < static_cast<int>(indexed.palette.size())) ++bits;
  std::unique_ptr<ColorMapObject, FreeColorMap> map(GifMakeMapObject(1 << bits, nullptr));
  if (!map) throw std::bad_alloc();
  for (size_t i = 0; i < indexed.palette.size(); ++i) {
    const Color32 c = indexed.palette[i];
    map->Colors[i] = {static_cast<GifByteType>(RedOf(c)), static_cast<GifByteType>(GreenOf(c)),
                      static_cast<GifByteType>(BlueOf(c))};
  }

  OutputBuffer output;
  int error = 0;
  std::unique_ptr<GifFileType, CloseEncoder> gif(EGifOpen(&output, WriteOutput, &error));
  if (!gif) throw Error("GIF: " + Describe(error));
  auto check = [&](int result) {
    if (result != GIF_OK) throw Error("GIF: " + Describe(gif->Error));
  };
  check(EGifPutScreenDesc(gif.get(), indexed.width, indexed.height, bits, 0, map.get()));
  check(EGifPutImageDesc(gif.get(), 0, 0, indexed.width, indexed.height, false, nullptr));
  for (int y = 0; y < indexed.height; ++y) {
    auto* row = const_cast<GifPixelType*>(indexed.indices.data() + size_t(y) * indexed.width);
    check(EGifPutLine(gif.get(), row, indexed.width));
  }
  GifFileType* raw = gif.release();
  if (EGifCloseFile(raw, &error) != GIF_OK) throw Error("GIF: " + Describe(error));
  return std::move(output.bytes);
}

}  // namespace velmora
