#include <gtest/gtest.h>

#include "effects/GeometrySteps.h"
#include "graphics/Error.h"

namespace velmora {
namespace {

// 4 x 2, every pixel different: 0xFF0000<x><y>.
Bitmap32 Small() {
  Bitmap32 b(4, 2);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 4; ++x) b.SetPixel(x, y, 0xFF000000u | uint32_t(x << 4 | y));
  return b;
}

Bitmap32 RunStep(const std::string& step, const Bitmap32& in) {
  const auto parsed = ParseGeometryStep(step);
  if (!parsed) throw std::logic_error("not a geometry step: " + step);
  return (*parsed)(in);
}

TEST(GeometrySteps, TurnsAndFlipsMoveThePixels) {
  const Bitmap32 in = Small();
  const struct {
    const char* step;
    int w, h;
    int x, y;  // where source pixel (0, 0) ends
  } cases[] = {{"rotate-cw", 2, 4, 1, 0},
               {"rotate-ccw", 2, 4, 0, 3},
               {"flip-vertical", 4, 2, 0, 1},
               {"flip-horizontal", 4, 2, 3, 0}};
  for (const auto& c : cases) {
    const Bitmap32 out = RunStep(c.step, in);
    ASSERT_EQ(out.width(), c.w) << c.step;
    ASSERT_EQ(out.height(), c.h) << c.step;
    EXPECT_EQ(out.Pixel(c.x, c.y), 0xFF000000u) << c.step;
  }
}

TEST(GeometrySteps, RotateResizeAndPerspectiveTakeTheirValues) {
  const Bitmap32 photo(100, 50, 0xFF336699);
  const struct {
    const char* step;
    int w, h;
  } cases[] = {{"rotate=90", 50, 100},
               {"rotate=-45,nearest", 106, 106},
               {"rotate=0,bilinear", 100, 50},
               {"resize=40x30,spline", 40, 30},
               {"resize=1x1,nearest", 1, 1},
               {"perspective=0,0,100,10,90,50,10,40", 100, 50},
               {"perspective=10,10,60,10,60,30,10,30", 50, 20}};
  for (const auto& c : cases) {
    const Bitmap32 out = RunStep(c.step, photo);
    EXPECT_EQ(out.width(), c.w) << c.step;
    EXPECT_EQ(out.height(), c.h) << c.step;
  }
  // The free rotation's rim fades out; the perspective is transparent where it does not reach.
  EXPECT_EQ(AlphaOf(RunStep("rotate=0", photo).Pixel(1, 25)), 0u);
  EXPECT_EQ(RunStep("rotate=0", photo).Pixel(50, 25), 0xFF336699u);
  const Bitmap32 keystone = RunStep("perspective=0,0,100,10,90,50,10,40", photo);
  EXPECT_EQ(keystone.Pixel(98, 2), 0x00FFFFFFu);
  EXPECT_EQ(keystone.Pixel(50, 25), 0xFF336699u);
  // A step that reads well but makes a picture beyond the limits fails when it runs.
  EXPECT_THROW(RunStep("perspective=0,0,1000000,0,1000000,1000000,0,1000000", photo), Error);
  // resize halves with the chosen filter: nearest takes the pixel under the centre.
  const Bitmap32 half = RunStep("resize=2x1,nearest", Small());
  EXPECT_EQ(half.Pixel(0, 0), 0xFF000011u);
  EXPECT_EQ(half.Pixel(1, 0), 0xFF000031u);
}

TEST(GeometrySteps, OtherIdsAreLeftToTheCaller) {
  for (const char* text : {"grayscale", "brightness=10", "rotate-cw2", "ROTATE=5", "", "=5"}) {
    EXPECT_FALSE(ParseGeometryStep(text).has_value()) << text;
  }
}

TEST(GeometrySteps, BadValuesAreNamed) {
  for (const char* text :
       {"rotate-cw=1", "flip-vertical=", "rotate", "rotate=", "rotate=abc", "rotate=361",
        "rotate=5,cubic", "rotate=5,nearest,x", "resize=10x10", "resize=10x10,lanczos",
        "resize=0x10,nearest", "resize=10x32001,nearest", "resize=10,nearest", "resize=axb,spline",
        "perspective=1,2,3", "perspective=0,0,10,0,10,10,0,10,5", "perspective=0,0,0,0,0,0,0,0",
        "perspective=0,0,9999999,0,10,10,0,10"}) {
    try {
      ParseGeometryStep(text);
      ADD_FAILURE() << "accepted " << text;
    } catch (const Error& e) {
      const std::string m = e.what();
      EXPECT_EQ(m.rfind("bad value in step '" + std::string(text) + "': expected ", 0), 0u) << m;
    }
  }
}

TEST(GeometrySteps, UsageNamesEveryStep) {
  const auto lines = GeometryStepUsage();
  ASSERT_EQ(lines.size(), 7u);
  for (const char* id : {"rotate-cw", "rotate-ccw", "flip-vertical", "flip-horizontal",
                         "rotate=", "resize=", "perspective="}) {
    bool found = false;
    for (const auto& l : lines) found = found || l.rfind(id, 0) == 0;
    EXPECT_TRUE(found) << id;
  }
}

}  // namespace
}  // namespace velmora
