// Runs the built velmora-tool as a user or the desktop would, and checks its output, its files
// and its exit codes.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "document/CardDocument.h"
#include "files/ProjectFile.h"
#include "imageio/PictureIO.h"

#ifndef VELMORA_TOOL
#error "VELMORA_TOOL must name the velmora-tool executable"
#endif

namespace velmora {
namespace {

namespace fs = std::filesystem;

constexpr Color32 kBase = 0xFF204060;
constexpr Color32 kHole = 0x00FFFFFF;  // a transparent pixel of the base image, at (3, 1)
constexpr Color32 kRed = 0xFFFF0000;
constexpr Color32 kBlue = 0xFF0000FF;
// kBlue at opacity 128 over kBase: a' = (255 x 128 + 127) div 255 = 128, and each byte becomes
// floor((256 old + (src - old) 128 + 128) / 256): red 32 -> 16, green 64 -> 32, blue 96 -> 176.
constexpr Color32 kBlueOverBase = 0xFF1020B0;

struct ToolRun {
  int code = -1;
  std::string out, err;
};

std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class VelmoraTool : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("velmora_tool_" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_ / "work");
  }
  void TearDown() override { fs::remove_all(dir_); }

  // A file in the folder the tool writes to; its own output goes elsewhere.
  std::string File(const std::string& name) const { return (dir_ / "work" / name).string(); }

  ToolRun Run(const std::vector<std::string>& arguments) const {
    std::string command = std::string("'") + VELMORA_TOOL + "'";
    for (const std::string& a : arguments) command += " '" + a + "'";
    const fs::path out = dir_ / "stdout", err = dir_ / "stderr";
    command += " >'" + out.string() + "' 2>'" + err.string() + "'";
    const int status = std::system(command.c_str());
    ToolRun run;
    run.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = ReadText(out);
    run.err = ReadText(err);
    return run;
  }

  // The 4 x 2 card: base kBase with kHole at (3, 1); a red pixel at (0, 0); a blue pixel at
  // (1, 0) at opacity 128; a 3 x 1 layer far off the card, cropped, not scaled, interpolated.
  std::string SaveCard(const std::string& name) const {
    CardDocument doc;
    doc.NewCanvas(4, 2, kBase);
    doc.MutableBaseImage().SetPixel(3, 1, kHole);
    BitmapLayer& red = doc.AppendBitmapLayer(Bitmap32(1, 1, kRed), {0, 0, 1, 1});
    red.MutableBitmap().set_stretch_filter(StretchFilter::kNearest);
    BitmapLayer& blue = doc.AppendBitmapLayer(Bitmap32(1, 1, kBlue), {1, 0, 2, 1});
    blue.MutableBitmap().set_master_alpha(128);
    blue.MutableBitmap().set_stretch_filter(StretchFilter::kNearest);
    BitmapLayer& far = doc.AppendBitmapLayer(Bitmap32(3, 1, kRed), {10.5f, 20, 310.5f, 220});
    far.MutableBitmap().set_master_alpha(200);
    far.MutableBitmap().set_stretch_filter(StretchFilter::kLinear);
    far.set_cropped(true);
    far.set_scaled(false);
    const std::string path = File(name);
    SaveProject(doc, path);
    return path;
  }

  // What the card above flattens to.
  static Bitmap32 Flattened() {
    Bitmap32 b(4, 2, kBase);
    b.SetPixel(3, 1, kHole);
    b.SetPixel(0, 0, kRed);
    b.SetPixel(1, 0, kBlueOverBase);
    return b;
  }

  static Bitmap32 Opaque(Bitmap32 b) {
    for (size_t i = 0; i < b.PixelCount(); ++i) b.Bits()[i] |= 0xFF000000u;
    return b;
  }

  fs::path dir_;
};

TEST_F(VelmoraTool, InfoDescribesEveryLayerAsStored) {
  const std::string card = SaveCard("card.vlm");
  const ToolRun text = Run({"info", card});
  EXPECT_EQ(text.code, 0) << text.err;
  EXPECT_EQ(text.out,
            "type: project\n"
            "size: 4 x 2\n"
            "layers: 3\n"
            "layer 1: bitmap 1 x 1, place 0 0 1 1, opacity 255, interpolated no, cropped no, "
            "scaled yes\n"
            "layer 2: bitmap 1 x 1, place 1 0 2 1, opacity 128, interpolated no, cropped no, "
            "scaled yes\n"
            "layer 3: bitmap 3 x 1, place 10.5 20 310.5 220, opacity 200, interpolated yes, "
            "cropped yes, scaled no\n");

  const ToolRun json = Run({"info", "--json", card});
  EXPECT_EQ(json.code, 0) << json.err;
  EXPECT_EQ(json.out,
            "{\"type\":\"project\",\"width\":4,\"height\":2,\"layers\":["
            "{\"kind\":\"bitmap\",\"pixel_width\":1,\"pixel_height\":1,\"left\":0,\"top\":0,"
            "\"right\":1,\"bottom\":1,\"opacity\":255,\"interpolated\":false,\"cropped\":false,"
            "\"scaled\":true},"
            "{\"kind\":\"bitmap\",\"pixel_width\":1,\"pixel_height\":1,\"left\":1,\"top\":0,"
            "\"right\":2,\"bottom\":1,\"opacity\":128,\"interpolated\":false,\"cropped\":false,"
            "\"scaled\":true},"
            "{\"kind\":\"bitmap\",\"pixel_width\":3,\"pixel_height\":1,\"left\":10.5,\"top\":20,"
            "\"right\":310.5,\"bottom\":220,\"opacity\":200,\"interpolated\":true,"
            "\"cropped\":true,\"scaled\":false}]}\n");

  // A picture is a card without layers; a project is one in any letter case of its extension.
  SavePicture(File("photo.png"), Bitmap32(5, 3, kBase));
  EXPECT_EQ(Run({"info", File("photo.png")}).out, "type: picture\nsize: 5 x 3\nlayers: 0\n");
  fs::copy_file(card, File("CARD.Vlm"));
  EXPECT_EQ(Run({"info", File("CARD.Vlm")}).out.substr(0, 36),
            "type: project\nsize: 4 x 2\nlayers: 3\n");
}

TEST_F(VelmoraTool, RenderWritesTheFlattenedCardInEachFormat) {
  const std::string card = SaveCard("card.vlm");
  const Bitmap32 flat = Flattened();
  const struct {
    const char* name;
    Bitmap32 expected;  // empty: lossy, only the size is compared
  } cases[] = {
      {"out.bmp", flat},  // keeps the card's alpha
      {"out.PNG", Opaque(flat)},  {"out.tif", Opaque(flat)},
      {"out.Tiff", Opaque(flat)}, {"out.gif", Opaque(flat)},  // few colours: kept exactly
      {"out.jpeg", {}},
  };
  for (const auto& c : cases) {
    const ToolRun run = Run({"render", card, File(c.name)});
    ASSERT_EQ(run.code, 0) << c.name << ": " << run.err;
    const Bitmap32 back = LoadPicture(File(c.name));
    EXPECT_EQ(back.width(), 4) << c.name;
    EXPECT_EQ(back.height(), 2) << c.name;
    if (!c.expected.empty()) {
      EXPECT_TRUE(SamePixels(back, c.expected)) << c.name;
    }
  }
  // The extension's letter case does not matter.
  EXPECT_EQ(ReadText(File("out.PNG")).substr(1, 3), "PNG");

  // ".vlm": a project of the flattened card, without layers, alpha kept.
  ASSERT_EQ(Run({"render", card, File("flat.VLM")}).code, 0);
  const ProjectContents project = ReadProject(File("flat.VLM"));
  EXPECT_TRUE(project.layers.empty());
  EXPECT_TRUE(SamePixels(project.base, flat));

  // A picture renders as itself.
  SavePicture(File("photo.png"), Bitmap32(5, 3, kBase));
  ASSERT_EQ(Run({"render", File("photo.png"), File("photo.bmp")}).code, 0);
  EXPECT_TRUE(SamePixels(LoadPicture(File("photo.bmp")), Bitmap32(5, 3, kBase)));
}

// The first quantisation value of the JPEG's first table (the DC step of luminance): 1 at
// quality 100, 16 at quality 50 (libjpeg's standard table unscaled), 3 at quality 90.
int FirstQuantisationStep(const std::string& jpeg) {
  const size_t dqt = jpeg.find("\xFF\xDB");
  if (dqt == std::string::npos || dqt + 5 >= jpeg.size()) return -1;
  return static_cast<unsigned char>(jpeg[dqt + 5]);
}

TEST_F(VelmoraTool, RenderJpegQualityDefaultsTo100) {
  const std::string card = SaveCard("card.vlm");
  const struct {
    std::vector<std::string> quality;
    int step;
  } cases[] = {{{}, 1}, {{"--quality", "50"}, 16}, {{"-q", "90"}, 3}, {{"--quality=100"}, 1}};
  for (const auto& c : cases) {
    std::vector<std::string> arguments = {"render", card, File("q.jpg")};
    arguments.insert(arguments.end(), c.quality.begin(), c.quality.end());
    ASSERT_EQ(Run(arguments).code, 0);
    EXPECT_EQ(FirstQuantisationStep(ReadText(File("q.jpg"))), c.step)
        << (c.quality.empty() ? "default" : c.quality.back());
  }
}

TEST_F(VelmoraTool, ThumbnailIsAPngOfTheLongestSideNeverEnlarged) {
  const std::string card = SaveCard("card.vlm");
  // Not enlarged: the flattened card itself, whatever the output's name, as an RGBA PNG (colour
  // type 6 in the header) so the transparent pixel stays transparent.
  ASSERT_EQ(Run({"thumbnail", "-s", "256", card, File("thumb.jpg")}).code, 0);
  const std::string png = ReadText(File("thumb.jpg"));
  EXPECT_EQ(png.substr(0, 4), "\x89PNG");
  EXPECT_EQ(png[25], 6);
  EXPECT_TRUE(SamePixels(LoadPicture(File("thumb.jpg")), Opaque(Flattened())));

  // Reduced: a 64 x 32 white card whose right half is covered by a green layer placed in card
  // pixels (and not zooming with the view, which the flattened card ignores). At 1/16 the smooth
  // filter weights the pixels within 16 of a thumbnail pixel's centre by 16 - distance: the
  // column centred at 24 takes green from source pixels 32..39, weights 7.5 down to 0.5 of the
  // 256 in all, 1/8, so red and blue are 255 x 7/8 = 223.1; the column at 40 is its mirror
  // (255 / 8 = 31.9); the outer columns see one colour only.
  CardDocument doc;
  doc.NewCanvas(64, 32, 0xFFFFFFFF);
  BitmapLayer& green = doc.AppendBitmapLayer(Bitmap32(8, 8, 0xFF00FF00), {32, 0, 64, 32});
  green.set_scaled(false);
  SaveProject(doc, File("big.vlm"));
  ASSERT_EQ(Run({"thumbnail", "--size", "4", File("big.vlm"), File("big.png")}).code, 0);
  const Bitmap32 thumb = LoadPicture(File("big.png"));
  ASSERT_EQ(thumb.width(), 4);
  ASSERT_EQ(thumb.height(), 2);
  const Color32 columns[] = {0xFFFFFFFF, 0xFFDFFFDF, 0xFF20FF20, 0xFF00FF00};
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 4; ++x) EXPECT_EQ(thumb.Pixel(x, y), columns[x]) << x << "," << y;
  }

  // The longest side is the height here.
  SavePicture(File("tall.png"), Bitmap32(30, 90, kBase));
  ASSERT_EQ(Run({"thumbnail", "-s", "9", File("tall.png"), File("tall-thumb.png")}).code, 0);
  const Bitmap32 tall = LoadPicture(File("tall-thumb.png"));
  EXPECT_EQ(tall.width(), 3);
  EXPECT_EQ(tall.height(), 9);
  EXPECT_EQ(tall.Pixel(1, 4), kBase);
}

// The desktop runs the Exec line of the installed thumbnailer entry with %s, %i and %o replaced.
TEST_F(VelmoraTool, ThumbnailerEntryRunsTheThumbnailCommand) {
  const std::string entry = ReadText(std::string(VELMORA_DATA_DIR) + "/velmora.thumbnailer");
  const size_t exec = entry.find("\nExec=velmora-tool ");
  ASSERT_NE(exec, std::string::npos) << entry;
  EXPECT_NE(entry.find("\nMimeType=application/x-velmora-project;"), std::string::npos);
  std::string line = entry.substr(exec + 19, entry.find('\n', exec + 1) - exec - 19);
  const std::pair<std::string, std::string> fields[] = {
      {"%s", "3"}, {"%i", SaveCard("card.vlm")}, {"%o", File("thumb")}};
  for (const auto& [field, value] : fields) {
    const size_t at = line.find(field);
    ASSERT_NE(at, std::string::npos) << field;
    line.replace(at, 2, value);
  }
  std::vector<std::string> arguments;
  for (size_t start = 0; start < line.size();) {
    const size_t end = std::min(line.find(' ', start), line.size());
    arguments.push_back(line.substr(start, end - start));
    start = end + 1;
  }
  ASSERT_EQ(Run(arguments).code, 0) << line;
  const Bitmap32 thumb = LoadPicture(File("thumb"));
  EXPECT_EQ(thumb.width(), 3);
  EXPECT_EQ(thumb.height(), 2);  // 4 x 2 at 3/4, rounded
}

// A damaged project: exit code 1, the reason on standard error, and no output file, nor any
// temporary file, nor a change to an output that was already there.
TEST_F(VelmoraTool, DamagedProjectFailsAndWritesNothing) {
  const std::string good = ReadText(SaveCard("good.vlm"));
  fs::remove(File("good.vlm"));
  const std::string bad = File("bad.vlm");
  std::ofstream(bad, std::ios::binary).write(good.data(), std::streamsize(good.size() - 7));
  std::ofstream(File("old.png"), std::ios::binary) << "old picture";

  const std::vector<std::string> commands[] = {
      {"info", bad},
      {"info", "--json", bad},
      {"render", bad, File("out.png")},
      {"render", bad, File("out.vlm")},
      {"render", bad, File("old.png")},
      {"thumbnail", "-s", "128", bad, File("thumb.png")},
      {"thumbnail", "-s", "128", bad, File("old.png")},
      {"render", File("missing.vlm"), File("out.png")},
  };
  for (const auto& command : commands) {
    const ToolRun run = Run(command);
    EXPECT_EQ(run.code, 1) << command[0] << " " << command.back();
    EXPECT_EQ(run.out, "") << command[0];
    EXPECT_NE(run.err.find("velmora-tool: "), std::string::npos) << run.err;
    std::vector<std::string> files;
    for (const auto& entry : fs::directory_iterator(dir_ / "work")) {
      files.push_back(entry.path().filename().string());
    }
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, (std::vector<std::string>{"bad.vlm", "old.png"})) << command.back();
  }
  EXPECT_EQ(ReadText(File("old.png")), "old picture");
  EXPECT_NE(Run({"info", bad}).err.find("bad.vlm: damaged project file"), std::string::npos);
}

TEST_F(VelmoraTool, BadUsageExitsWithTwoAndTheUsageLine) {
  const std::string card = SaveCard("card.vlm");
  const std::vector<std::string> cases[] = {
      {},
      {"frobnicate"},
      {"info"},
      {"info", card, card},
      {"info", "--bogus", card},
      {"info", "--json=yes", card},
      {"render", card},
      {"render", card, File("out.xyz")},
      {"render", card, File("noextension")},
      {"render", card, File("out.png"), "--quality", "50"},
      {"render", card, File("out.jpg"), "--quality", "0"},
      {"render", card, File("out.jpg"), "--quality", "101"},
      {"render", card, File("out.jpg"), "--quality", "9x"},
      {"render", card, File("out.jpg"), "--quality"},
      {"thumbnail", card, File("t.png")},
      {"thumbnail", "-s", "0", card, File("t.png")},
      {"thumbnail", "-s", "-5", card, File("t.png")},
      {"thumbnail", "-s", "big", card, File("t.png")},
      {"thumbnail", "-s", "64", card},
  };
  for (const auto& arguments : cases) {
    const ToolRun run = Run(arguments);
    std::string line;
    for (const auto& a : arguments) line += a + " ";
    EXPECT_EQ(run.code, 2) << line;
    EXPECT_NE(run.err.find("Usage: velmora-tool"), std::string::npos) << line << run.err;
    EXPECT_EQ(run.out, "") << line;
  }
  EXPECT_FALSE(fs::exists(File("out.png")));
  EXPECT_FALSE(fs::exists(File("t.png")));
}

TEST_F(VelmoraTool, HelpAndVersion) {
  const ToolRun help = Run({"--help"});
  EXPECT_EQ(help.code, 0);
  for (const char* command : {"info FILE", "render FILE OUT", "thumbnail -s SIZE INPUT OUTPUT"}) {
    EXPECT_NE(help.out.find(command), std::string::npos) << command;
  }
  // Each command's own help; info's documents every JSON key.
  const ToolRun info = Run({"info", "--help"});
  EXPECT_EQ(info.code, 0);
  for (const char* key :
       {"type", "width", "height", "layers", "kind", "pixel_width", "pixel_height",
        "left, top, right, bottom", "opacity", "interpolated", "cropped", "scaled"}) {
    EXPECT_NE(info.out.find(key), std::string::npos) << key;
  }
  EXPECT_EQ(Run({"thumbnail", "-h"}).code, 0);
  const ToolRun version = Run({"--version"});
  EXPECT_EQ(version.code, 0);
  EXPECT_EQ(version.out.rfind("velmora-tool ", 0), 0u);
}

}  // namespace
}  // namespace velmora
