#include "imageio/BmpCodec.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

#include "graphics/Error.h"
#include "imageio/CodecSupport.h"

namespace velmora {

namespace {

// Rows are copied between files and bitmaps as they are.
static_assert(std::endian::native == std::endian::little, "BMP rows assume a little-endian CPU");

constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiRle8 = 1;
constexpr uint32_t kBiRle4 = 2;
constexpr uint32_t kBiBitfields = 3;
constexpr uint32_t kBiAlphaBitfields = 6;

constexpr size_t kFileHeaderSize = 14;
constexpr size_t kCoreHeaderSize = 12;
constexpr size_t kInfoHeaderSize = 40;
constexpr size_t kMaxHeaderSize = 124;  // BITMAPV5HEADER
// Everything a header, separate masks and a palette can take: what the parser looks at.
constexpr size_t kHeadBytes = kFileHeaderSize + kMaxHeaderSize + 16 + 256 * 4;
// Uncompressed rows are converted in bands of about this many bytes.
constexpr size_t kBandBytes = size_t{1} << 20;

constexpr Color32 kOpaque = 0xFF000000u;

// One colour channel in a bit-field pixel: value = (pixel & mask) >> shift, scaled from 0..max
// to 0..255 with rounding. A zero mask gives 0.
struct ChannelMask {
  uint32_t mask = 0;
  int shift = 0;
  uint32_t max = 0;

  static ChannelMask From(uint32_t m) noexcept {
    ChannelMask c;
    c.mask = m;
    if (m != 0) {
      c.shift = std::countr_zero(m);
      c.max = m >> c.shift;
    }
    return c;
  }
  uint32_t Scale(uint32_t pixel) const noexcept {
    if (max == 0) return 0;
    if (max == 255) return (pixel & mask) >> shift;
    const uint64_t v = (pixel & mask) >> shift;
    return static_cast<uint32_t>((v * 255 + max / 2) / max);
  }
};

// What the headers say, checked against the size of the stream.
struct BmpLayout {
  int width = 0;
  int height = 0;
  bool top_down = false;
  int bits = 0;
  uint32_t compression = kBiRgb;
  uint64_t pixel_offset = 0;  // from the start of the stream
  uint64_t pixel_bytes = 0;   // compressed data length; for rows stride x height
  size_t stride = 0;
  std::array<ChannelMask, 4> masks;  // red, green, blue, alpha
  bool has_alpha = false;
  // Indices past the stored palette give opaque black.
  std::array<Color32, 256> palette;

  // The bitmap row that file row y (counted in storage order) lands in.
  int BitmapRow(int64_t y) const noexcept {
    return top_down ? static_cast<int>(y) : height - 1 - static_cast<int>(y);
  }
  // 32 bits with red, green and blue in bytes 2, 1, 0: rows copy as they are.
  bool DirectRows() const noexcept {
    return bits == 32 && masks[0].mask == 0x00FF0000u && masks[1].mask == 0x0000FF00u &&
           masks[2].mask == 0x000000FFu && (!has_alpha || masks[3].mask == 0xFF000000u);
  }
};

enum class Container { kFile, kIcon };

bool IsRle(uint32_t compression) { return compression == kBiRle8 || compression == kBiRle4; }

void CheckBitsAndCompression(const BmpLayout& l, const std::string& name) {
  const int b = l.bits;
  bool ok = false;
  switch (l.compression) {
    case kBiRgb:
      ok = b == 1 || b == 4 || b == 8 || b == 16 || b == 24 || b == 32;
      break;
    case kBiRle8:
      ok = b == 8;
      break;
    case kBiRle4:
      ok = b == 4;
      break;
    case kBiBitfields:
    case kBiAlphaBitfields:
      ok = b == 16 || b == 32;
      break;
    default:
      FailPicture(name, "unsupported BMP compression " + std::to_string(l.compression));
  }
  if (!ok) {
    FailPicture(name, "unsupported BMP pixel format: " + std::to_string(b) + " bits, compression " +
                          std::to_string(l.compression));
  }
}

void SetDefaultMasks(BmpLayout& l) {
  if (l.bits == 16) {  // 5-5-5
    l.masks = {ChannelMask::From(0x7C00), ChannelMask::From(0x03E0), ChannelMask::From(0x001F), {}};
  } else {
    l.masks = {ChannelMask::From(0x00FF0000u), ChannelMask::From(0x0000FF00u),
               ChannelMask::From(0x000000FFu), ChannelMask::From(0xFF000000u)};
  }
  // An uncompressed 32-bit bitmap keeps its fourth byte: the project files store alpha there.
  l.has_alpha = l.bits == 32;
}

// head: the first bytes of the stream (all of it, or at least kHeadBytes). dib: where the
// information header starts. For a file, pixel_offset comes from the file header; for an icon
// the pixels follow the palette.
BmpLayout ParseDib(std::span<const uint8_t> head, uint64_t stream_size, size_t dib,
                   Container container, uint64_t file_pixel_offset, const std::string& name) {
  if (head.size() < dib + 4) FailPicture(name, "truncated");
  const uint32_t header_size = Le32(head, dib);
  const bool core = header_size == kCoreHeaderSize;
  if (!core && header_size != 40 && header_size != 52 && header_size != 56 && header_size != 108 &&
      header_size != kMaxHeaderSize) {
    FailPicture(name, "unsupported BMP header size " + std::to_string(header_size));
  }
  if (head.size() < dib + header_size) FailPicture(name, "truncated");

  BmpLayout l;
  int64_t width = 0;
  int64_t height = 0;
  uint32_t planes = 0;
  uint32_t colors_used = 0;
  uint32_t image_size = 0;
  if (core) {
    width = Le16(head, dib + 4);
    height = Le16(head, dib + 6);
    planes = Le16(head, dib + 8);
    l.bits = Le16(head, dib + 10);
  } else {
    width = static_cast<int32_t>(Le32(head, dib + 4));
    height = static_cast<int32_t>(Le32(head, dib + 8));
    planes = Le16(head, dib + 12);
    l.bits = Le16(head, dib + 14);
    l.compression = Le32(head, dib + 16);
    image_size = Le32(head, dib + 20);
    colors_used = Le32(head, dib + 32);
  }
  if (planes != 1) FailPicture(name, "bad BMP plane count " + std::to_string(planes));
  CheckBitsAndCompression(l, name);
  if (height < 0) {
    l.top_down = true;
    height = -height;
  }
  if (container == Container::kIcon) height /= 2;  // colour rows, then as many mask rows
  CheckDecodedSize(width, height, name);
  l.width = static_cast<int>(width);
  l.height = static_cast<int>(height);

  size_t after_header = dib + header_size;
  SetDefaultMasks(l);
  if (l.compression == kBiBitfields || l.compression == kBiAlphaBitfields) {
    const size_t count = l.compression == kBiAlphaBitfields ? 4 : 3;
    size_t at = dib + kInfoHeaderSize;
    if (header_size == kInfoHeaderSize) {  // the masks follow the header
      if (head.size() < at + 4 * count) FailPicture(name, "truncated");
      after_header += 4 * count;
    }
    const bool alpha_mask = header_size >= 56 || (header_size == kInfoHeaderSize && count == 4);
    for (size_t i = 0; i < 4; ++i) {
      const bool present = i < 3 || alpha_mask;
      l.masks[i] = ChannelMask::From(present ? Le32(head, at + 4 * i) : 0);
    }
    l.has_alpha = l.masks[3].mask != 0;
  }

  const uint64_t entry_size = core ? 3 : 4;
  uint64_t palette_count = 0;           // entries used
  uint64_t stored_count = colors_used;  // entries stored (deeper bitmaps may carry a palette too)
  if (l.bits <= 8) {
    const uint64_t most = uint64_t{1} << l.bits;
    palette_count = stored_count = colors_used == 0 ? most : colors_used;
    if (palette_count > most) {
      FailPicture(name, "bad BMP palette size " + std::to_string(colors_used));
    }
  }
  const uint64_t palette_end = after_header + palette_count * entry_size;
  if (head.size() < palette_end) FailPicture(name, "truncated");
  l.palette.fill(kOpaque);
  for (size_t i = 0; i < palette_count; ++i) {
    const uint8_t* e = head.data() + after_header + i * entry_size;
    l.palette[i] = MakeColor32(255, e[2], e[1], e[0]);
  }

  if (container == Container::kIcon) {
    l.pixel_offset = after_header + stored_count * entry_size;
  } else {
    l.pixel_offset = file_pixel_offset;
    if (l.pixel_offset < palette_end) FailPicture(name, "bad BMP pixel data offset");
  }
  if (l.pixel_offset > stream_size) FailPicture(name, "truncated");
  l.stride = static_cast<size_t>(((uint64_t(l.width) * l.bits + 31) / 32) * 4);
  if (IsRle(l.compression)) {
    const uint64_t available = stream_size - l.pixel_offset;
    if (image_size > available) FailPicture(name, "truncated");
    l.pixel_bytes = image_size != 0 ? image_size : available;
  } else {
    l.pixel_bytes = uint64_t{l.stride} * uint64_t(l.height);
    if (l.pixel_bytes > stream_size - l.pixel_offset) FailPicture(name, "truncated");
  }
  return l;
}

// One stored row to pixels. Each depth is its own tight loop.
void ConvertRow(const BmpLayout& l, const uint8_t* src, Color32* dst) noexcept {
  const int w = l.width;
  const Color32* pal = l.palette.data();
  switch (l.bits) {
    case 1:
      for (int x = 0; x < w; ++x) dst[x] = pal[(src[x >> 3] >> (7 - (x & 7))) & 1];
      break;
    case 4:
      for (int x = 0; x < w; ++x) dst[x] = pal[(src[x >> 1] >> ((x & 1) ? 0 : 4)) & 15];
      break;
    case 8:
      for (int x = 0; x < w; ++x) dst[x] = pal[src[x]];
      break;
    case 24:
      for (int x = 0; x < w; ++x, src += 3) dst[x] = MakeColor32(255, src[2], src[1], src[0]);
      break;
    case 16:
    case 32: {
      const int step = l.bits / 8;
      const auto& [r, g, b, a] = l.masks;
      for (int x = 0; x < w; ++x, src += step) {
        const uint32_t p = step == 2 ? uint32_t{src[0]} | (uint32_t{src[1]} << 8)
                                     : uint32_t{src[0]} | (uint32_t{src[1]} << 8) |
                                           (uint32_t{src[2]} << 16) | (uint32_t{src[3]} << 24);
        dst[x] = MakeColor32(l.has_alpha ? a.Scale(p) : 255, r.Scale(p), g.Scale(p), b.Scale(p));
      }
      break;
    }
  }
}

// RLE8 and RLE4 (the same stream with pixel pairs packed in nibbles). Pixels the stream skips
// keep palette colour 0. The stream must reach its end marker or fill every row.
void DecodeRle(const BmpLayout& l, std::span<const uint8_t> d, Bitmap32& out,
               const std::string& name) {
  out.Clear(l.palette[0]);
  const bool rle4 = l.bits == 4;
  const Color32* pal = l.palette.data();
  int64_t x = 0;
  int64_t y = 0;  // in storage order
  size_t i = 0;
  auto put = [&](int64_t at, uint32_t index) {
    if (at < l.width) out.Row(l.BitmapRow(y))[at] = pal[index];
  };
  while (y < l.height) {
    if (i + 2 > d.size()) FailPicture(name, "truncated");
    const uint8_t count = d[i];
    const uint8_t value = d[i + 1];
    i += 2;
    if (count > 0) {  // a run of one index (RLE4: two alternating)
      for (int k = 0; k < count; ++k) {
        put(x + k, rle4 ? ((k & 1) ? value & 15 : value >> 4) : value);
      }
      x += count;
    } else if (value == 0) {  // end of line
      x = 0;
      ++y;
    } else if (value == 1) {  // end of bitmap
      return;
    } else if (value == 2) {  // move right and up
      if (i + 2 > d.size()) FailPicture(name, "truncated");
      x += d[i];
      y += d[i + 1];
      i += 2;
    } else {  // `value` literal indices, padded to a 16-bit boundary
      const size_t bytes = rle4 ? (value + 1) / 2 : value;
      if (i + bytes > d.size()) FailPicture(name, "truncated");
      for (int k = 0; k < value; ++k) {
        put(x + k, rle4 ? ((k & 1) ? d[i + k / 2] & 15 : d[i + k / 2] >> 4) : d[i + k]);
      }
      x += value;
      i += (bytes + 1) & ~size_t{1};
    }
  }
}

// A bitmap of the layout's size whose pixels DecodePixels then writes, every one of them:
// uncompressed rows cover the whole picture, and an RLE stream starts from a picture cleared to
// palette colour 0. So the pixels are not cleared here first.
Bitmap32 NewPicture(const BmpLayout& l) {
  Bitmap32 out;
  out.SetSizeForOverwrite(l.width, l.height);
  return out;
}

void DecodePixels(const BmpLayout& l, ByteSource& source, Bitmap32& out) {
  std::vector<uint8_t> scratch;
  if (IsRle(l.compression)) {
    DecodeRle(l, source.View(l.pixel_offset, l.pixel_bytes, scratch), out, source.name());
    return;
  }
  if (l.DirectRows()) {
    std::vector<uint8_t*> rows(l.height);
    for (int y = 0; y < l.height; ++y)
      rows[y] = reinterpret_cast<uint8_t*>(out.Row(l.BitmapRow(y)));
    source.ReadRows(l.pixel_offset, size_t(l.width) * 4, rows);
    if (!l.has_alpha) MakeOpaque(out);
    return;
  }
  const int band = static_cast<int>(std::max<size_t>(1, kBandBytes / l.stride));
  for (int y0 = 0; y0 < l.height; y0 += band) {
    const int n = std::min(band, l.height - y0);
    const auto bytes =
        source.View(l.pixel_offset + uint64_t(y0) * l.stride, uint64_t(n) * l.stride, scratch);
    for (int k = 0; k < n; ++k)
      ConvertRow(l, bytes.data() + size_t(k) * l.stride, out.Row(l.BitmapRow(y0 + k)));
  }
}

}  // namespace

Bitmap32 ReadBmp(ByteSource& source) {
  const std::string& name = source.name();
  std::vector<uint8_t> scratch;
  const auto head = source.View(0, std::min<uint64_t>(source.size(), kHeadBytes), scratch);
  if (head.size() < 2 || head[0] != 'B' || head[1] != 'M') FailPicture(name, "not a BMP file");
  if (head.size() < kFileHeaderSize) FailPicture(name, "truncated");
  const BmpLayout layout =
      ParseDib(head, source.size(), kFileHeaderSize, Container::kFile, Le32(head, 10), name);
  Bitmap32 out = NewPicture(layout);
  DecodePixels(layout, source, out);
  return out;
}

Bitmap32 DecodeBmp(std::span<const uint8_t> bytes, const std::string& name) {
  MemorySource source(bytes, name);
  return ReadBmp(source);
}

Bitmap32 DecodeIconDib(std::span<const uint8_t> bytes, const std::string& name) {
  MemorySource source(bytes, name);
  const BmpLayout layout = ParseDib(bytes, bytes.size(), 0, Container::kIcon, 0, name);
  Bitmap32 out = NewPicture(layout);
  DecodePixels(layout, source, out);
  MakeOpaque(out);
  return out;
}

void WriteBmp32(const Bitmap32& picture, ByteSink& sink) {
  if (picture.empty()) throw Error("cannot save an empty picture");
  const uint32_t w = static_cast<uint32_t>(picture.width());
  const uint32_t h = static_cast<uint32_t>(picture.height());
  const uint32_t image_size = 4 * w * h;  // at most 4 x 2^28: fits
  uint8_t header[54] = {'B', 'M'};
  PutLe32(header + 2, 54 + image_size);
  PutLe32(header + 10, 54);
  PutLe32(header + 14, 40);
  PutLe32(header + 18, w);
  PutLe32(header + 22, h);
  PutLe16(header + 26, 1);
  PutLe16(header + 28, 32);
  PutLe32(header + 34, image_size);
  // Pixels 0xAARRGGBB in memory are the bytes blue, green, red, alpha: the rows go out as they
  // are, bottom row first.
  std::vector<std::span<const uint8_t>> pieces;
  pieces.reserve(h + 1);
  pieces.emplace_back(header, sizeof header);
  for (int y = picture.height() - 1; y >= 0; --y) {
    pieces.emplace_back(reinterpret_cast<const uint8_t*>(picture.Row(y)), size_t{w} * 4);
  }
  sink.WritePieces(pieces);
}

std::vector<uint8_t> EncodeBmp32(const Bitmap32& picture) {
  std::vector<uint8_t> out;
  out.reserve(54 + picture.PixelCount() * 4);
  VectorSink sink(out);
  WriteBmp32(picture, sink);
  return out;
}

}  // namespace velmora
