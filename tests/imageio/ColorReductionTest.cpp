#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "TestFiles.h"
#include "graphics/Random.h"
#include "imageio/ColorReduction.h"

namespace velmora {
namespace {

using testing::MakeBitmap;

Color32 ColorAt(const IndexedPicture& p, size_t i) { return p.palette.at(p.indices.at(i)); }

// The nearest palette entry by plain search: smallest squared distance, first on a tie.
Color32 NearestByHand(std::span<const Color32> palette, Color32 c) {
  Color32 best = palette[0];
  int best_d = 1 << 30;
  for (Color32 p : palette) {
    const int dr = int(RedOf(p)) - int(RedOf(c)), dg = int(GreenOf(p)) - int(GreenOf(c)),
              db = int(BlueOf(p)) - int(BlueOf(c));
    const int d = dr * dr + dg * dg + db * db;
    if (d < best_d) best_d = d, best = p;
  }
  return best;
}

TEST(ReduceColors, TwoColoursByIntensityThreshold) {
  // (61 R + 174 G + 21 B) >> 8: grey 128 -> 128 (white), grey 127 -> 127 (black), green 255 ->
  // 173 (white), red 255 -> 60 (black), blue 255 -> 20 (black), yellow -> 234 (white).
  const Bitmap32 b =
      MakeBitmap(6, 1, {0xFF808080, 0xFF7F7F7F, 0x0000FF00, 0xFFFF0000, 0xFF0000FF, 0xFFFFFF00});
  const IndexedPicture p = ReduceColors(b, GifDepth::kTwo);
  ASSERT_EQ(p.palette, (std::vector<Color32>{0xFF000000, 0xFFFFFFFF}));
  EXPECT_EQ(p.indices, (std::vector<uint8_t>{1, 0, 1, 0, 0, 1}));
}

TEST(ReduceColors, SixteenColoursTakeTheNearestVgaColour) {
  // (200, 10, 10): red FF0000 at 55^2 + 10^2 + 10^2 = 3225 beats maroon 800000 at 5384.
  // (100, 100, 100): grey 808080 at 3 x 28^2 = 2352 beats black, silver and the rest.
  const Bitmap32 b = MakeBitmap(3, 1, {0xFFC80A0A, 0xFF646464, 0xFFFFFFFF});
  const IndexedPicture p = ReduceColors(b, GifDepth::kSixteen);
  EXPECT_EQ(p.palette.size(), 16u);
  EXPECT_EQ(ColorAt(p, 0), 0xFFFF0000u);
  EXPECT_EQ(ColorAt(p, 1), 0xFF808080u);
  EXPECT_EQ(ColorAt(p, 2), 0xFFFFFFFFu);
}

TEST(ReduceColors, HalftoneTakesTheNearestOfAllItsColours) {
  const auto palette = HalftonePalette();
  ASSERT_EQ(palette.size(), 256u);
  EXPECT_EQ(std::set<Color32>(palette.begin(), palette.end()).size(), 256u);
  EXPECT_EQ(palette[0], 0xFF000000u);
  EXPECT_EQ(palette[215], 0xFFFFFFFFu);
  EXPECT_EQ(palette[216], 0xFF060606u);  // round(255 / 41) = 6
  // The shortcut (cube by rounding, grey by the mean) against a search of all 256 colours.
  Random random;
  Bitmap32 b(4096, 1);
  for (int x = 0; x < b.width(); ++x) b.SetPixel(x, 0, 0xFF000000u | random.Next(1u << 24));
  for (int x = 0; x < 256; x += 3) b.SetPixel(x, 0, MakeColor32(255, x, x + 1, x));  // near grey
  const IndexedPicture p = ReduceColors(b, GifDepth::k256);
  for (int x = 0; x < b.width(); ++x) {
    ASSERT_EQ(ColorAt(p, x), NearestByHand(palette, b.Pixel(x, 0))) << std::hex << b.Pixel(x, 0);
  }
}

TEST(ReduceColors, AutoKeepsUpTo256ColoursExactly) {
  Bitmap32 b(16, 16);
  for (int i = 0; i < 256; ++i)
    b.SetPixel(i % 16, i / 16, MakeColor32(i % 2 ? 0 : 255, i, 255 - i, i / 3));
  const IndexedPicture p = ReduceColors(b, GifDepth::kAuto);
  EXPECT_EQ(p.palette.size(), 256u);
  for (int i = 0; i < 256; ++i) EXPECT_EQ(ColorAt(p, i), b.Pixel(i % 16, i / 16) | 0xFF000000u);
}

TEST(ReduceColors, AutoReducesAGradientWithSmallError) {
  // 64 x 64 with 4096 colours: median cut to 256 and dithering keep every 4 x 4 block's average
  // close to the original's.
  Bitmap32 b(64, 64);
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x)
      b.SetPixel(x, y, MakeColor32(255, 4 * x, 4 * y, 255 - 2 * x - 2 * y));
  }
  const IndexedPicture p = ReduceColors(b, GifDepth::kAuto);
  ASSERT_EQ(p.palette.size(), 256u);
  ASSERT_EQ(p.indices.size(), 64u * 64u);
  for (int by = 0; by < 64; by += 4) {
    for (int bx = 0; bx < 64; bx += 4) {
      for (int shift : {0, 8, 16}) {
        int want = 0, got = 0;
        for (int y = by; y < by + 4; ++y) {
          for (int x = bx; x < bx + 4; ++x) {
            want += (b.Pixel(x, y) >> shift) & 0xFF;
            got += (ColorAt(p, size_t(y) * 64 + x) >> shift) & 0xFF;
          }
        }
        EXPECT_NEAR(got / 16.0, want / 16.0, 8.0) << bx << "," << by << " shift " << shift;
      }
    }
  }
}

}  // namespace
}  // namespace velmora
