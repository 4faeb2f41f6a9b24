#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <functional>

#include "TestFiles.h"
#include "graphics/Error.h"
#include "imageio/PictureIO.h"

namespace velmora {
namespace {

using testing::ByteWriter;
using testing::MakeBitmap;
using testing::TempFolder;
using testing::WriteBytes;

using Bytes = std::vector<uint8_t>;

const Bitmap32& Tiny() {
  static const Bitmap32 picture =
      MakeBitmap(3, 2, {0xFF000000, 0xFF808080, 0xFFFFFFFF, 0xFFFF0000, 0xFF00FF00, 0xFF0000FF});
  return picture;
}

Bytes Encoded(PictureFormat format) { return EncodePicture(Tiny(), format); }

Bytes Cut(Bytes b, size_t n) {
  b.resize(n);
  return b;
}
Bytes CutEnd(Bytes b, size_t n) { return Cut(b, b.size() - n); }

Bytes Put(Bytes b, size_t at, std::initializer_list<uint8_t> values) {
  std::copy(values.begin(), values.end(), b.begin() + at);
  return b;
}
Bytes PutLe16(Bytes b, size_t at, uint32_t v) { return Put(b, at, {uint8_t(v), uint8_t(v >> 8)}); }
Bytes PutLe32(Bytes b, size_t at, uint32_t v) {
  return Put(b, at, {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)});
}
Bytes PutBe32(Bytes b, size_t at, uint32_t v) {
  return Put(b, at, {uint8_t(v >> 24), uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v)});
}

// The BMP of Tiny() with width and height replaced.
Bytes BmpSized(int32_t w, int32_t h) {
  return PutLe32(PutLe32(Encoded(PictureFormat::kBmp), 18, uint32_t(w)), 22, uint32_t(h));
}

// A 2 x 1 RLE8 bitmap whose compressed data is given; image_size as stored in the header.
Bytes Rle8Bmp(const Bytes& data, uint32_t image_size) {
  ByteWriter w;
  const uint32_t offset = 14 + 40 + 2 * 4;
  w.Bytes({'B', 'M'}).U32(offset + uint32_t(data.size())).U32(0).U32(offset);
  w.U32(40).U32(2).U32(1).U16(1).U16(8).U32(1).U32(image_size).U32(0).U32(0).U32(2).U32(0);
  w.U32(0).U32(0x00FFFFFF).Bytes(data);
  return w.bytes();
}

// The PNG of Tiny() with the IHDR size replaced and its CRC made right again.
Bytes PngSized(uint32_t w, uint32_t h) {
  Bytes b = PutBe32(PutBe32(Encoded(PictureFormat::kPng), 16, w), 20, h);
  return PutBe32(b, 29, uint32_t(crc32(0, b.data() + 12, 17)));
}

// The JPEG of Tiny() with the frame header's size replaced (big-endian height, then width).
Bytes JpegSized(uint16_t w, uint16_t h) {
  Bytes b = Encoded(PictureFormat::kJpeg);
  for (size_t i = 2; i + 9 < b.size(); ++i) {
    if (b[i] == 0xFF && b[i + 1] == 0xC0) {
      return Put(b, i + 5, {uint8_t(h >> 8), uint8_t(h), uint8_t(w >> 8), uint8_t(w)});
    }
  }
  ADD_FAILURE() << "no frame header";
  return b;
}

// Offset of the first image descriptor of a GIF that has a global colour table.
size_t GifImageAt(const Bytes& b) { return 13 + 3 * (size_t{2} << (b[10] & 7)); }

// The TIFF of Tiny() with one SHORT-valued tag of its first directory replaced.
Bytes TiffTag(Bytes b, uint16_t tag, uint16_t value) {
  const size_t ifd = b[4] | (b[5] << 8) | (b[6] << 16) | (size_t(b[7]) << 24);
  const size_t count = b[ifd] | (b[ifd + 1] << 8);
  for (size_t i = 0; i < count; ++i) {
    const size_t e = ifd + 2 + 12 * i;
    if ((b[e] | (b[e + 1] << 8)) == tag) return PutLe16(b, e + 8, value);
  }
  ADD_FAILURE() << "no tag " << tag;
  return b;
}

// An icon directory with one entry holding a 32-bit DIB of w x h (h doubled as stored).
Bytes Icon(int32_t w, int32_t h, uint32_t entry_size_override = 0) {
  ByteWriter dib;
  dib.U32(40).U32(uint32_t(w)).U32(uint32_t(2 * h)).U16(1).U16(32).U32(0).U32(0);
  dib.U32(0).U32(0).U32(0).U32(0);
  for (int i = 0; i < std::max(w, 0) * std::max(h, 0); ++i) dib.U32(0xFF00FF00);
  for (int i = 0; i < std::max(h, 0); ++i) dib.U32(0);  // the mask rows
  ByteWriter ico;
  ico.U16(0).U16(1).U16(1);
  ico.U8(uint32_t(w)).U8(uint32_t(h)).U8(0).U8(0).U16(1).U16(32);
  ico.U32(entry_size_override ? entry_size_override : uint32_t(dib.size())).U32(22);
  ico.Bytes(dib.bytes());
  return ico.bytes();
}

struct BadCase {
  const char* label;
  PictureFormat format;
  std::function<Bytes()> bytes;
  const char* reason;  // what the message must contain after "<name>: "; "" when the codec
                       // library words it
};

void PrintTo(const BadCase& c, std::ostream* os) { *os << c.label; }

class BadPicture : public ::testing::TestWithParam<BadCase> {};

TEST_P(BadPicture, IsRefusedWithAMessageNamingTheFile) {
  const BadCase& c = GetParam();
  const Bytes bytes = c.bytes();
  try {
    DecodePicture(bytes, c.format, "bad-file");
    ADD_FAILURE() << "decoded without an error";
  } catch (const Error& e) {
    const std::string message = e.what();
    EXPECT_EQ(message.rfind("bad-file: ", 0), 0u) << message;
    EXPECT_GT(message.size(), std::string("bad-file: ").size());
    EXPECT_NE(message.find(c.reason), std::string::npos) << message;
  }
}

const PictureFormat kBmp = PictureFormat::kBmp, kPng = PictureFormat::kPng,
                    kJpeg = PictureFormat::kJpeg, kGif = PictureFormat::kGif,
                    kTiff = PictureFormat::kTiff, kIco = PictureFormat::kIco;

INSTANTIATE_TEST_SUITE_P(
    Bmp, BadPicture,
    ::testing::Values(
        BadCase{"empty", kBmp, [] { return Bytes(); }, "empty file"},
        BadCase{"cut_in_file_header", kBmp, [] { return Cut(Encoded(kBmp), 10); }, "truncated"},
        BadCase{"cut_in_info_header", kBmp, [] { return Cut(Encoded(kBmp), 30); }, "truncated"},
        BadCase{"cut_in_pixels", kBmp, [] { return CutEnd(Encoded(kBmp), 1); }, "truncated"},
        BadCase{"wrong_magic", kBmp, [] { return Put(Encoded(kBmp), 1, {'X'}); }, "not a BMP file"},
        BadCase{"zero_width", kBmp, [] { return BmpSized(0, 2); }, "invalid picture size: 0 x 2"},
        BadCase{"negative_width", kBmp, [] { return BmpSized(-3, 2); },
                "invalid picture size: -3 x 2"},
        BadCase{"huge", kBmp, [] { return BmpSized(40000, 40000); },
                "picture too large: 40000 x 40000"},
        BadCase{"too_many_pixels", kBmp, [] { return BmpSized(20000, 20000); },
                "picture too large: 20000 x 20000"},
        BadCase{"pixel_offset_past_end", kBmp, [] { return PutLe32(Encoded(kBmp), 10, 1000); },
                "truncated"},
        BadCase{"pixel_offset_inside_header", kBmp, [] { return PutLe32(Encoded(kBmp), 10, 20); },
                "bad BMP pixel data offset"},
        BadCase{"header_size", kBmp, [] { return PutLe32(Encoded(kBmp), 14, 41); },
                "unsupported BMP header size 41"},
        BadCase{"bit_count", kBmp, [] { return PutLe16(Encoded(kBmp), 28, 7); },
                "unsupported BMP pixel format"},
        BadCase{"compression", kBmp, [] { return PutLe32(Encoded(kBmp), 30, 9); },
                "unsupported BMP compression 9"},
        BadCase{"planes", kBmp, [] { return PutLe16(Encoded(kBmp), 26, 0); },
                "bad BMP plane count 0"},
        BadCase{"rle_size_past_end", kBmp,
                [] {
                  return Rle8Bmp({2, 1, 0, 1}, 1000);
                },
                "truncated"},
        BadCase{"rle_without_end", kBmp,
                [] {
                  return Rle8Bmp({2, 1}, 0);
                },
                "truncated"},
        BadCase{"rle_literal_past_end", kBmp,
                [] {
                  return Rle8Bmp({0, 5, 1, 1}, 0);
                },
                "truncated"},
        BadCase{"palette_larger_than_depth", kBmp,
                [] {
                  Bytes b = Rle8Bmp({2, 1, 0, 1}, 0);
                  return PutLe32(b, 46, 300);
                },
                "bad BMP palette size 300"}),
    [](const auto& test) { return std::string(test.param.label); });

INSTANTIATE_TEST_SUITE_P(
    Png, BadPicture,
    ::testing::Values(
        BadCase{"empty", kPng, [] { return Bytes(); }, "empty file"},
        BadCase{"cut_in_signature", kPng, [] { return Cut(Encoded(kPng), 5); }, "not a PNG file"},
        BadCase{"cut_in_header", kPng, [] { return Cut(Encoded(kPng), 20); }, "truncated"},
        BadCase{"cut_in_image_data", kPng, [] { return CutEnd(Encoded(kPng), 20); }, ""},
        BadCase{"wrong_magic", kPng, [] { return Put(Encoded(kPng), 1, {'Q'}); }, "not a PNG file"},
        BadCase{"zero_width", kPng, [] { return PngSized(0, 2); }, ""},
        BadCase{"huge", kPng, [] { return PngSized(40000, 40000); },
                "picture too large: 40000 x 40000"},
        BadCase{"chunk_length_past_end", kPng,
                [] { return PutBe32(Encoded(kPng), 33, 0x00FFFFFF); }, "truncated"},
        BadCase{"header_crc", kPng, [] { return Put(Encoded(kPng), 29, {0}); }, ""}),
    [](const auto& test) { return std::string(test.param.label); });

INSTANTIATE_TEST_SUITE_P(
    Jpeg, BadPicture,
    ::testing::Values(
        BadCase{"empty", kJpeg, [] { return Bytes(); }, "empty file"},
        BadCase{"cut_after_start", kJpeg, [] { return Cut(Encoded(kJpeg), 4); }, "truncated"},
        BadCase{"cut_in_tables", kJpeg, [] { return Cut(Encoded(kJpeg), 100); }, "truncated"},
        BadCase{"cut_in_scan", kJpeg, [] { return CutEnd(Encoded(kJpeg), 30); }, "truncated"},
        BadCase{"wrong_magic", kJpeg, [] { return Put(Encoded(kJpeg), 1, {0xD9}); },
                "not a JPEG file"},
        BadCase{"zero_width", kJpeg, [] { return JpegSized(0, 2); }, ""},
        BadCase{"huge", kJpeg, [] { return JpegSized(40000, 40000); },
                "picture too large: 40000 x 40000"}),
    [](const auto& test) { return std::string(test.param.label); });

INSTANTIATE_TEST_SUITE_P(
    Gif, BadPicture,
    ::testing::Values(
        BadCase{"empty", kGif, [] { return Bytes(); }, "empty file"},
        BadCase{"cut_in_screen", kGif, [] { return Cut(Encoded(kGif), 9); }, "truncated"},
        BadCase{"cut_in_colours", kGif, [] { return Cut(Encoded(kGif), 20); }, "truncated"},
        BadCase{"cut_in_image", kGif, [] { return CutEnd(Encoded(kGif), 6); }, ""},
        BadCase{"wrong_magic", kGif, [] { return Put(Encoded(kGif), 0, {'J'}); }, "not a GIF file"},
        BadCase{"zero_image_width", kGif,
                [] {
                  const Bytes b = Encoded(kGif);
                  return PutLe16(b, GifImageAt(b) + 5, 0);
                },
                "invalid picture size: 0 x 2"},
        BadCase{"huge", kGif, [] { return PutLe16(PutLe16(Encoded(kGif), 6, 40000), 8, 40000); },
                "picture too large: 40000 x 40000"}),
    [](const auto& test) { return std::string(test.param.label); });

INSTANTIATE_TEST_SUITE_P(
    Tiff, BadPicture,
    ::testing::Values(
        BadCase{"empty", kTiff, [] { return Bytes(); }, "empty file"},
        BadCase{"cut_in_header", kTiff, [] { return Cut(Encoded(kTiff), 6); }, "truncated"},
        BadCase{"cut_in_directory", kTiff, [] { return CutEnd(Encoded(kTiff), 40); }, "truncated"},
        BadCase{"wrong_magic", kTiff, [] { return Put(Encoded(kTiff), 2, {7}); },
                "not a TIFF file"},
        BadCase{"zero_width", kTiff, [] { return TiffTag(Encoded(kTiff), 256, 0); }, ""},
        BadCase{"huge", kTiff,
                [] { return TiffTag(TiffTag(Encoded(kTiff), 256, 40000), 257, 40000); },
                "picture too large: 40000 x 40000"}),
    [](const auto& test) { return std::string(test.param.label); });

INSTANTIATE_TEST_SUITE_P(
    Ico, BadPicture,
    ::testing::Values(
        BadCase{"empty", kIco, [] { return Bytes(); }, "empty file"},
        BadCase{"wrong_magic", kIco, [] { return Put(Icon(2, 2), 2, {7}); }, "not an ICO file"},
        BadCase{"huge_entry_count", kIco, [] { return PutLe16(Icon(2, 2), 4, 65535); },
                "truncated"},
        BadCase{"entry_size_past_end", kIco, [] { return Icon(2, 2, 100000); }, "truncated"},
        BadCase{"entry_offset_past_end", kIco, [] { return PutLe32(Icon(2, 2), 18, 5000); },
                "truncated"},
        BadCase{"zero_width_bitmap", kIco, [] { return Icon(0, 2); },
                "invalid picture size: 0 x 2"},
        BadCase{"cut_in_bitmap", kIco, [] { return CutEnd(Icon(4, 4), 30); }, "truncated"}),
    [](const auto& test) { return std::string(test.param.label); });

TEST(LoadPicture, RefusesWhatIsNotAReadableFile) {
  TempFolder folder;
  const std::string empty = folder.File("empty.png");
  WriteBytes(empty, {});
  struct Case {
    std::string path;
    const char* reason;
  };
  const Case cases[] = {{empty, "empty file"},
                        {folder.File("missing.bmp"), "cannot open"},
                        {folder.path().string(), "not a file"}};
  for (const Case& c : cases) {
    try {
      LoadPicture(c.path);
      ADD_FAILURE() << c.path << " opened";
    } catch (const Error& e) {
      EXPECT_EQ(std::string(e.what()).rfind(c.path + ": " + c.reason, 0), 0u) << e.what();
    }
  }
}

}  // namespace
}  // namespace velmora
