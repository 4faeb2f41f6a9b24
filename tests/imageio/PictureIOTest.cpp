#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <cstdlib>

#include "TestFiles.h"
#include "graphics/Error.h"
#include "imageio/ColorReduction.h"
#include "imageio/PictureIO.h"

namespace velmora {
namespace {

using testing::MakeBitmap;
using testing::PixelsOf;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

// Eight colours, some half transparent, with an odd width (so rows need padding elsewhere).
Bitmap32 SmallPicture() {
  return MakeBitmap(5, 3,
                    {0xFF000000, 0xFFFFFFFF, 0x80FF0000, 0x0000FF00, 0xFF0000FF,  //
                     0xFF123456, 0x40654321, 0xFF000000, 0xFFFFFFFF, 0xFF123456,  //
                     0xFFABCDEF, 0xFF0000FF, 0x80FF0000, 0x00FFFFFF, 0xFF000000});
}

// A smooth picture, where JPEG's error stays small.
Bitmap32 SmoothPicture() {
  Bitmap32 b(32, 24);
  for (int y = 0; y < b.height(); ++y) {
    for (int x = 0; x < b.width(); ++x) {
      b.SetPixel(x, y, MakeColor32(255, 40 + 4 * x, 60 + 5 * y, 200 - 2 * x - y));
    }
  }
  return b;
}

Bitmap32 Opaque(Bitmap32 b) {
  for (int y = 0; y < b.height(); ++y) {
    for (int x = 0; x < b.width(); ++x) b.SetPixel(x, y, b.Pixel(x, y) | 0xFF000000u);
  }
  return b;
}

SaveOptions Quality(int quality) {
  SaveOptions o;
  o.jpeg_quality = quality;
  return o;
}

SaveOptions Depth(GifDepth depth) {
  SaveOptions o;
  o.gif_depth = depth;
  return o;
}

SaveOptions WithAlpha() {
  SaveOptions o;
  o.png_alpha = true;
  return o;
}

int LargestChannelDifference(const Bitmap32& a, const Bitmap32& b) {
  int worst = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      const Color32 p = a.Pixel(x, y), q = b.Pixel(x, y);
      for (int shift = 0; shift < 32; shift += 8) {
        worst = std::max(worst, std::abs(int((p >> shift) & 0xFF) - int((q >> shift) & 0xFF)));
      }
    }
  }
  return worst;
}

class PictureFiles : public ::testing::Test {
 protected:
  Bitmap32 SaveAndLoad(const std::string& name, const Bitmap32& picture,
                       const SaveOptions& options = {}) {
    const std::string path = folder_.File(name);
    SavePicture(path, picture, options);
    return LoadPicture(path);
  }
  TempFolder folder_;
};

TEST_F(PictureFiles, LosslessWritersGiveThePicturesBack) {
  // BMP keeps alpha; the others drop it (and the reader makes everything but BMP opaque).
  struct Case {
    const char* name;
    SaveOptions options;
    bool keeps_alpha;
  };
  const Case cases[] = {
      {"exact.bmp", {}, true},
      {"rgb.png", {}, false},
      {"rgba.png", WithAlpha(), false},
      {"rgb.tif", {}, false},
      {"auto.gif", Depth(GifDepth::kAuto), false},
  };
  const Bitmap32 picture = SmallPicture();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Bitmap32 back = SaveAndLoad(c.name, picture, c.options);
    EXPECT_EQ(PixelsOf(back), PixelsOf(c.keeps_alpha ? picture : Opaque(picture)));
  }
}

TEST_F(PictureFiles, Rgba32PngStoresTheAlpha) {
  // Read back with libpng's own simplified reader, which keeps alpha.
  const Bitmap32 picture = SmallPicture();
  const auto bytes = EncodePicture(picture, PictureFormat::kPng, WithAlpha());
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  ASSERT_TRUE(png_image_begin_read_from_memory(&image, bytes.data(), bytes.size()));
  EXPECT_EQ(image.format & PNG_FORMAT_FLAG_ALPHA, PNG_FORMAT_FLAG_ALPHA);
  image.format = PNG_FORMAT_BGRA;  // the bytes of 0xAARRGGBB in memory
  Bitmap32 back(picture.width(), picture.height());
  ASSERT_TRUE(png_image_finish_read(&image, nullptr, back.Bits(), 0, nullptr));
  EXPECT_EQ(PixelsOf(back), PixelsOf(picture));
  EXPECT_EQ(EncodePicture(picture, PictureFormat::kPng)[25], 2);  // the default: IHDR type RGB
}

TEST_F(PictureFiles, JpegStaysCloseAtHighQuality) {
  const Bitmap32 picture = SmoothPicture();
  EXPECT_LE(LargestChannelDifference(SaveAndLoad("q95.jpg", picture, Quality(95)), picture), 6);
  // Alpha is dropped, not mixed into the colours.
  Bitmap32 transparent = picture;
  for (int x = 0; x < transparent.width(); ++x)
    transparent.SetPixel(x, 0, transparent.Pixel(x, 0) & 0x00FFFFFF);
  EXPECT_LE(LargestChannelDifference(SaveAndLoad("alpha.jpg", transparent, Quality(95)), picture),
            6);
}

TEST_F(PictureFiles, JpegQualityOutsideTheRangeIsRefusedAndWritesNothing) {
  for (int quality : {0, 101}) {
    EXPECT_THROW(SavePicture(folder_.File("bad.jpg"), SmoothPicture(), Quality(quality)), Error);
  }
  EXPECT_TRUE(folder_.Entries().empty());
}

TEST_F(PictureFiles, FixedGifDepthsUseOnlyTheirPalettes) {
  const Bitmap32 picture = SmoothPicture();
  const std::vector<Color32> two = {0xFF000000, 0xFFFFFFFF};
  const auto sixteen = Vga16Palette();
  const auto halftone = HalftonePalette();
  struct Case {
    GifDepth depth;
    std::vector<Color32> palette;
  };
  const Case cases[] = {{GifDepth::kTwo, two},
                        {GifDepth::kSixteen, {sixteen.begin(), sixteen.end()}},
                        {GifDepth::k256, {halftone.begin(), halftone.end()}}};
  for (const Case& c : cases) {
    const Bitmap32 back = SaveAndLoad("depth.gif", picture, Depth(c.depth));
    ASSERT_EQ(back.width(), picture.width());
    for (Color32 p : PixelsOf(back)) {
      ASSERT_NE(std::find(c.palette.begin(), c.palette.end(), p), c.palette.end())
          << std::hex << p << " depth " << int(c.depth);
    }
  }
}

TEST_F(PictureFiles, ExtensionIsMatchedInAnyLetterCase) {
  const Bitmap32 picture = Opaque(SmallPicture());
  for (const char* name : {"a.PNG", "b.Png", "c.TIFF", "d.Bmp"}) {
    SavePicture(folder_.File(name), picture);
    EXPECT_EQ(PixelsOf(LoadPicture(folder_.File(name))), PixelsOf(picture)) << name;
  }
  EXPECT_EQ(ReadBytes(folder_.File("a.PNG"))[1], 'P');
  EXPECT_EQ(ReadBytes(folder_.File("d.Bmp"))[0], 'B');
}

TEST_F(PictureFiles, SignatureWinsOverTheExtension) {
  const Bitmap32 picture = Opaque(SmallPicture());
  const std::string path = folder_.File("really-a-png.jpg");
  WriteBytes(path, EncodePicture(picture, PictureFormat::kPng));
  EXPECT_EQ(PixelsOf(LoadPicture(path)), PixelsOf(picture));
  // No known extension, but a known signature.
  const std::string bare = folder_.File("picture");
  WriteBytes(bare, EncodePicture(picture, PictureFormat::kBmp));
  EXPECT_EQ(PixelsOf(LoadPicture(bare)), PixelsOf(picture));
  // Neither: refused.
  const std::string text = folder_.File("notes.txt");
  WriteBytes(text, {'h', 'e', 'l', 'l', 'o'});
  EXPECT_THROW(LoadPicture(text), Error);
}

TEST_F(PictureFiles, MetafilesFailWithAClearMessage) {
  struct Case {
    const char* name;
    std::vector<uint8_t> bytes;
  };
  std::vector<uint8_t> emf(88, 0);
  emf[0] = 1;
  emf[40] = ' ', emf[41] = 'E', emf[42] = 'M', emf[43] = 'F';
  const Case cases[] = {{"card.emf", emf},
                        {"card.wmf", {0xD7, 0xCD, 0xC6, 0x9A, 0, 0, 0, 0, 0, 0, 0, 0}}};
  for (const Case& c : cases) {
    const std::string path = folder_.File(c.name);
    WriteBytes(path, c.bytes);
    try {
      LoadPicture(path);
      ADD_FAILURE() << c.name << " opened";
    } catch (const Error& e) {
      EXPECT_NE(std::string(e.what()).find(path + ": unsupported picture format"),
                std::string::npos)
          << e.what();
    }
  }
}

TEST_F(PictureFiles, BmpWithUnusedAlphaOpensOpaqueButStreamsKeepIt) {
  // Many programs write 32-bit BMPs with every fourth byte 0.
  const Bitmap32 clear(3, 2, 0x00336699);
  const auto bytes = EncodePicture(clear, PictureFormat::kBmp);
  const std::string path = folder_.File("zero-alpha.bmp");
  WriteBytes(path, bytes);
  EXPECT_EQ(PixelsOf(LoadPicture(path)), std::vector<Color32>(6, 0xFF336699));
  // A project's layer that is transparent everywhere must stay so.
  EXPECT_EQ(PixelsOf(DecodePicture(bytes, PictureFormat::kBmp, "layer")),
            std::vector<Color32>(6, 0x00336699));
}

TEST(DecodePicture, FindsTheFormatBySignature) {
  const Bitmap32 picture = Opaque(SmallPicture());
  for (PictureFormat f :
       {PictureFormat::kBmp, PictureFormat::kPng, PictureFormat::kGif, PictureFormat::kTiff}) {
    EXPECT_EQ(PixelsOf(DecodePicture(EncodePicture(picture, f), "stream")), PixelsOf(picture))
        << FormatInfo(f).id;
  }
}

TEST(DecodePicture, GivenFormatIsNotGuessed) {
  const auto png = EncodePicture(SmallPicture(), PictureFormat::kPng);
  try {
    DecodePicture(png, PictureFormat::kBmp, "layer 3");
    ADD_FAILURE() << "decoded";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "layer 3: not a BMP file");
  }
}

TEST(PictureFormats, TableIsConsistent) {
  for (const PictureFormatInfo& info : PictureFormats()) {
    EXPECT_EQ(&FormatInfo(info.format), &info);
    EXPECT_EQ(FindFormatById(info.id), &info);
    for (std::string_view ext : info.extensions) {
      EXPECT_EQ(FindFormatByFileName("/some.folder/name." + std::string(ext)), &info);
    }
  }
  EXPECT_EQ(FindFormatByFileName("/photos.jpg/readme"), nullptr);
  EXPECT_EQ(FindFormatByFileName("noextension"), nullptr);
}

}  // namespace
}  // namespace velmora
