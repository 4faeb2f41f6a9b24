#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cards/NewProjectSize.h"

namespace velmora {

void PrintTo(const PixelSize& p, std::ostream* os) { *os << p.width << " x " << p.height; }
void PrintTo(const PageRect& r, std::ostream* os) {
  *os << r.width << " x " << r.height << " at (" << r.left << ", " << r.top << ")";
}

namespace {

struct Fields {
  int width, height;
  bool operator==(const Fields&) const = default;
};
Fields FieldsOf(const NewProjectSize& s) { return {s.width_field(), s.height_field()}; }
void PrintTo(const Fields& f, std::ostream* os) { *os << f.width << " x " << f.height; }
TEST(PageTemplatesTest, ListTextsInOrder) {
  std::vector<std::string> texts;
  for (const PageTemplate& t : PageTemplates()) texts.emplace_back(t.text);
  EXPECT_EQ(texts,
            (std::vector<std::string>{"Custom", "A4", "A3", "Letter", "Photo 2 x 3", "Photo 4 x 6",
                                      "Photo 5 x 7", "640 x 480", "800 x 600", "720 x 576 (PAL DV)",
                                      "720 x 480 (NTSC DV)", "1024 x 768"}));
  EXPECT_EQ(FindPageTemplate("nonsense"), nullptr);
}

TEST(PageTemplatesTest, PixelSizesAndUnits) {
  struct Case {
    const char* id;
    int dpi;
    PixelSize expected;
    SizeUnit unit;
  };
  const PixelSize current{123, 456};
  // Worked by hand: round(dpi x mm / 25.4) and round(dpi x inches), halves to even.
  const std::vector<Case> cases = {
      {"custom", 300, current, SizeUnit::kInches},
      {"a4", 72, {842, 595}, SizeUnit::kInches},     // 841.89, 595.28
      {"a4", 300, {3508, 2480}, SizeUnit::kInches},  // 3507.87, 2480.31
      {"a3", 72, {1191, 842}, SizeUnit::kInches},    // 1190.55, 841.89
      {"letter", 300, {3300, 2550}, SizeUnit::kInches},
      {"letter", 73, {803, 620}, SizeUnit::kInches},  // 620.5 rounds to even
      {"photo-2x3", 72, {216, 144}, SizeUnit::kInches},
      {"photo-4x6", 72, {432, 288}, SizeUnit::kInches},
      {"photo-5x7", 100, {700, 500}, SizeUnit::kInches},
      {"640x480", 300, {640, 480}, SizeUnit::kPixels},
      {"800x600", 72, {800, 600}, SizeUnit::kPixels},
      {"pal-dv", 72, {720, 576}, SizeUnit::kPixels},
      {"ntsc-dv", 72, {720, 480}, SizeUnit::kPixels},
      {"1024x768", 1600, {1024, 768}, SizeUnit::kPixels},
  };
  for (const Case& c : cases) {
    const PageTemplate* page = FindPageTemplate(c.id);
    ASSERT_NE(page, nullptr) << c.id;
    EXPECT_EQ(TemplatePixels(*page, c.dpi, current), c.expected) << c.id << " at " << c.dpi;
    EXPECT_EQ(page->unit, c.unit) << c.id;
  }
}

TEST(SizeInKilobytesTest, RoundsHalvesToEvenIn64Bits) {
  EXPECT_EQ(SizeInKilobytes(800, 600), 1875);
  EXPECT_EQ(SizeInKilobytes(1, 128), 0);  // 0.5
  EXPECT_EQ(SizeInKilobytes(3, 128), 2);  // 1.5
  EXPECT_EQ(SizeInKilobytes(1, 129), 1);  // 0.504
  EXPECT_EQ(SizeInKilobytes(32000, 32000), 4000000);
}

TEST(PagePreviewRectTest, FollowsThePageRatio) {
  struct Case {
    int width, height;
    PageRect expected;
  };
  const std::vector<Case> cases = {
      {500, 500, {360, 32, 257, 257}}, {300, 600, {421, 27, 135, 270}},
      {800, 600, {360, 64, 257, 193}},  // 192.75; (305 - 193) / 2 = 56
      {12, 8, {360, 75, 257, 171}},     // inches count by their ratio alone
      {257, 256, {360, 32, 257, 256}},  // (305 - 256) / 2 = 24.5 rounds to 24
      {95, 100, {360, 25, 257, 271}},   // 0.95 is still wide: 270.53
      {94, 100, {362, 27, 254, 270}},   // 253.8; (289 - 254) / 2 = 17.5 rounds to 18
      {32000, 1, {360, 160, 257, 0}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PagePreviewRect(c.width, c.height), c.expected) << c.width << " x " << c.height;
  }
}

TEST(NewProjectSizeTest, StartsAt800By600Landscape) {
  const NewProjectSize s;
  EXPECT_EQ(s.template_id(), "custom");
  EXPECT_EQ(s.unit(), SizeUnit::kPixels);
  EXPECT_EQ(FieldsOf(s), (Fields{800, 600}));
  EXPECT_EQ(s.resolution(), 72);
  EXPECT_EQ(s.project_size(), (PixelSize{800, 600}));
  EXPECT_EQ(s.orientation(), Orientation::kLandscape);
  EXPECT_EQ(s.size_kb(), 1875);
  EXPECT_FALSE(s.recompute_pending());
}

TEST(NewProjectSizeTest, A4At72DpiThenPortrait) {
  NewProjectSize s;
  s.ChooseTemplate("a4");
  EXPECT_EQ(s.unit(), SizeUnit::kInches);
  EXPECT_EQ(FieldsOf(s), (Fields{12, 8}));
  EXPECT_EQ(s.size_kb(), 1944);  // the fields' 864 x 576
  EXPECT_TRUE(s.recompute_pending());
  EXPECT_EQ(s.project_size(), (PixelSize{842, 595}));  // until the timer fires
  s.Recompute();
  EXPECT_EQ(s.project_size(), (PixelSize{864, 576}));
  EXPECT_EQ(s.orientation(), Orientation::kLandscape);

  s.ChooseOrientation(Orientation::kPortrait);
  EXPECT_EQ(FieldsOf(s), (Fields{8, 12}));
  EXPECT_TRUE(s.recompute_pending());
  s.Recompute();
  EXPECT_EQ(s.project_size(), (PixelSize{576, 864}));
  EXPECT_EQ(s.orientation(), Orientation::kPortrait);
}

TEST(NewProjectSizeTest, LetterAt300DpiRoundsTheInches) {
  NewProjectSize s;
  s.EditResolution(300);
  s.ChooseTemplate("letter");
  EXPECT_EQ(s.project_size(), (PixelSize{3300, 2550}));
  EXPECT_EQ(FieldsOf(s), (Fields{11, 8}));  // 8.5 rounds to even
  s.Recompute();
  EXPECT_EQ(s.project_size(), (PixelSize{3300, 2400}));
}

TEST(NewProjectSizeTest, PixelTemplate) {
  NewProjectSize s;
  s.ChooseTemplate("a4");
  s.Recompute();
  s.ChooseTemplate("640x480");
  EXPECT_EQ(s.unit(), SizeUnit::kPixels);
  EXPECT_EQ(FieldsOf(s), (Fields{640, 480}));
  EXPECT_EQ(s.size_kb(), 1200);
  s.Recompute();
  EXPECT_EQ(s.project_size(), (PixelSize{640, 480}));
}

TEST(NewProjectSizeTest, ResolutionRecomputesAtOnce) {
  NewProjectSize s;
  s.ChooseTemplate("a4");
  s.Recompute();
  ASSERT_EQ(FieldsOf(s), (Fields{12, 8}));
  s.EditWidth(12);  // an armed recompute is overtaken by the resolution edit
  s.EditResolution(300);
  EXPECT_FALSE(s.recompute_pending());
  EXPECT_EQ(s.project_size(), (PixelSize{3600, 2400}));
  EXPECT_EQ(s.size_kb(), 33750);  // 3600 x 2400 x 4 / 1024
}

TEST(NewProjectSizeTest, UnitChangeShowsTheSizeInThatUnit) {
  NewProjectSize s;
  s.ChooseUnit(SizeUnit::kInches);
  EXPECT_EQ(FieldsOf(s), (Fields{11, 8}));  // 11.11 and 8.33 inches at 72 dpi
  s.Recompute();
  EXPECT_EQ(s.project_size(), (PixelSize{792, 576}));
  s.ChooseUnit(SizeUnit::kPixels);
  EXPECT_EQ(FieldsOf(s), (Fields{792, 576}));
}

TEST(NewProjectSizeTest, SquarePageKeepsTheOrientation) {
  NewProjectSize s;
  s.EditWidth(500);
  s.EditHeight(500);
  EXPECT_EQ(s.preview(), (PageRect{360, 32, 257, 257}));
  s.Recompute();
  EXPECT_EQ(s.orientation(), Orientation::kLandscape);
  s.ChooseOrientation(Orientation::kPortrait);  // checked, but nothing to swap
  EXPECT_EQ(FieldsOf(s), (Fields{500, 500}));
  EXPECT_FALSE(s.recompute_pending());
  s.Recompute();
  EXPECT_EQ(s.orientation(), Orientation::kPortrait);
}

TEST(NewProjectSizeTest, OrientationSwapReadsThePixelSizeBeforeTheEdit) {
  NewProjectSize s;
  s.EditWidth(300);  // fields 300 x 600, the pixel size still 800 x 600
  EXPECT_EQ(s.preview(), (PageRect{421, 27, 135, 270}));
  s.ChooseOrientation(Orientation::kPortrait);
  EXPECT_EQ(FieldsOf(s), (Fields{600, 800}));
  s.Recompute();
  EXPECT_EQ(s.project_size(), (PixelSize{600, 800}));
  EXPECT_EQ(s.orientation(), Orientation::kPortrait);
}

TEST(NewProjectSizeTest, CreateTakesTheSizeTheFieldsShow) {
  NewProjectSize s;
  s.EditWidth(1000);
  EXPECT_EQ(s.project_size(), (PixelSize{800, 600}));
  s.FinishPendingRecompute();
  EXPECT_EQ(s.project_size(), (PixelSize{1000, 600}));
  EXPECT_FALSE(s.recompute_pending());
}

TEST(NewProjectSizeTest, FieldsAndResolutionStayInRange) {
  NewProjectSize s;
  s.ChooseTemplate("640x480");
  s.Recompute();
  s.EditResolution(1600);
  s.ChooseUnit(SizeUnit::kInches);  // 0.4 and 0.3 inches would round to 0
  EXPECT_EQ(FieldsOf(s), (Fields{1, 1}));
  s.EditWidth(40000);
  s.EditHeight(24000);
  EXPECT_EQ(FieldsOf(s), (Fields{32000, 24000}));
  // 51200000 x 38400000 pixels: beyond 32 bits long before the kilobytes.
  EXPECT_EQ(s.size_kb(), 7680000000000);
  s.EditResolution(0);
  EXPECT_EQ(s.resolution(), 1);
  s.EditResolution(5000);
  EXPECT_EQ(s.resolution(), 1600);
  s.EditWidth(-3);
  EXPECT_EQ(s.width_field(), 1);

  s.ChooseTemplate("no-such-template");
  EXPECT_EQ(s.template_id(), "640x480");
}

}  // namespace
}  // namespace velmora
