// velmora-tool apply, run as a separate process on small pictures and projects whose results
// are worked out by hand.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "document/CardDocument.h"
#include "files/ProjectFile.h"
#include "imageio/PictureIO.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

constexpr Color32 kRed = 0xFFFF0000, kWhite = 0xFFFFFFFF, kBlack = 0xFF000000;

Bitmap32 Row(const std::vector<Color32>& pixels) {
  Bitmap32 b(int(pixels.size()), 1);
  for (int x = 0; x < b.width(); ++x) b.SetPixel(x, 0, pixels[size_t(x)]);
  return b;
}

class ToolApply : public ::testing::Test {
 protected:
  void SetUp() override { fs::create_directories(dir_); }
  void TearDown() override { fs::remove_all(dir_); }

  std::string File(const std::string& name) const { return (dir_ / name).string(); }

  // Runs `velmora-tool apply` with the words; returns the exit code, stderr in err_ (stdout in
  // out_).
  int Apply(const std::vector<std::string>& words) {
    std::string command = std::string("'") + VELMORA_TOOL + "' apply";
    for (const std::string& w : words) command += " '" + w + "'";
    command += " >'" + File("stdout") + "' 2>'" + File("stderr") + "'";
    const int status = std::system(command.c_str());
    out_ = Slurp(File("stdout"));
    err_ = Slurp(File("stderr"));
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  static std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  // The steps on `pixels` written as a BMP, read back from the BMP the tool wrote.
  Bitmap32 Applied(const Bitmap32& pixels, const std::vector<std::string>& steps) {
    SavePicture(File("in.bmp"), pixels);
    std::vector<std::string> words = {File("in.bmp"), File("out.bmp")};
    words.insert(words.end(), steps.begin(), steps.end());
    EXPECT_EQ(Apply(words), 0) << err_;
    return LoadPicture(File("out.bmp"));
  }

  const fs::path dir_ = fs::temp_directory_path() / ("velmora_apply_" + std::to_string(getpid()));
  std::string out_, err_;
};

TEST_F(ToolApply, StepsGiveTheValuesWorkedByHand) {
  const struct {
    std::vector<std::string> steps;
    std::vector<Color32> in, out;
  } cases[] = {
      // round(0.3 x 255) = 76 (76.5, halves to even).
      {{"grayscale"}, {kRed, kWhite}, {0xFF4C4C4C, kWhite}},
      // White: (200, 191, 119), then + C 150 div 255: 255, 255, 119 + 70. Black stays.
      {{"sepia"}, {kWhite, kBlack}, {0xFFFFFFBD, kBlack}},
      // The same hue with brightness 70: 200 + 54, 191 + 52, 119 + 32.
      {{"colorize=C8BF77"}, {kWhite}, {0xFFFEF397}},
      {{"brightness=-200"}, {kWhite, kBlack}, {0xFF373737, kBlack}},
      // 0 - (127 x -200) div 255 = 99; 255 + (128 x -200) div 255 = 155.
      {{"contrast=-200"}, {kBlack, kWhite}, {0xFF636363, 0xFF9B9B9B}},
      {{"balance-fast=50,0,0"}, {0xFFCD1020, 0xFF641020}, {0xFFFF1020, 0xFF961020}},
      // 100 + (100 x 100) div 255 = 139; 0 stays 0.
      {{"balance-quality=50,0,0"}, {0xFF641020, 0xFF001020}, {0xFF8B1020, 0xFF001020}},
      {{"invert", "invert"}, {0xFF0AC8FF, kRed}, {0xFF0AC8FF, kRed}},
      {{"invert"}, {0xFF0AC8FF}, {0xFFF53700}},
      // Steps run in order. 200: brightness 200 clamps at 255, contrast -200 then gives
      // 255 - 100 = 155; contrast first gives 200 - 57 = 143, brightness then 143 + 112 = 255.
      {{"brightness=200", "contrast=-200"}, {0xFFC8C8C8}, {0xFF9B9B9B}},
      {{"contrast=-200", "brightness=200"}, {0xFFC8C8C8}, {kWhite}},
  };
  for (const auto& c : cases) {
    const Bitmap32 out = Applied(Row(c.in), c.steps);
    EXPECT_TRUE(SamePixels(out, Row(c.out))) << c.steps[0] << " (" << c.steps.size() << " steps)";
  }
}

// Geometry steps mix with effect steps: a quarter turn clockwise puts the row's left pixel on
// top.
TEST_F(ToolApply, GeometryStepsTakeTheirPlaceInTheChain) {
  const Bitmap32 out = Applied(Row({kRed, kWhite}), {"rotate-cw", "grayscale"});
  ASSERT_EQ(out.width(), 1);
  ASSERT_EQ(out.height(), 2);
  EXPECT_EQ(out.Pixel(0, 0), 0xFF4C4C4Cu);
  EXPECT_EQ(out.Pixel(0, 1), kWhite);
}

// One generator from seed 0 for the whole chain: seed 1 gives Random(70) = 0, seed 134775814
// gives 2, so grey 128 moves by -35 and then by -33.
TEST_F(ToolApply, NoiseDrawsFromOneGeneratorStartingAtSeedZero) {
  uint32_t seed = 0;
  const auto random70 = [&seed] {
    seed = seed * 134775813u + 1u;
    return int((uint64_t(seed) * 70) >> 32);
  };
  const int first = random70() - 35, second = random70() - 35;
  const uint32_t grey = uint32_t(128 + first + second);
  const Bitmap32 out = Applied(Row({0xFF808080}), {"mono-noise=70", "mono-noise=70"});
  EXPECT_EQ(out.Pixel(0, 0), MakeColor32(255, grey, grey, grey));
  EXPECT_EQ(grey, 60u);
  EXPECT_TRUE(SamePixels(Applied(Row({0xFF808080}), {"mono-noise=70", "mono-noise=70"}), out))
      << "every run starts at seed 0";
}

// A project: the steps change its base image only; ".vlm" keeps the layers, any other extension
// writes the flattened card.
TEST_F(ToolApply, ProjectBaseImageChangesAndItsLayersStay) {
  CardDocument doc;
  doc.NewCanvas(2, 1, kWhite);
  doc.MutableBaseImage().SetPixel(0, 0, kRed);
  BitmapLayer& blue = doc.AppendBitmapLayer(Bitmap32(1, 1, 0xFF0000FF), {0, 0, 1, 1});
  blue.MutableBitmap().set_master_alpha(128);
  SaveProject(doc, File("card.vlm"));

  ASSERT_EQ(Apply({File("card.vlm"), File("out.VLM"), "grayscale"}), 0) << err_;
  const ProjectContents project = ReadProject(File("out.VLM"));
  EXPECT_TRUE(SamePixels(project.base, Row({0xFF4C4C4C, kWhite})));
  ASSERT_EQ(project.layers.size(), 1u);
  EXPECT_TRUE(SamePixels(project.layers[0].pixels, Bitmap32(1, 1, 0xFF0000FF)));
  EXPECT_EQ(project.layers[0].opacity, 128);

  // Blue at opacity 128 over grey 76: floor((256 x 76 + (src - 76) x 128 + 128) / 256) gives
  // 38 for red and green, 166 for blue.
  ASSERT_EQ(Apply({File("card.vlm"), File("flat.png"), "grayscale"}), 0) << err_;
  EXPECT_TRUE(SamePixels(LoadPicture(File("flat.png")), Row({0xFF2626A6, kWhite})));
}

TEST_F(ToolApply, BadStepsAndNamesAreReportedAndNothingIsWritten) {
  SavePicture(File("in.png"), Row({kRed}));
  const struct {
    std::vector<std::string> words;
    int code;
    const char* message;
  } cases[] = {
      {{File("in.png"), File("out.png"), "sharpen"}, 2, "unknown step 'sharpen'"},
      {{File("in.png"), File("out.png"), "grayscale", "blur=-1"}, 2, "bad value '-1'"},
      {{File("in.png"), File("out.png"), "brightness=300"}, 2, "bad value '300'"},
      {{File("in.png"), File("out.png"), "rotate=abc"}, 2, "rotate=abc"},
      {{File("in.png"), File("out.png")}, 2, "expected INPUT, OUTPUT and a STEP"},
      {{File("in.png"), File("out.xyz"), "invert"}, 2, "cannot tell the format"},
      {{File("missing.png"), File("out.png"), "invert"}, 1, "missing.png"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Apply(c.words), c.code) << c.message;
    EXPECT_NE(err_.find(c.message), std::string::npos) << err_;
    EXPECT_FALSE(fs::exists(File("out.png"))) << c.message;
  }
}

TEST_F(ToolApply, HelpListsEveryStep) {
  ASSERT_EQ(Apply({"--help"}), 0);
  for (const char* step :
       {"grayscale", "sepia", "colorize=RRGGBB", "brightness=AMOUNT", "contrast=AMOUNT",
        "balance-fast=RED,GREEN,BLUE", "balance-quality=", "color-noise=", "mono-noise=", "blur=",
        "spray=", "mosaic=", "wave=AMOUNT,INFERENCE,STYLE", "invert", "rotate-cw", "resize="}) {
    EXPECT_NE(out_.find(step), std::string::npos) << step;
  }
}

}  // namespace
}  // namespace velmora
