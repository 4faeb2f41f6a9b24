#include <gtest/gtest.h>

#include <filesystem>

#include "files/CardFiles.h"
#include "graphics/Error.h"
#include "imageio/PictureIO.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

TEST(CardFiles, NameRules) {
  const struct {
    std::string name;
    std::string extension;
    std::optional<CardFileKind> save_kind;
    bool offered_after_opening;
    bool project;
  } cases[] = {
      {"/home/a/photo.JPG", ".JPG", CardFileKind::kJpeg, true, false},
      {"/home/a/photo.Jpg", ".Jpg", std::nullopt, false, false},
      {"/home/a/photo.png", ".png", CardFileKind::kPng, false, false},
      {"/home/a/card.vlm", ".vlm", CardFileKind::kProject, true, true},
      {"/home/a/card.VLM", ".VLM", CardFileKind::kProject, true, true},
      {"/home/a/card.Vlm", ".Vlm", std::nullopt, false, true},
      {"/home/a/scan.tif", ".tif", CardFileKind::kTiff, false, false},
      {"/home/a.b/noext", "", std::nullopt, false, false},
      {"/home/a/anim.GIF", ".GIF", CardFileKind::kGif, true, false},
      {"/home/a/pic.jpeg", ".jpeg", CardFileKind::kJpeg, true, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ExtensionOf(c.name), c.extension) << c.name;
    EXPECT_EQ(SaveKindOf(c.name), c.save_kind) << c.name;
    EXPECT_EQ(SaveOfferedAfterOpening(c.name), c.offered_after_opening) << c.name;
    EXPECT_EQ(IsProjectName(c.name), c.project) << c.name;
  }
  // The extension is appended only when the typed name does not already end with it.
  EXPECT_EQ(NameWithExtension("card", ".vlm"), "card.vlm");
  EXPECT_EQ(NameWithExtension("card.vlm", ".vlm"), "card.vlm");
  EXPECT_EQ(NameWithExtension("card.VLM", ".vlm"), "card.VLM");
  EXPECT_EQ(NameWithExtension("card.png", ".vlm"), "card.png.vlm");
  EXPECT_EQ(SaveFilters().size(), 6u);
  EXPECT_EQ(SaveFilterOf(CardFileKind::kGif).index, 4);
}

class CardFilesOnDisk : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("velmora_cardfiles_" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }
  std::string File(const char* name) const { return (dir / name).string(); }
  fs::path dir;
};

TEST_F(CardFilesOnDisk, TransparencySurvivesBmpButNotJpegPngTiff) {
  CardDocument doc;
  doc.NewCanvas(8, 8, 0xFFFFFFFF);
  doc.MutableBaseImage().FillRect({0, 0, 4, 8}, 0x00FFFFFF);  // a cut-out area
  SaveOptions options;
  for (auto [name, kind] :
       {std::pair{"c.bmp", CardFileKind::kBmp}, std::pair{"c.jpg", CardFileKind::kJpeg},
        std::pair{"c.png", CardFileKind::kPng}, std::pair{"c.tif", CardFileKind::kTiff}}) {
    WriteCard(doc, File(name), kind, options);
    CardDocument back;
    OpenCardFile(back, File(name));
    const uint32_t alpha = AlphaOf(back.base_image().Pixel(1, 1));
    EXPECT_EQ(alpha, kind == CardFileKind::kBmp ? 0u : 255u) << name;
  }
}

TEST_F(CardFilesOnDisk, UnreadableFileLeavesTheCard) {
  CardDocument doc;
  doc.NewCanvas(3, 3, 0xFF102030);
  for (const char* name : {"missing.png", "missing.vlm"}) {
    EXPECT_THROW(OpenCardFile(doc, File(name)), Error) << name;
    EXPECT_EQ(doc.base_image().Pixel(0, 0), 0xFF102030u) << name;
  }
  // A project saved and opened again through the same path.
  doc.AppendBitmapLayer(Bitmap32(2, 2, 0xFF00FF00), {0, 0, 2, 2});
  WriteCard(doc, File("card.vlm"), CardFileKind::kProject, {});
  CardDocument back;
  OpenCardFile(back, File("card.vlm"));
  EXPECT_EQ(back.LayerCount(), 1);
  // A project named in mixed case still opens as a project, not as its first picture.
  fs::copy_file(File("card.vlm"), File("card.Vlm"));
  CardDocument mixed;
  OpenCardFile(mixed, File("card.Vlm"));
  EXPECT_EQ(mixed.LayerCount(), 1);
  EXPECT_EQ(mixed.base_image().width(), 3);
}

}  // namespace
}  // namespace velmora
