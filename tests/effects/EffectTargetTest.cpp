// EffectTarget and the Process commands on a card: which bitmap they change, the pixels by hand,
// the alpha rule, the undo step, the effect browser's apply.

#include <gtest/gtest.h>

#include "EffectTestSupport.h"
#include "document/UndoRedo.h"
#include "effects/EffectTable.h"
#include "effects/EffectTarget.h"
#include "effects/EffectThumbnails.h"

namespace velmora::testing {
namespace {

constexpr Color32 Argb(uint32_t a, uint32_t r, uint32_t g, uint32_t b) {
  return MakeColor32(a, r, g, b);
}

// White, black, red and (10, 200, 255), each with its own alpha (opaque, half, almost none,
// none): the colours of the edge cases, on the soft edge of a layer.
Bitmap32 Fixture() {
  Bitmap32 b(4, 1);
  b.SetPixel(0, 0, Argb(255, 255, 255, 255));
  b.SetPixel(1, 0, Argb(128, 0, 0, 0));
  b.SetPixel(2, 0, Argb(1, 255, 0, 0));
  b.SetPixel(3, 0, Argb(0, 10, 200, 255));
  return b;
}

// The fixture's colours after a command, with the given alpha bytes.
Bitmap32 Expected(const uint32_t (&rgb)[4][3], const uint32_t (&alpha)[4]) {
  Bitmap32 b(4, 1);
  for (int x = 0; x < 4; ++x) b.SetPixel(x, 0, Argb(alpha[x], rgb[x][0], rgb[x][1], rgb[x][2]));
  return b;
}

struct CommandCase {
  const char* name;
  void (*run)(CardDocument& doc);
  uint32_t rgb[4][3];  // worked by hand from the routines' rules
};

// Grayscale: round(0.3 R + 0.59 G + 0.11 B): red 76.5 -> 76, (10, 200, 255) 149.05 -> 149.
// Sepia: s = (R + G + B) / 765 times (200, 191, 119), rounded, then C + (C 150) div 255: white
// (200, 191, 119) -> (255, 255, 189); red s = 1/3 -> (67, 64, 40) -> (106, 101, 63);
// (10, 200, 255) s = 465/765 -> (122, 116, 72) -> (193, 184, 114).
// Colorize (100, 50, 0): brightness 70 after the colour step: white (100, 50, 0) ->
// (100 + 27, 50 + 13, 0); red (33, 17, 0) -> (33 + 9, 17 + 4, 0); (10, 200, 255): s = 0.6078,
// (61, 30, 0) -> (61 + 16, 30 + 8, 0).
const CommandCase kCommands[] = {
    {"grayscale",
     [](CardDocument& d) { ApplyProcessEffect(d, ProcessEffect::kGrayscale); },
     {{255, 255, 255}, {0, 0, 0}, {76, 76, 76}, {149, 149, 149}}},
    {"invert",
     [](CardDocument& d) { ApplyProcessEffect(d, ProcessEffect::kInvert); },
     {{0, 0, 0}, {255, 255, 255}, {0, 255, 255}, {245, 55, 0}}},
    {"sepia",
     [](CardDocument& d) { SepiaTarget(d); },
     {{255, 255, 189}, {0, 0, 0}, {106, 101, 63}, {193, 184, 114}}},
    {"colorize",
     [](CardDocument& d) { ColorizeTarget(d, Argb(0, 100, 50, 0)); },
     {{127, 63, 0}, {0, 0, 0}, {42, 21, 0}, {77, 38, 0}}},
};

TEST(EffectTarget, IsTheSelectedBitmapLayerOrTheBaseImage) {
  CardDocument doc;
  EXPECT_FALSE(EffectTarget(doc)) << "no card";
  doc.NewCanvas(8, 6, 0xFFFFFFFF);
  EffectTargetRef target = EffectTarget(doc);
  EXPECT_EQ(target.bitmap, &doc.base_image());
  EXPECT_EQ(target.kind, TargetKind::kBaseImage);

  BitmapLayer& layer = doc.AppendBitmapLayer(Bitmap32(2, 2), {0, 0, 2, 2});
  doc.SelectLayer(&layer);
  target = EffectTarget(doc);
  EXPECT_EQ(target.bitmap, &layer.bitmap());
  EXPECT_EQ(target.kind, TargetKind::kLayer);
  EXPECT_EQ(EffectTargetPixels(doc), &layer.bitmap());

  doc.SelectLayer(&doc.CreateFrameLayer({4, 3}, FrameTag::kSelection));
  EXPECT_FALSE(EffectTarget(doc)) << "a frame has no pixels";
  EXPECT_EQ(EffectTargetPixels(doc), nullptr);
}

TEST(ProcessCommands, ChangeTheLayerColoursAndKeepItsAlphaExactly) {
  for (const CommandCase& c : kCommands) {
    CardDocument doc;
    doc.NewCanvas(8, 6, 0xFF808080);
    BitmapLayer& layer = doc.AppendBitmapLayer(Fixture(), {0, 0, 4, 1});
    doc.SelectLayer(&layer);
    c.run(doc);
    EXPECT_TRUE(SamePixels(layer.bitmap(), Expected(c.rgb, {255, 128, 1, 0}))) << c.name;
    EXPECT_TRUE(SamePixels(doc.base_image(), Bitmap32(8, 6, 0xFF808080))) << c.name;
    EXPECT_EQ(doc.modified_mark(), kMarkChanged) << c.name;

    // One undo step gives back every byte.
    Undo(doc);
    EXPECT_TRUE(SamePixels(layer.bitmap(), Fixture())) << c.name;
  }
}

TEST(ProcessCommands, LeaveTheBaseImageOpaque) {
  for (const CommandCase& c : kCommands) {
    CardDocument doc;
    doc.NewCanvas(4, 1, 0);
    doc.MutableBaseImage() = Fixture();
    c.run(doc);
    EXPECT_TRUE(SamePixels(doc.base_image(), Expected(c.rgb, {255, 255, 255, 255}))) << c.name;
  }
}

TEST(ProcessCommands, DoNothingWithoutATarget) {
  CardDocument doc;
  doc.NewCanvas(4, 1, 0xFFFFFFFF);
  BitmapLayer& layer = doc.AppendBitmapLayer(Fixture(), {0, 0, 4, 1});
  doc.SelectLayer(&doc.CreateFrameLayer({2, 1}, FrameTag::kCrop));
  doc.set_modified_mark(kMarkUnchanged);
  for (const CommandCase& c : kCommands) c.run(doc);
  EXPECT_TRUE(SamePixels(layer.bitmap(), Fixture()));
  EXPECT_FALSE(doc.CanUndo());
  EXPECT_EQ(doc.modified_mark(), kMarkUnchanged);
}

const EffectEntry& Entry(std::string_view id) {
  for (const EffectEntry& e : BrowserEffects()) {
    if (e.id == id) return e;
  }
  throw std::logic_error("no browser entry " + std::string(id));
}

TEST(BrowserApply, KeepsASoftEdgedLayersAlphaForEveryEntry) {
  for (const EffectEntry& entry : BrowserEffects()) {
    CardDocument doc;
    doc.NewCanvas(120, 100, 0xFFFFFFFF);
    const Bitmap32 pixels = NoiseBitmap(100, 90, 5);
    BitmapLayer& layer = doc.AppendBitmapLayer(pixels, {0, 0, 100, 90});
    doc.SelectLayer(&layer);
    Random random;
    ApplyBrowserEffect(doc, &entry, random);
    EXPECT_TRUE(SameAlpha(layer.bitmap(), pixels)) << entry.id;
    EXPECT_FALSE(SamePixels(layer.bitmap(), pixels)) << entry.id << " changed nothing";
    Undo(doc);
    EXPECT_TRUE(SamePixels(layer.bitmap(), pixels)) << entry.id;
  }
}

// Wave needs 3 a + 1 rows: a picture 81 rows high is too low for the card's amount 27 but not
// for the thumbnail's 7.
TEST(BrowserApply, WaveUsesAmount27OnTheCardAnd7OnItsPreview) {
  CardDocument doc;
  doc.NewCanvas(kThumbnailWidth, 81, 0);
  doc.MutableBaseImage() = NoiseBitmap(kThumbnailWidth, 81, 6);
  const Bitmap32 before = doc.base_image();
  Random random;
  const std::vector<Bitmap32> previews = BuildEffectThumbnails(before, random);
  const size_t wave = size_t(&Entry("wave") - BrowserEffects().data());
  Bitmap32 opaque = before;
  for (size_t i = 0; i < opaque.PixelCount(); ++i) opaque.Bits()[i] |= 0xFF000000u;
  EXPECT_FALSE(SamePixels(previews[wave], opaque)) << "amount 7 moves rows of 81";

  ApplyBrowserEffect(doc, &Entry("wave"), random);
  EXPECT_TRUE(SamePixels(doc.base_image(), opaque)) << "amount 27 leaves 81 rows (made opaque)";
}

TEST(BrowserApply, OkWithoutAnEntryRecordsTheUndoStepOnly) {
  CardDocument doc;
  doc.NewCanvas(4, 1, 0);
  doc.MutableBaseImage() = Fixture();
  doc.set_modified_mark(kMarkUnchanged);
  Random random;
  ApplyBrowserEffect(doc, nullptr, random);
  EXPECT_TRUE(SamePixels(doc.base_image(), Fixture()));
  EXPECT_TRUE(doc.CanUndo());
  EXPECT_EQ(doc.modified_mark(), kMarkUnchanged);
  EXPECT_EQ(random.seed(), 0u);
}

}  // namespace
}  // namespace velmora::testing
