// The readers' colour types, depths and layouts, on fixtures made here with the codec libraries'
// own writers (independent of the readers under test).

#include <gif_lib.h>
#include <gtest/gtest.h>
#include <png.h>
#include <tiffio.h>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>

extern "C" {
#include <jpeglib.h>
}

#include "TestFiles.h"
#include "imageio/PictureIO.h"

namespace velmora {
namespace {

using testing::ByteWriter;
using testing::PixelsOf;
using Bytes = std::vector<uint8_t>;

// ---- PNG ----

struct PngFixture {
  const char* label;
  int color_type;
  int depth;
  std::vector<Bytes> rows;  // packed samples as stored, 3 pixels a row, 2 rows
  std::vector<Color32> expected;
  std::vector<png_color> palette = {};
  std::vector<png_byte> transparency = {};
  int interlace = PNG_INTERLACE_NONE;
};

void PrintTo(const PngFixture& f, std::ostream* os) { *os << f.label; }

void AppendBytes(png_structp png, png_bytep data, size_t n) {
  auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + n);
}

Bytes WritePng(const PngFixture& f) {
  Bytes out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    ADD_FAILURE() << "libpng could not write the fixture";
    png_destroy_write_struct(&png, &info);
    return {};
  }
  png_set_write_fn(png, &out, AppendBytes, nullptr);
  png_set_IHDR(png, info, 3, png_uint_32(f.rows.size()), f.depth, f.color_type, f.interlace,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (!f.palette.empty()) png_set_PLTE(png, info, f.palette.data(), int(f.palette.size()));
  if (!f.transparency.empty()) {
    png_set_tRNS(png, info, f.transparency.data(), int(f.transparency.size()), nullptr);
  }
  png_write_info(png, info);
  std::vector<png_bytep> rows;
  for (const Bytes& r : f.rows) rows.push_back(const_cast<png_bytep>(r.data()));
  png_write_image(png, rows.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

class PngVariant : public ::testing::TestWithParam<PngFixture> {};

TEST_P(PngVariant, DecodesToOpaquePixels) {
  const PngFixture& f = GetParam();
  const Bitmap32 b = DecodePicture(WritePng(f), PictureFormat::kPng, "variant.png");
  ASSERT_EQ(b.width(), 3);
  EXPECT_EQ(PixelsOf(b), f.expected);
}

// 16-bit samples scale to 8 bits with rounding: 0x12FF -> 4863 x 255 / 65535 = 18.92 -> 19.
// Grey below 8 bits scales by repetition: 2-bit 1 -> 85, 4-bit 1 -> 17.
INSTANTIATE_TEST_SUITE_P(
    Png, PngVariant,
    ::testing::Values(
        PngFixture{"grey1",
                   PNG_COLOR_TYPE_GRAY,
                   1,
                   {{0b10100000}, {0b01000000}},
                   {0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF, 0xFF000000}},
        PngFixture{"grey2",
                   PNG_COLOR_TYPE_GRAY,
                   2,
                   {{0b00011011}, {0b11100100}},
                   {0xFF000000, 0xFF555555, 0xFFAAAAAA, 0xFFFFFFFF, 0xFFAAAAAA, 0xFF555555}},
        PngFixture{"grey4",
                   PNG_COLOR_TYPE_GRAY,
                   4,
                   {{0x01, 0xF0}, {0x23, 0x40}},
                   {0xFF000000, 0xFF111111, 0xFFFFFFFF, 0xFF222222, 0xFF333333, 0xFF444444}},
        PngFixture{"grey16",
                   PNG_COLOR_TYPE_GRAY,
                   16,
                   {{0x12, 0xFF, 0, 0x80, 0xFF, 0xFF}, {0, 0, 0, 0, 0, 0}},
                   {0xFF131313, 0xFF000000, 0xFFFFFFFF, 0xFF000000, 0xFF000000, 0xFF000000}},
        PngFixture{"grey_alpha8",
                   PNG_COLOR_TYPE_GRAY_ALPHA,
                   8,
                   {{10, 0, 20, 128, 30, 255}, {40, 1, 50, 2, 60, 3}},
                   {0xFF0A0A0A, 0xFF141414, 0xFF1E1E1E, 0xFF282828, 0xFF323232, 0xFF3C3C3C}},
        PngFixture{"rgb8",
                   PNG_COLOR_TYPE_RGB,
                   8,
                   {{1, 2, 3, 4, 5, 6, 7, 8, 9}, {255, 0, 0, 0, 255, 0, 0, 0, 255}},
                   {0xFF010203, 0xFF040506, 0xFF070809, 0xFFFF0000, 0xFF00FF00, 0xFF0000FF}},
        PngFixture{"rgb16",
                   PNG_COLOR_TYPE_RGB,
                   16,
                   {{0x12, 0xFF, 0, 0x80, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
                    {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0x80, 0x80, 0, 0, 0, 0}},
                   {0xFF1300FF, 0xFF000000, 0xFF000000, 0xFFFFFFFF, 0xFF000000, 0xFF800000}},
        PngFixture{"rgba8",
                   PNG_COLOR_TYPE_RGB_ALPHA,
                   8,
                   {{1, 2, 3, 0, 4, 5, 6, 128, 7, 8, 9, 255},
                    {10, 11, 12, 1, 13, 14, 15, 2, 16, 17, 18, 3}},
                   {0xFF010203, 0xFF040506, 0xFF070809, 0xFF0A0B0C, 0xFF0D0E0F, 0xFF101112}},
        PngFixture{"rgba16",
                   PNG_COLOR_TYPE_RGB_ALPHA,
                   16,
                   {Bytes(24, 0xFF), Bytes(24, 0)},
                   {0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFF000000, 0xFF000000, 0xFF000000}},
        PngFixture{"palette2_with_transparency",
                   PNG_COLOR_TYPE_PALETTE,
                   2,
                   {{0b00011000}, {0b10010000}},
                   {0xFF102030, 0xFF405060, 0xFF708090, 0xFF708090, 0xFF405060, 0xFF102030},
                   {{0x10, 0x20, 0x30}, {0x40, 0x50, 0x60}, {0x70, 0x80, 0x90}},
                   {0, 128}},
        PngFixture{"palette8",
                   PNG_COLOR_TYPE_PALETTE,
                   8,
                   {{2, 1, 0}, {0, 0, 2}},
                   {0xFF708090, 0xFF405060, 0xFF102030, 0xFF102030, 0xFF102030, 0xFF708090},
                   {{0x10, 0x20, 0x30}, {0x40, 0x50, 0x60}, {0x70, 0x80, 0x90}}},
        PngFixture{"rgb8_interlaced",
                   PNG_COLOR_TYPE_RGB,
                   8,
                   {{1, 2, 3, 4, 5, 6, 7, 8, 9}, {255, 0, 0, 0, 255, 0, 0, 0, 255}},
                   {0xFF010203, 0xFF040506, 0xFF070809, 0xFFFF0000, 0xFF00FF00, 0xFF0000FF},
                   {},
                   {},
                   PNG_INTERLACE_ADAM7}),
    [](const auto& test) { return std::string(test.param.label); });

// ---- JPEG ----

struct JpegFixture {
  const char* label;
  J_COLOR_SPACE space;
  int components;
  std::vector<uint8_t> sample;  // one pixel's samples, repeated over an 8 x 8 picture
  Color32 expected;
};

void PrintTo(const JpegFixture& f, std::ostream* os) { *os << f.label; }

Bytes WriteJpeg(const JpegFixture& f) {
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr errors{};
  cinfo.err = jpeg_std_error(&errors);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = 8;
  cinfo.image_height = 8;
  cinfo.input_components = f.components;
  cinfo.in_color_space = f.space;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, 100, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  Bytes row;
  for (int x = 0; x < 8; ++x) row.insert(row.end(), f.sample.begin(), f.sample.end());
  JSAMPROW rows[1] = {row.data()};
  while (cinfo.next_scanline < 8) jpeg_write_scanlines(&cinfo, rows, 1);
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  Bytes out(buffer, buffer + size);
  std::free(buffer);
  return out;
}

class JpegVariant : public ::testing::TestWithParam<JpegFixture> {};

TEST_P(JpegVariant, DecodesEveryColourSpace) {
  const JpegFixture& f = GetParam();
  const Bitmap32 b = DecodePicture(WriteJpeg(f), PictureFormat::kJpeg, "variant.jpg");
  ASSERT_EQ(b.width(), 8);
  for (Color32 p : PixelsOf(b)) {
    EXPECT_EQ(AlphaOf(p), 255u);
    EXPECT_NEAR(int(RedOf(p)), int(RedOf(f.expected)), 2) << std::hex << p;
    EXPECT_NEAR(int(GreenOf(p)), int(GreenOf(f.expected)), 2) << std::hex << p;
    EXPECT_NEAR(int(BlueOf(p)), int(BlueOf(f.expected)), 2) << std::hex << p;
  }
}

// libjpeg writes CMYK with Adobe's marker, whose convention stores inverted inks (255 = none):
// stored C, M, Y, K = 255, 128, 255, 200 gives R = 255 x 200 / 255 = 200, G = 128 x 200 / 255
// = 100.4, B = 200.
INSTANTIATE_TEST_SUITE_P(
    Jpeg, JpegVariant,
    ::testing::Values(JpegFixture{"grey", JCS_GRAYSCALE, 1, {90}, 0xFF5A5A5A},
                      JpegFixture{"rgb", JCS_RGB, 3, {200, 100, 50}, 0xFFC86432},
                      JpegFixture{"cmyk", JCS_CMYK, 4, {255, 128, 255, 200}, 0xFFC864C8}),
    [](const auto& test) { return std::string(test.param.label); });

// ---- GIF ----

int AppendGif(GifFileType* gif, const GifByteType* data, int n) {
  auto* out = static_cast<Bytes*>(gif->UserData);
  out->insert(out->end(), data, data + n);
  return n;
}

// A 4 x 3 screen holding a 2 x 2 interlaced image at (1, 1); index 1 is transparent.
Bytes GifWithOffsetTransparentInterlacedImage() {
  Bytes out;
  int error = 0;
  GifFileType* gif = EGifOpen(&out, AppendGif, &error);
  GifColorType colors[4] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {9, 9, 9}};
  ColorMapObject* map = GifMakeMapObject(4, colors);
  EGifSetGifVersion(gif, true);
  EGifPutScreenDesc(gif, 4, 3, 2, 0, map);
  const GifByteType control[4] = {0x01, 0, 0, 1};  // transparent flag, delay, index 1
  EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, control);
  EGifPutImageDesc(gif, 1, 1, 2, 2, true, nullptr);
  GifPixelType row0[2] = {0, 1}, row1[2] = {2, 3};
  EGifPutLine(gif, row0, 2);  // pass 1: row 0
  EGifPutLine(gif, row1, 2);  // pass 4: row 1
  EGifCloseFile(gif, &error);
  GifFreeMapObject(map);
  return out;
}

TEST(GifReader, PlacesTheFirstImageOnTheScreenWithWhiteAround) {
  const Bitmap32 b = DecodePicture(GifWithOffsetTransparentInterlacedImage(), "offset.gif");
  constexpr Color32 W = 0xFFFFFFFF;
  EXPECT_EQ(PixelsOf(b), (std::vector<Color32>{W, W, W, W,           //
                                               W, 0xFFFF0000, W, W,  //
                                               W, 0xFF0000FF, 0xFF090909, W}));
}

// ---- TIFF ----

TEST(TiffReader, ReadsGreyAndPaletteFiles) {
  const std::string path = (std::filesystem::temp_directory_path() / "velmora-grey.tif").string();
  TIFF* tif = TIFFOpen(path.c_str(), "w");
  ASSERT_NE(tif, nullptr);
  TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, 2);
  TIFFSetField(tif, TIFFTAG_IMAGELENGTH, 1);
  TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, 1);
  TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 8);
  TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISWHITE);
  uint8_t row[2] = {0, 200};  // white is 0
  TIFFWriteScanline(tif, row, 0, 0);
  TIFFClose(tif);
  const Bitmap32 b = LoadPicture(path);
  std::filesystem::remove(path);
  EXPECT_EQ(PixelsOf(b), (std::vector<Color32>{0xFFFFFFFF, 0xFF373737}));
}

// ---- ICO ----

// An icon with a 1 x 1 bitmap entry and a 2 x 2 PNG entry: the larger one is read.
TEST(IcoReader, ReadsTheLargestEntryBitmapOrPng) {
  Bitmap32 big(2, 2, 0xFF123456);
  big.SetPixel(1, 1, 0x00ABCDEF);
  const Bytes png = EncodePicture(big, PictureFormat::kPng, [] {
    SaveOptions o;
    o.png_alpha = true;
    return o;
  }());
  ByteWriter dib;  // 1 x 1, 24 bits, then a mask row
  dib.U32(40).U32(1).U32(2).U16(1).U16(24).U32(0).U32(0).U32(0).U32(0).U32(0).U32(0);
  dib.Bytes({0x11, 0x22, 0x33, 0}).U32(0);
  auto icon = [&](bool png_first) {
    ByteWriter w;
    w.U16(0).U16(1).U16(2);
    const uint32_t first = 6 + 32;
    const Bytes& a = png_first ? png : dib.bytes();
    const Bytes& b = png_first ? dib.bytes() : png;
    auto entry = [&](const Bytes& data, uint32_t offset) {
      const uint32_t side = &data == &png ? 2 : 1;
      w.U8(side).U8(side).U8(0).U8(0).U16(1).U16(32).U32(uint32_t(data.size())).U32(offset);
    };
    entry(a, first);
    entry(b, first + uint32_t(a.size()));
    w.Bytes(a).Bytes(b);
    return w.bytes();
  };
  for (bool png_first : {true, false}) {
    EXPECT_EQ(PixelsOf(DecodePicture(icon(png_first), "two.ico")),
              (std::vector<Color32>{0xFF123456, 0xFF123456, 0xFF123456, 0xFFABCDEF}));
  }
  // The bitmap entry alone: the colour rows only, opaque.
  ByteWriter one;
  one.U16(0).U16(1).U16(1).U8(1).U8(1).U8(0).U8(0).U16(1).U16(24);
  one.U32(uint32_t(dib.size())).U32(22).Bytes(dib.bytes());
  EXPECT_EQ(PixelsOf(DecodePicture(one.bytes(), "one.ico")), std::vector<Color32>{0xFF332211});
}

}  // namespace
}  // namespace velmora
