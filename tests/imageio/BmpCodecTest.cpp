#include <gtest/gtest.h>

#include "TestFiles.h"
#include "graphics/Error.h"
#include "imageio/BmpCodec.h"
#include "imageio/PictureIO.h"

namespace velmora {
namespace {

using testing::ByteWriter;
using testing::PixelsOf;

constexpr uint32_t kRle8 = 1, kRle4 = 2, kBitfields = 3;
constexpr Color32 P0 = 0xFF102030, P1 = 0xFFA0B0C0, P2 = 0xFFFF0000, P3 = 0xFF00FF00;

// A hand-made 3 x 2 bitmap: the fields that vary, the stored bytes and the pixels expected
// (top row first), worked out by hand from the format's rules.
struct BmpCase {
  const char* label;
  uint16_t bits;
  uint32_t compression;
  std::vector<Color32> palette;  // written blue, green, red (and a zero byte unless core)
  std::vector<uint8_t> pixels;   // as stored, first stored row first
  std::vector<Color32> expected;
  uint32_t header_size = 40;         // 12: core header, whose palette has all 2^bits entries
  std::vector<uint32_t> masks = {};  // after a 40-byte header, or inside a larger one
  int32_t height = 2;                // negative: rows stored top-down
};

std::vector<uint8_t> BuildBmp(const BmpCase& c) {
  const bool core = c.header_size == 12;
  const uint32_t entry = core ? 3 : 4;
  const uint32_t masks_after = c.header_size == 40 ? uint32_t(c.masks.size()) * 4 : 0;
  const uint32_t offset = 14 + c.header_size + masks_after + uint32_t(c.palette.size()) * entry;
  const bool rle = c.compression == kRle8 || c.compression == kRle4;
  ByteWriter w;
  w.Bytes({'B', 'M'}).U32(offset + uint32_t(c.pixels.size())).U32(0).U32(offset);
  w.U32(c.header_size);
  if (core) {
    w.U16(3).U16(uint32_t(c.height)).U16(1).U16(c.bits);
  } else {
    w.U32(3).U32(uint32_t(c.height)).U16(1).U16(c.bits).U32(c.compression);
    w.U32(rle ? uint32_t(c.pixels.size()) : 0).U32(0).U32(0).U32(uint32_t(c.palette.size())).U32(0);
    if (c.header_size > 40) {
      for (size_t i = 0; i < 4; ++i) w.U32(i < c.masks.size() ? c.masks[i] : 0);
      while (w.size() < 14 + c.header_size) w.U8(0);
    } else {
      for (uint32_t m : c.masks) w.U32(m);
    }
  }
  for (Color32 p : c.palette) {
    w.U8(BlueOf(p)).U8(GreenOf(p)).U8(RedOf(p));
    if (!core) w.U8(0);
  }
  w.Bytes(c.pixels);
  return w.bytes();
}

void PrintTo(const BmpCase& c, std::ostream* os) { *os << c.label; }

class BmpVariant : public ::testing::TestWithParam<BmpCase> {};

TEST_P(BmpVariant, DecodesToTheExpectedPixels) {
  const BmpCase& c = GetParam();
  const Bitmap32 b = DecodeBmp(BuildBmp(c), "test.bmp");
  ASSERT_EQ(b.width(), 3);
  ASSERT_EQ(b.height(), 2);
  EXPECT_EQ(PixelsOf(b), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Bmp, BmpVariant,
    ::testing::Values(
        BmpCase{"bits1",
                1,
                0,
                {0x0000FF, 0xFFFF00},
                {0xA0, 0, 0, 0, 0x60, 0, 0, 0},
                {0xFF0000FF, 0xFFFFFF00, 0xFFFFFF00, 0xFFFFFF00, 0xFF0000FF, 0xFFFFFF00}},
        BmpCase{"bits4_three_colours_used",
                4,
                0,
                {P0, P1, P2},
                {0x21, 0x00, 0, 0, 0x00, 0x20, 0, 0},
                {P0, P0, P2, P2, P1, P0}},
        BmpCase{"bits8", 8, 0, {P0, P1, P2}, {1, 2, 0, 0, 2, 2, 1, 0}, {P2, P2, P1, P1, P2, P0}},
        BmpCase{
            "bits16_555",
            16,
            0,
            {},
            {0x00, 0x7C, 0xE0, 0x03, 0x10, 0x00, 0, 0, 0x00, 0x00, 0xFF, 0x7F, 0x21, 0x04, 0, 0},
            {0xFF000000, 0xFFFFFFFF, 0xFF080808, 0xFFFF0000, 0xFF00FF00, 0xFF000084}},
        BmpCase{
            "bits16_565_bitfields",
            16,
            kBitfields,
            {},
            {0x00, 0xF8, 0x00, 0x04, 0x01, 0x00, 0, 0, 0xFF, 0xFF, 0x00, 0x00, 0x41, 0x08, 0, 0},
            {0xFFFFFFFF, 0xFF000000, 0xFF080808, 0xFFFF0000, 0xFF008200, 0xFF000008},
            40,
            {0xF800, 0x07E0, 0x001F}},
        BmpCase{"bits24",
                24,
                0,
                {},
                {1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 0, 0, 0xFF, 0, 0, 0, 0xFF, 0, 0, 0, 0xFF, 0, 0, 0},
                {0xFF0000FF, 0xFF00FF00, 0xFFFF0000, 0xFF030201, 0xFF060504, 0xFF090807}},
        BmpCase{"bits32_keeps_alpha_byte",
                32,
                0,
                {},
                {1,    2,    3,    0x80, 4, 5, 6, 0, 7,    8,    9,    0xFF,
                 0x10, 0x20, 0x30, 0x40, 0, 0, 0, 1, 0xFF, 0xFF, 0xFF, 0xFE},
                {0x40302010, 0x01000000, 0xFEFFFFFF, 0x80030201, 0x00060504, 0xFF090807}},
        BmpCase{"bits32_v5_rgba_masks",
                32,
                kBitfields,
                {},
                {0x11, 0x22, 0x33, 0x44, 0, 0, 0, 0, 0xFF, 0,  0,  0xFF,
                 1,    2,    3,    4,    5, 6, 7, 8, 9,    10, 11, 12},
                {0x04010203, 0x08050607, 0x0C090A0B, 0x44112233, 0x00000000, 0xFFFF0000},
                124,
                {0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000}},
        BmpCase{"bits32_bitfields_without_alpha_are_opaque",
                32,
                kBitfields,
                {},
                {1, 2, 3, 0, 4,    5,    6,    7,    7,    8,    9,    9,
                 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0x12, 0x10, 0x20, 0x30, 0},
                {0xFF000000, 0xFFFFFFFF, 0xFF302010, 0xFF030201, 0xFF060504, 0xFF090807},
                40,
                {0x00FF0000, 0x0000FF00, 0x000000FF}},
        BmpCase{"top_down",
                24,
                0,
                {},
                {0xFF, 0, 0, 0, 0xFF, 0, 0, 0, 0xFF, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 0, 0},
                {0xFF0000FF, 0xFF00FF00, 0xFFFF0000, 0xFF030201, 0xFF060504, 0xFF090807},
                40,
                {},
                -2},
        BmpCase{"rle8_runs_literal_and_marks",
                8,
                kRle8,
                {P0, P1, P2},
                {2, 1, 1, 2, 0, 0, 0, 3, 0, 1, 2, 0, 0, 1},
                {P0, P1, P2, P1, P1, P2}},
        BmpCase{"rle4_runs_delta_and_skipped_pixels",
                4,
                kRle4,
                {P0, P1, P2, P3},
                {3, 0x12, 0, 0, 0, 2, 1, 0, 2, 0x33, 0, 1},
                {P0, P3, P3, P1, P2, P1}},
        BmpCase{"core_header",
                4,
                0,
                {P0, P1, P2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
                {0x01, 0x20, 0, 0, 0x21, 0x00, 0, 0},
                {P2, P1, P0, P0, P1, P2},
                12}),
    [](const auto& test) { return std::string(test.param.label); });

TEST(BmpWriter, WritesTheExactLayout) {
  Bitmap32 b(2, 1);
  b.SetPixel(0, 0, 0x80112233);
  b.SetPixel(1, 0, 0xFF445566);
  const std::vector<uint8_t> expected = {
      'B',  'M',  62,   0,    0,    0,    0,    0,   0, 0, 54, 0, 0, 0,  // file header
      40,   0,    0,    0,    2,    0,    0,    0,   1, 0, 0,  0, 1, 0,
      32,   0,    0,    0,    0,    0,  // size .. compression
      8,    0,    0,    0,    0,    0,    0,    0,   0, 0, 0,  0, 0, 0,
      0,    0,    0,    0,    0,    0,  // image size, rest zero
      0x33, 0x22, 0x11, 0x80, 0x66, 0x55, 0x44, 0xFF};
  EXPECT_EQ(EncodeBmp32(b), expected);
}

TEST(BmpWriter, StoresTheBottomRowFirst) {
  Bitmap32 b(1, 2);
  b.SetPixel(0, 0, 0x01020304);  // top
  b.SetPixel(0, 1, 0x05060708);  // bottom
  const std::vector<uint8_t> bytes = EncodeBmp32(b);
  ASSERT_EQ(bytes.size(), 54u + 8u);
  EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 54, bytes.end()),
            (std::vector<uint8_t>{8, 7, 6, 5, 4, 3, 2, 1}));
}

TEST(BmpWriter, RefusesAnEmptyPicture) { EXPECT_THROW(EncodeBmp32(Bitmap32()), Error); }

}  // namespace
}  // namespace velmora

namespace velmora {
namespace {

// Reading from a file goes through scatter reads (32 bits, 1024 rows a call) and bands of about
// 1 MB (other depths); these pictures cross those boundaries. Expected pixels come from the
// formula the file was written with.
uint8_t Channel(int x, int y, int c) { return uint8_t(x * 7 + y * 13 + c * 101); }

std::vector<uint8_t> GeneratedBmp(int width, int height, int bits, bool top_down) {
  const uint32_t stride = uint32_t((width * bits + 31) / 32 * 4);
  testing::ByteWriter w;
  w.Bytes({'B', 'M'}).U32(54 + stride * height).U32(0).U32(54);
  w.U32(40).U32(uint32_t(width)).U32(uint32_t(top_down ? -height : height)).U16(1).U16(bits);
  w.U32(0).U32(0).U32(0).U32(0).U32(0).U32(0);
  for (int r = 0; r < height; ++r) {
    const int y = top_down ? r : height - 1 - r;
    for (int x = 0; x < width; ++x) {
      for (int c = 0; c < bits / 8; ++c) w.U8(Channel(x, y, c));
    }
    for (uint32_t pad = uint32_t(width) * (bits / 8); pad < stride; ++pad) w.U8(0);
  }
  return w.bytes();
}

TEST(BmpFile, LargePicturesReadFromAFileMatchTheirFormula) {
  struct Case {
    int width, height, bits;
    bool top_down;
  };
  const Case cases[] = {
      {3, 2500, 32, false}, {5, 1100, 32, true}, {701, 600, 24, false}, {333, 1200, 24, true}};
  testing::TempFolder folder;
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.width << " x " << c.height << " x " << c.bits);
    const std::string path = folder.File("big.bmp");
    testing::WriteBytes(path, GeneratedBmp(c.width, c.height, c.bits, c.top_down));
    const Bitmap32 b = LoadPicture(path);
    ASSERT_EQ(b.width(), c.width);
    ASSERT_EQ(b.height(), c.height);
    for (int y = 0; y < c.height; ++y) {
      for (int x = 0; x < c.width; ++x) {
        const uint32_t alpha = c.bits == 32 ? Channel(x, y, 3) : 255;
        const Color32 want =
            MakeColor32(alpha, Channel(x, y, 2), Channel(x, y, 1), Channel(x, y, 0));
        ASSERT_EQ(b.Pixel(x, y), want) << x << "," << y;
      }
    }
  }
}

}  // namespace
}  // namespace velmora
