#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "app/SettingsFiles.h"
#include "graphics/Error.h"

namespace velmora {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;
using Names = std::vector<std::string>;

// ----- View.atp

struct ViewTextCase {
  const char* label;
  std::string text;
  std::optional<ViewBackground> expected;
};

const ViewBackground kChessOn{.chess = true};
ViewBackground Plain(WinColor c) { return {.chess = false, .colour = c}; }

TEST(ViewBackgroundTest, ParsesTheStoredForms) {
  const std::vector<ViewTextCase> cases = {
      {"chess", "CHESS", kChessOn},
      {"chess with a line break from an editor", "CHESS\r\n", kChessOn},
      {"chess is upper case only", "Chess", std::nullopt},
      {"name", "clGray", Plain(0x808080)},
      {"name in any case", "CLMONEYGREEN", Plain(0xC0DCC0)},
      {"sky blue", "clSkyBlue", Plain(0xF0CAA6)},
      {"hex 00BBGGRR", "$00F0FBFF", Plain(0xF0FBFF)},
      {"short hex", "$ff", Plain(0x0000FF)},
      {"decimal", "8421504", Plain(0x808080)},
      {"blanks around", "  clRed  ", Plain(0x0000FF)},
      {"system colour value is not a plain colour", "$8000000F", std::nullopt},
      {"decimal beyond 24 bits", "16777216", std::nullopt},
      {"negative", "-1", std::nullopt},
      {"hex with junk", "$00GG0000", std::nullopt},
      {"dollar alone", "$", std::nullopt},
      {"garbage", "purple-ish", std::nullopt},
      {"empty", "", std::nullopt},
      // Only 30 characters are read: 22 blanks leave "$0080808" of the number.
      {"30 characters read", std::string(21, ' ') + "$00808080", Plain(0x808080)},
      {"31st character cut", std::string(22, ' ') + "$00808080", Plain(0x080808)},
  };
  for (const ViewTextCase& c : cases) {
    EXPECT_EQ(ParseViewBackground(c.text), c.expected) << c.label;
  }
}

TEST(ViewBackgroundTest, WritesNamesOrUpperCaseHex) {
  const std::vector<std::pair<WinColor, std::string>> cases = {
      {0x808080, "clGray"},    {0x000000, "clBlack"},   {0xFFFFFF, "clWhite"},
      {0x0000FF, "clRed"},     {0xFF0000, "clBlue"},    {0xC0DCC0, "clMoneyGreen"},
      {0xF0CAA6, "clSkyBlue"}, {0xF0FBFF, "clCream"},   {0xA4A0A0, "clMedGray"},
      {0x800000, "clNavy"},    {0x123456, "$00123456"}, {0xABCDEF, "$00ABCDEF"},
  };
  for (const auto& [colour, text] : cases) {
    EXPECT_EQ(FormatViewBackground(Plain(colour)), text);
    EXPECT_EQ(ParseViewBackground(text), Plain(colour)) << text;
  }
}

TEST(ViewBackgroundTest, FileRoundTripAndDefaults) {
  TempFolder folder;
  const std::string path = folder / "View.atp";
  WriteViewBackground(path, kChessOn);
  EXPECT_EQ(ReadBytes(path), "CHESS");  // no line break after it
  EXPECT_EQ(ReadViewBackground(path), kChessOn);

  WriteViewBackground(path, Plain(0x00A0B0C0));
  EXPECT_EQ(ReadBytes(path), "$00A0B0C0");
  EXPECT_EQ(ReadViewBackground(path), Plain(0xA0B0C0));

  const ViewBackground defaults = Plain(0x808080);
  EXPECT_EQ(ReadViewBackground(folder / "missing.atp"), defaults);
  WriteBytes(path, "not a colour");
  EXPECT_EQ(ReadViewBackground(path), defaults);
  EXPECT_EQ(ReadViewBackground(folder.path()), defaults);  // a folder, not a file
}

// ----- CForm.atp

TEST(WindowPlacementTest, RecordLayout) {
  const WindowPlacement placement{.state = WindowState::kMaximised,
                                  .left = -8,
                                  .top = 20,
                                  .width = 859,
                                  .height = 650,
                                  .side = PanelSide::kLeft,
                                  .centred = false};
  const std::vector<uint8_t> expected = {2,    0,    0,    0,     //
                                         0xF8, 0xFF, 0xFF, 0xFF,  // -8
                                         20,   0,    0,    0,     //
                                         0x5B, 0x03, 0,    0,     // 859
                                         0x8A, 0x02, 0,    0,     // 650
                                         1,    0,    0,    0};
  EXPECT_EQ(EncodePlacement(placement), expected);
}

TEST(WindowPlacementTest, FileRoundTrip) {
  TempFolder folder;
  const std::string path = folder / "CForm.atp";
  const std::vector<WindowPlacement> cases = {
      {WindowState::kMaximised, 100, 50, 1000, 700, PanelSide::kLeft, false},
      {WindowState::kNormal, -1920, -4, 859, 650, PanelSide::kRight, false},
      {WindowState::kMinimised, 0, 0, 1, 1, PanelSide::kRight, false},
  };
  for (const WindowPlacement& p : cases) {
    WriteWindowPlacement(path, p);
    EXPECT_EQ(std::filesystem::file_size(path), 24u);
    EXPECT_EQ(ReadWindowPlacement(path), p);
  }
}

TEST(WindowPlacementTest, DamagedRecordsGiveTheDesignedPlacement) {
  const std::string good(
      reinterpret_cast<const char*>(
          EncodePlacement({WindowState::kNormal, 10, 10, 800, 600, PanelSide::kLeft, false})
              .data()),
      24);
  ASSERT_TRUE(DecodePlacement(good).has_value());
  const auto with = [&](size_t at, std::string_view bytes) {
    std::string r = good;
    r.replace(at, bytes.size(), bytes);
    return r;
  };
  struct Case {
    const char* label;
    std::string record;
  };
  const std::vector<Case> cases = {
      {"23 bytes", good.substr(0, 23)},
      {"25 bytes", good + '\0'},
      {"empty", ""},
      {"state 3", with(0, "\x03")},
      {"side 0", with(20, std::string(4, '\0'))},
      {"side 3", with(20, "\x03")},
      {"width 0", with(12, std::string(4, '\0'))},
      {"negative height", with(16, "\xFB\xFF\xFF\xFF")},
      {"width 100001", with(12, "\xA1\x86\x01\x00")},
      {"left -100001", with(4, "\x5F\x79\xFE\xFF")},
  };
  TempFolder folder;
  const std::string path = folder / "CForm.atp";
  for (const Case& c : cases) {
    WriteBytes(path, c.record);
    const WindowPlacement read = ReadWindowPlacement(path);
    EXPECT_EQ(read, WindowPlacement{}) << c.label;
    EXPECT_TRUE(read.centred) << c.label;
    EXPECT_EQ(read.side, PanelSide::kRight) << c.label;
    EXPECT_EQ(read.state, WindowState::kNormal) << c.label;
  }
  // Bounds are not used while maximised: bad ones do not cost the state and the side.
  WriteBytes(path, with(0, "\x02").replace(12, 4, std::string(4, '\0')));
  EXPECT_EQ(ReadWindowPlacement(path),
            (WindowPlacement{.state = WindowState::kMaximised, .side = PanelSide::kLeft}));
  // Older files may hold junk in the reserved bytes; the record is still good.
  EXPECT_TRUE(DecodePlacement(with(1, "\x7F\x13\xC0")).has_value());
  EXPECT_EQ(ReadWindowPlacement(folder / "missing"), WindowPlacement{});
}

// ----- Dirs.lst

TEST(RecentCardsFileTest, ParsesLines) {
  const Names kEmpty = {"Empty"};
  struct Case {
    const char* label;
    std::string text;
    Names expected;
  };
  const std::vector<Case> cases = {
      {"placeholder", "Empty\r\n", kEmpty},
      {"Clear first", "Clear\r\n/c/a.vlm\r\n", kEmpty},
      {"Clear after blank lines", "\r\n\r\nClear\r\n/c/a.vlm\r\n", kEmpty},
      {"Clear later is a name", "/c/a.vlm\r\nClear\r\n", {"/c/a.vlm", "Clear"}},
      {"empty file", "", kEmpty},
      {"only line breaks", "\r\n\n\r\n", kEmpty},
      {"five lines",
       "/1.vlm\r\n/2.vlm\r\n/3.vlm\r\n/4.vlm\r\n/5.vlm\r\n",
       {"/1.vlm", "/2.vlm", "/3.vlm", "/4.vlm", "/5.vlm"}},
      {"seven lines, two ignored",
       "/1\r\n/2\r\n/3\r\n/4\r\n/5\r\n/6\r\n/7\r\n",
       {"/1", "/2", "/3", "/4", "/5"}},
      {"LF only", "/a b/c.vlm\n/d.jpg\n", {"/a b/c.vlm", "/d.jpg"}},
      {"blank lines skipped", "\r\n/a\r\n\r\n/b", {"/a", "/b"}},
      {"stray CR inside a line", "/a\r\r\n/b\r\n", {"/b"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ParseRecentCards(c.text), c.expected) << c.label;
  }
}

TEST(RecentCardsFileTest, WritesCrLfLines) {
  EXPECT_EQ(FormatRecentCards({"/c/a.vlm", "/d/b.jpg"}), "/c/a.vlm\r\n/d/b.jpg\r\n");
  EXPECT_EQ(FormatRecentCards({"Empty"}), "Empty\r\n");
  EXPECT_EQ(FormatRecentCards({}), "Empty\r\n");
  EXPECT_EQ(FormatRecentCards({"/1", "/2", "/3", "/4", "/5", "/6"}),
            "/1\r\n/2\r\n/3\r\n/4\r\n/5\r\n");
  // A name with a line break would come back as two entries.
  EXPECT_EQ(FormatRecentCards({"/a\nb.vlm", "/c"}), "/c\r\n");
}

TEST(RecentCardsFileTest, FileRoundTripAndLimits) {
  TempFolder folder;
  const std::string path = folder / "Dirs.lst";
  const Names names = {"/home/u/Cards/Birthday card.vlm", "/tmp/x.png"};
  WriteRecentCards(path, names);
  EXPECT_EQ(ReadRecentCards(path), names);

  EXPECT_EQ(ReadRecentCards(folder / "missing"), Names{"Empty"});
  // A huge file is read only so far; the line cut there is not taken as a name.
  WriteBytes(path, "/a.vlm\r\n" + std::string(70000, 'x'));
  EXPECT_EQ(ReadRecentCards(path), Names{"/a.vlm"});
}

// ----- Writing

TEST(SettingsWriteTest, CreatesTheFolderAndReportsFailure) {
  TempFolder folder;
  const std::string nested = folder / "config/velmora/Dirs.lst";
  WriteRecentCards(nested, {"/a.vlm"});
  EXPECT_EQ(ReadBytes(nested), "/a.vlm\r\n");

  // A folder that cannot exist: its parent is a file (fails for root too).
  WriteBytes(folder / "plain", "x");
  const std::string impossible = folder / "plain/View.atp";
  try {
    WriteViewBackground(impossible, kChessOn);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_NE(std::string(e.what()).find(impossible), std::string::npos) << e.what();
  }
  EXPECT_THROW(WriteWindowPlacement(folder / "plain/CForm.atp", WindowPlacement{}), Error);

  // A target that is a folder is not replaced; no temporary file is left behind.
  std::filesystem::create_directory(folder / "View.atp");
  EXPECT_THROW(WriteViewBackground(folder / "View.atp", kChessOn), Error);
  size_t entries = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(folder.path())) {
    ++entries;
  }
  EXPECT_EQ(entries, 3u);  // config, plain, View.atp
}

}  // namespace
}  // namespace velmora
