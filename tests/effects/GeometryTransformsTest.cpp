#include <gtest/gtest.h>

#include <vector>

#include "EffectTestSupport.h"
#include "document/UndoRedo.h"
#include "effects/GeometryTransforms.h"
#include "graphics/Error.h"

namespace velmora {
namespace {

using testing::NoiseBitmap;

// Letters for the pixels of the small pictures worked by hand: 'A' is 0xFF000041 and so on.
constexpr Color32 P(char c) { return 0xFF000000u | uint8_t(c); }

Bitmap32 FromRows(const std::vector<std::string>& rows) {
  Bitmap32 b(int(rows[0].size()), int(rows.size()));
  for (int y = 0; y < b.height(); ++y)
    for (int x = 0; x < b.width(); ++x) b.SetPixel(x, y, P(rows[y][x]));
  return b;
}

// A document with a card and one selected bitmap layer.
struct LayerCard {
  CardDocument doc;
  BitmapLayer* layer = nullptr;

  LayerCard(Bitmap32 pixels, Location at, int card_w = 200, int card_h = 100) {
    doc.NewCanvas(card_w, card_h, 0xFFFFFFFF);
    layer = &doc.AppendBitmapLayer(std::move(pixels), at);
    doc.SelectLayer(layer);
  }
};

TEST(QuarterTurn, MovesEveryPixelOfTheFourByTwoPicture) {
  const Bitmap32 src = FromRows({"ABCD", "EFGH"});
  EXPECT_TRUE(
      SamePixels(Rotated90(src, TurnDirection::kClockwise), FromRows({"EA", "FB", "GC", "HD"})));
  EXPECT_TRUE(SamePixels(Rotated90(src, TurnDirection::kCounterclockwise),
                         FromRows({"DH", "CG", "BF", "AE"})));
}

TEST(QuarterTurn, LayerSwapsItsSizeAboutTheTopLeftCornerAndRecordsAGeomStep) {
  LayerCard card(FromRows({"ABCD", "EFGH"}), {10, 20, 14, 22});
  card.layer->MutableBitmap().SetPixel(0, 0, 0x80123456);  // alpha travels with the pixel
  RotateLayer90(card.doc, TurnDirection::kClockwise);
  EXPECT_EQ(card.layer->bitmap().width(), 2);
  EXPECT_EQ(card.layer->bitmap().height(), 4);
  EXPECT_EQ(card.layer->location(), (Location{10, 20, 12, 24}));
  EXPECT_EQ(card.layer->bitmap().Pixel(1, 0), 0x80123456u) << "top-left ends top-right";
  EXPECT_EQ(card.doc.selected_layer(), card.layer);
  EXPECT_EQ(card.doc.undo_slot().kind, UndoKind::kGeometry);

  Undo(card.doc);
  EXPECT_EQ(card.layer->location(), (Location{10, 20, 14, 22}));
  EXPECT_EQ(card.layer->bitmap().width(), 4);
}

TEST(QuarterTurn, InverseTurnsAndDoubleFlipsGiveBackTheBitmapExactly) {
  // Odd sizes, single rows and columns, and sizes across the 64-pixel tiles.
  const struct { int w, h; } sizes[] = {{1, 1}, {4, 2}, {3, 5}, {1, 7}, {9, 1}, {64, 3}, {130, 67}};
  for (const auto& s : sizes) {
    const Bitmap32 src = NoiseBitmap(s.w, s.h, uint32_t(s.w * 31 + s.h));
    Bitmap32 b = src;
    for (int i = 0; i < 4; ++i) b = Rotated90(b, TurnDirection::kClockwise);
    EXPECT_TRUE(SamePixels(b, src)) << s.w << "x" << s.h << " four turns";
    b = Rotated90(Rotated90(src, TurnDirection::kCounterclockwise), TurnDirection::kClockwise);
    EXPECT_TRUE(SamePixels(b, src)) << s.w << "x" << s.h << " back and forth";
    for (FlipDirection f : {FlipDirection::kTopToBottom, FlipDirection::kLeftToRight}) {
      b = src;
      Flip(b, f);
      Flip(b, f);
      EXPECT_TRUE(SamePixels(b, src)) << s.w << "x" << s.h << " flip " << int(f);
    }
  }
}

TEST(FlipLayerTest, MirrorsAllFourChannelsAndRecordsAnEffectStep) {
  LayerCard card(FromRows({"ABC", "DEF", "GHI"}), {5, 5, 8, 8});
  card.layer->MutableBitmap().SetPixel(0, 0, 0x11223344);
  FlipLayer(card.doc, FlipDirection::kTopToBottom);
  Bitmap32 expected = FromRows({"GHI", "DEF", "ABC"});
  expected.SetPixel(0, 2, 0x11223344);
  EXPECT_TRUE(SamePixels(card.layer->bitmap(), expected));
  EXPECT_EQ(card.doc.undo_slot().kind, UndoKind::kEffect);
  EXPECT_EQ(card.layer->location(), (Location{5, 5, 8, 8}));

  FlipLayer(card.doc, FlipDirection::kLeftToRight);
  expected = FromRows({"IHG", "FED", "CBA"});
  expected.SetPixel(2, 2, 0x11223344);
  EXPECT_TRUE(SamePixels(card.layer->bitmap(), expected));
}

TEST(LayerCommands, DoNothingWithoutASelectedBitmapLayer) {
  CardDocument doc;
  doc.NewCanvas(10, 10, 0xFFFFFFFF);
  FrameLayer& frame = doc.CreateFrameLayer({5, 5}, FrameTag::kCrop);
  doc.SelectLayer(&frame);
  RotateLayer90(doc, TurnDirection::kClockwise);
  FlipLayer(doc, FlipDirection::kLeftToRight);
  TurnSelectedLayer(doc, 30, true);
  EXPECT_TRUE(doc.undo_slot().empty());
  EXPECT_EQ(frame.location(), (Location{-27, -27, 37, 37}));
}

TEST(FreeRotation, SizesFollowTheSinglePrecisionFormula) {
  const struct {
    int w, h, degrees;
    int new_w, new_h;
    double exact_w, exact_h;
  } cases[] = {
      {100, 50, 90, 50, 100, 50, 100},           {100, 50, -90, 50, 100, 50, 100},
      {100, 50, 45, 106, 106, 106.066, 106.066},  // 0.7071 x 150
      {100, 50, 180, 100, 50, 100, 50},          {100, 50, 0, 100, 50, 100, 50},
      {10, 10, 30, 14, 14, 13.660, 13.660},  // (cos 30 + sin 30) x 10
  };
  for (const auto& c : cases) {
    const TurnedSize s = TurnedSizeOf(c.w, c.h, c.degrees);
    EXPECT_NEAR(s.width, c.exact_w, 1e-3) << c.degrees;
    EXPECT_NEAR(s.height, c.exact_h, 1e-3) << c.degrees;
    const Location at{7, 9, 7 + float(c.w), 9 + float(c.h)};
    const TurnedLayer t =
        RotateByAngle(Bitmap32(c.w, c.h, 0xFF00FF00), at, c.degrees, StretchFilter::kLinear);
    EXPECT_EQ(t.bitmap.width(), c.new_w) << c.degrees;
    EXPECT_EQ(t.bitmap.height(), c.new_h) << c.degrees;
    // The top-left corner stays; the size is not rounded.
    EXPECT_EQ(t.location.left, 7);
    EXPECT_EQ(t.location.top, 9);
    EXPECT_NEAR(t.location.right, 7 + c.exact_w, 1e-3);
    EXPECT_NEAR(t.location.bottom, 9 + c.exact_h, 1e-3);
  }
}

TEST(FreeRotation, ByZeroKeepsThePixelsButMakesTheTwoPixelRimTransparent) {
  Bitmap32 src = NoiseBitmap(7, 6, 5);
  src.set_master_alpha(128);
  src.set_draw_mode(DrawMode::kBlend);
  for (StretchFilter f : {StretchFilter::kNearest, StretchFilter::kLinear}) {
    const TurnedLayer t = RotateByAngle(src, {0, 0, 7, 6}, 0, f);
    ASSERT_EQ(t.bitmap.width(), 7);
    ASSERT_EQ(t.bitmap.height(), 6);
    for (int y = 0; y < 6; ++y) {
      for (int x = 0; x < 7; ++x) {
        const bool rim = x < 2 || x > 4 || y < 2 || y > 3;
        const Color32 got = t.bitmap.Pixel(x, y), was = src.Pixel(x, y);
        EXPECT_EQ(got & 0x00FFFFFF, was & 0x00FFFFFF) << x << "," << y << " colour kept";
        EXPECT_EQ(AlphaOf(got), rim ? 0u : AlphaOf(was)) << x << "," << y;
      }
    }
    EXPECT_EQ(t.bitmap.stretch_filter(), f);
    EXPECT_EQ(t.bitmap.master_alpha(), 128) << "opacity stays a setting";
    EXPECT_EQ(t.bitmap.draw_mode(), DrawMode::kBlend);
  }
}

TEST(FreeRotation, ByNinetyNearestMatchesTheQuarterTurnInside) {
  const Bitmap32 src = NoiseBitmap(9, 6, 77);
  const TurnedLayer t = RotateByAngle(src, {0, 0, 9, 6}, 90, StretchFilter::kNearest);
  const Bitmap32 quarter = Rotated90(src, TurnDirection::kClockwise);
  ASSERT_EQ(t.bitmap.width(), 6);
  ASSERT_EQ(t.bitmap.height(), 9);
  for (int y = 2; y < 7; ++y)
    for (int x = 2; x < 4; ++x)
      EXPECT_EQ(t.bitmap.Pixel(x, y), quarter.Pixel(x, y)) << x << "," << y;
}

TEST(FreeRotation, FortyFiveDegreesLeavesTheCornersTransparentAndTheMiddleWhole) {
  const TurnedLayer t =
      RotateByAngle(Bitmap32(40, 40, 0xFF3366CC), {0, 0, 40, 40}, 45, StretchFilter::kLinear);
  const int n = t.bitmap.width();  // 57
  ASSERT_EQ(n, 57);
  for (int corner : {0, n - 1}) {
    EXPECT_EQ(AlphaOf(t.bitmap.Pixel(corner, 0)), 0u);
    EXPECT_EQ(AlphaOf(t.bitmap.Pixel(corner, n - 1)), 0u);
  }
  EXPECT_EQ(t.bitmap.Pixel(n / 2, n / 2), 0xFF3366CCu);
  // Along a row through the middle the alpha rises smoothly from the fading rim.
  int partial = 0;
  for (int x = 0; x < n; ++x) {
    const uint32_t a = AlphaOf(t.bitmap.Pixel(x, n / 2));
    partial += a > 0 && a < 255;
  }
  EXPECT_GE(partial, 2);
}

TEST(FreeRotation, LayersLessThanFivePixelsAcrossAreAllRim) {
  for (const auto& [w, h] : {std::pair{1, 1}, std::pair{4, 9}, std::pair{9, 3}}) {
    const TurnedLayer t = RotateByAngle(Bitmap32(w, h, 0xFFFFFFFF), {0, 0, float(w), float(h)}, 0,
                                        StretchFilter::kLinear);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) EXPECT_EQ(AlphaOf(t.bitmap.Pixel(x, y)), 0u) << w << "x" << h;
  }
}

TEST(FreeRotation, SelectedLayerTakesTheTurnAndTheChosenFilter) {
  LayerCard card(Bitmap32(100, 50, 0xFF808080), {3, 4, 103, 54});
  card.layer->MutableBitmap().set_stretch_filter(StretchFilter::kLinear);
  TurnSelectedLayer(card.doc, 90, false);
  EXPECT_EQ(card.layer->bitmap().width(), 50);
  EXPECT_EQ(card.layer->bitmap().height(), 100);
  EXPECT_EQ(card.layer->bitmap().stretch_filter(), StretchFilter::kNearest);
  EXPECT_EQ(card.doc.selected_layer(), card.layer);
}

class ResizeImageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    doc.NewCanvas(800, 600, 0xFFFFFFFF);
    layer = &doc.AppendBitmapLayer(Bitmap32(20, 10, 0xFF0000FF), {100, 100, 300, 200});
    frame = &doc.CreateFrameLayer({0, 0}, FrameTag::kSelection);
    frame->set_location({101, 33, 303, 201});
  }
  CardDocument doc;
  BitmapLayer* layer = nullptr;
  FrameLayer* frame = nullptr;
};

TEST_F(ResizeImageTest, HalfSizeScalesEveryLocationRoundingHalvesToEven) {
  ResizeImage(doc, 400, 300, StretchFilter::kNearest);
  EXPECT_EQ(doc.base_image().width(), 400);
  EXPECT_EQ(doc.base_image().height(), 300);
  EXPECT_EQ(layer->location(), (Location{50, 50, 150, 100}));
  // 50.5, 16.5, 151.5, 100.5
  EXPECT_EQ(frame->location(), (Location{50, 16, 152, 100}));
  EXPECT_EQ(layer->bitmap().width(), 20) << "layer pixels are not resampled";
  EXPECT_EQ(doc.undo_slot().kind, UndoKind::kSize);

  Undo(doc);
  EXPECT_EQ(doc.base_image().width(), 800);
  EXPECT_EQ(layer->location(), (Location{100, 100, 300, 200}));
}

TEST_F(ResizeImageTest, UnchangedSizeStillRecordsTheStep) {
  doc.set_modified_mark(kMarkUnchanged);
  ResizeImage(doc, 800, 600, StretchFilter::kSpline);
  EXPECT_EQ(doc.undo_slot().kind, UndoKind::kSize);
  EXPECT_EQ(layer->location(), (Location{100, 100, 300, 200}));
  EXPECT_EQ(doc.modified_mark(), kMarkChanged);
}

TEST_F(ResizeImageTest, RefusesAnEmptySizeBeforeAnythingChanges) {
  EXPECT_THROW(ResizeImage(doc, 0, 300, StretchFilter::kNearest), Error);
  EXPECT_TRUE(doc.undo_slot().empty());
  EXPECT_EQ(doc.base_image().width(), 800);
}

TEST(ResizeMethods, EachEntryResamplesWithItsFilter) {
  // Two pixels, grey 0 and grey 200, halved: the nearest pixel to the centre (x = 1), or the
  // mean of both.
  const struct {
    std::string_view id, text;
    uint32_t level;
  } cases[] = {{"nearest", "Nearest", 200},
               {"bilinear", "Bilinear (Optimal)", 100},
               {"spline", "Spline", 100}};
  ASSERT_EQ(ResampleMethods().size(), 3u);
  for (size_t i = 0; i < 3; ++i) {
    const ResampleMethod* m = FindResampleMethod(cases[i].id);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m, &ResampleMethods()[i]) << "list order";
    EXPECT_EQ(m->text, cases[i].text);
    CardDocument doc;
    doc.NewCanvas(2, 1, 0xFF000000);
    doc.MutableBaseImage().SetPixel(1, 0, 0xFFC8C8C8);
    ResizeImage(doc, 1, 1, m->filter);
    EXPECT_NEAR(double(BlueOf(doc.base_image().Pixel(0, 0))), double(cases[i].level), 1.0)
        << cases[i].id;
  }
  EXPECT_EQ(FindResampleMethod("cubic"), nullptr);
}

TEST(BackgroundToLayerTest, MovesThePictureIntoAnOpaqueSelectedLayer) {
  CardDocument doc;
  doc.NewCanvas(3, 2, 0xFF102030);
  doc.MutableBaseImage().SetPixel(1, 1, 0x40AABBCC);
  FrameLayer& frame = doc.CreateFrameLayer({1, 1}, FrameTag::kCrop);
  doc.SelectLayer(&frame);
  BitmapLayer& layer = BackgroundToLayer(doc);
  EXPECT_EQ(doc.LayerCount(), 1) << "the crop frame is dropped";
  EXPECT_EQ(doc.selected_layer(), &layer);
  EXPECT_EQ(layer.location(), (Location{0, 0, 3, 2}));
  EXPECT_EQ(layer.bitmap().draw_mode(), DrawMode::kBlend);
  EXPECT_EQ(layer.bitmap().Pixel(1, 1), 0xFFAABBCCu);
  EXPECT_EQ(layer.bitmap().Pixel(0, 0), 0xFF102030u);
  const Bitmap32& base = doc.base_image();
  EXPECT_EQ(base.width(), 3);
  EXPECT_EQ(base.draw_mode(), DrawMode::kOpaque);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(base.Pixel(x, y), 0x00FFFFFFu);
  EXPECT_TRUE(doc.undo_slot().empty());
}

}  // namespace
}  // namespace velmora
