#include <gtest/gtest.h>

#include <bit>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "document/LayerOperations.h"
#include "files/ProjectFile.h"
#include "graphics/Error.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

uint32_t U32At(const std::vector<uint8_t>& b, size_t at) {
  return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 |
         uint32_t(b[at + 3]) << 24;
}

std::string Tail(const std::vector<uint8_t>& b, size_t from, size_t n) {
  return std::string(b.begin() + from, b.begin() + from + n);
}

TEST(ProjectFile, CardWithoutLayersIsOneBmpSizeListAndTrailer) {
  CardDocument doc;
  doc.NewCanvas(600, 450, 0xFF336699);
  // The hidden rubber band of an earlier selection changes nothing.
  BitmapLayer& l = doc.AppendBitmapLayer(Bitmap32(2, 2), {0, 0, 2, 2});
  doc.SelectLayer(&l);
  DeleteSelected(doc);
  const auto bytes = EncodeProject(doc);
  ASSERT_EQ(bytes.size(), 1080067u);
  EXPECT_EQ(bytes[0], 'B');
  EXPECT_EQ(U32At(bytes, 2), 1080054u);
  EXPECT_EQ(Tail(bytes, 1080054, 9), "1080054\r\n");
  EXPECT_EQ(U32At(bytes, 1080063), 13u);

  const ProjectContents back = DecodeProject(bytes, "card.vlm");
  EXPECT_TRUE(SamePixels(back.base, doc.base_image()));
  EXPECT_TRUE(back.layers.empty());
}

TEST(ProjectFile, TwoLayersKeepOrderAndTheTopOneIsSelected) {
  CardDocument doc;
  doc.NewCanvas(40, 30, 0xFFFFFFFF);
  doc.AppendBitmapLayer(Bitmap32(3, 2, 0xFF0000AA), {1, 1, 4, 3});
  BitmapLayer& b = doc.AppendBitmapLayer(Bitmap32(5, 4, 0xFF0000BB), {2, 2, 7, 6});
  doc.SelectLayer(&b);
  const auto bytes = EncodeProject(doc);
  // Image A (78 bytes), image B (134), base (4854), records (216), sizes, trailer.
  const std::string sizes = "78\r\n134\r\n4854\r\n216\r\n";
  const size_t list_at = 78 + 134 + 4854 + 216;
  EXPECT_EQ(Tail(bytes, list_at, sizes.size()), sizes);
  EXPECT_EQ(bytes.size(), list_at + sizes.size() + 4);
  EXPECT_EQ(U32At(bytes, bytes.size() - 4), sizes.size() + 4);
  EXPECT_EQ(bytes[78 + 134 + 4854], 6);  // record A's type length

  CardDocument other;
  other.NewCanvas(10, 10, 0xFF000000);
  ApplyProject(other, DecodeProject(bytes, "two.vlm"));
  ASSERT_EQ(other.LayerCount(), 2);
  EXPECT_EQ(other.LayerAt(0).AsBitmap()->bitmap().Pixel(0, 0), 0xFF0000AAu);
  EXPECT_EQ(other.LayerAt(1).AsBitmap()->bitmap().Pixel(0, 0), 0xFF0000BBu);
  EXPECT_EQ(other.selected_layer(), &other.LayerAt(1));
  EXPECT_EQ(other.base_image().width(), 40);
}

TEST(ProjectFile, FrameIsAZeroRecordAndComesBackAsNothing) {
  CardDocument doc;
  doc.NewCanvas(20, 20, 0xFFFFFFFF);
  doc.AppendBitmapLayer(Bitmap32(2, 2, 0xFF0000AA), {0, 0, 2, 2});
  doc.CreateFrameLayer({10, 10}, FrameTag::kSelection);
  doc.AppendBitmapLayer(Bitmap32(2, 2, 0xFF0000BB), {0, 0, 2, 2});
  const auto bytes = EncodeProject(doc);
  const size_t records_at = 70 + 70 + 1654;
  for (size_t i = 0; i < kLayerRecordSize; ++i) EXPECT_EQ(bytes[records_at + 108 + i], 0);
  const ProjectContents back = DecodeProject(bytes, "f.vlm");
  ASSERT_EQ(back.layers.size(), 2u);
  EXPECT_EQ(back.layers[0].pixels.Pixel(0, 0), 0xFF0000AAu);
  EXPECT_EQ(back.layers[1].pixels.Pixel(0, 0), 0xFF0000BBu);
}

TEST(ProjectFile, LayerSettingsAndTransparencyRoundTripBitForBit) {
  CardDocument doc;
  doc.NewCanvas(400, 300, 0xFFFFFFFF);
  Bitmap32 pixels(3, 1);
  pixels.SetPixel(0, 0, 0x00123456);  // transparent, colour kept
  pixels.SetPixel(1, 0, 0x80FF0000);
  pixels.SetPixel(2, 0, 0xFF00FF00);
  BitmapLayer& l = doc.AppendBitmapLayer(pixels, {10.5f, 20, 310.5f, 220});
  l.MutableBitmap().set_master_alpha(128);
  l.MutableBitmap().set_stretch_filter(StretchFilter::kNearest);
  l.set_cropped(false);
  const ProjectContents back = DecodeProject(EncodeProject(doc), "x.vlm");
  ASSERT_EQ(back.layers.size(), 1u);
  const StoredLayer& s = back.layers[0];
  EXPECT_EQ(s.opacity, 128);
  EXPECT_EQ(s.location, (Location{10.5f, 20, 310.5f, 220}));
  EXPECT_TRUE(s.scaled);
  EXPECT_FALSE(s.cropped);
  EXPECT_FALSE(s.interpolate);
  EXPECT_TRUE(SamePixels(s.pixels, pixels));
}

// Damaged files: each must give an error, and loading must leave the open card untouched.
TEST(ProjectFile, DamagedProjectsAreRefusedAndTheCardStays) {
  CardDocument doc;
  doc.NewCanvas(8, 6, 0xFFFFFFFF);
  doc.AppendBitmapLayer(Bitmap32(2, 2, 0xFF0000AA), {0, 0, 2, 2});
  doc.AppendBitmapLayer(Bitmap32(2, 2, 0xFF0000BB), {1, 1, 3, 3});
  const auto good = EncodeProject(doc);
  const size_t list_at = good.size() - U32At(good, good.size() - 4);

  auto with_list = [&](const std::string& list) {
    std::vector<uint8_t> b(good.begin(), good.begin() + list_at);
    b.insert(b.end(), list.begin(), list.end());
    const uint32_t t = uint32_t(list.size() + 4);
    for (int i = 0; i < 4; ++i) b.push_back(uint8_t(t >> (8 * i)));
    return b;
  };
  auto with_trailer = [&](uint32_t t) {
    std::vector<uint8_t> b = good;
    for (int i = 0; i < 4; ++i) b[b.size() - 4 + i] = uint8_t(t >> (8 * i));
    return b;
  };
  std::vector<std::pair<std::string, std::vector<uint8_t>>> cases = {
      {"empty", {}},
      {"three bytes", {1, 2, 3}},
      {"trailer too large", with_trailer(uint32_t(good.size() + 1))},
      {"trailer negative", with_trailer(0xFFFFFFF0u)},
      {"trailer zero", with_trailer(0)},
      {"list not numbers", with_list("70\r\nabc\r\n246\r\n216\r\n")},
      {"list without line end", with_list("70\r\n70\r\n246\r\n216")},
      {"sizes overflow", with_list("99999999999999999999\r\n70\r\n246\r\n216\r\n")},
      {"sizes too small", with_list("70\r\n70\r\n200\r\n216\r\n")},
      {"sizes shifted between pictures", with_list("60\r\n80\r\n246\r\n216\r\n")},
      {"record size not a multiple", with_list("70\r\n70\r\n246\r\n200\r\n16\r\n")},
      {"more records than images", with_list("140\r\n246\r\n216\r\n")},
  };
  for (size_t cut : {size_t(1), size_t(10), size_t(60), good.size() / 2, good.size() - 5}) {
    cases.push_back({"truncated at " + std::to_string(cut),
                     std::vector<uint8_t>(good.begin(), good.begin() + cut)});
  }
  // A layer picture whose own header is damaged.
  std::vector<uint8_t> bad_bmp = good;
  bad_bmp[0] = 'X';
  cases.push_back({"damaged layer picture", bad_bmp});
  // A non-finite position.
  std::vector<uint8_t> nan_pos = good;
  const size_t rec = list_at - 216;
  const uint32_t nan_bits = std::bit_cast<uint32_t>(std::numeric_limits<float>::quiet_NaN());
  for (int i = 0; i < 4; ++i) nan_pos[rec + 76 + i] = uint8_t(nan_bits >> (8 * i));
  cases.push_back({"NaN position", nan_pos});

  const fs::path dir = fs::temp_directory_path() / "velmora_damaged_projects";
  fs::create_directories(dir);
  CardDocument open;
  open.NewCanvas(5, 5, 0xFF112233);
  for (const auto& [label, bytes] : cases) {
    EXPECT_THROW(DecodeProject(bytes, label), Error) << label;
    const fs::path file = dir / "damaged.vlm";
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    EXPECT_THROW(LoadProject(open, file.string()), Error) << label;
    EXPECT_EQ(open.base_image().width(), 5) << label;
  }
  try {
    DecodeProject(with_list("70\r\n70\r\n200\r\n216\r\n"), "card.vlm");
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "card.vlm: damaged project file: the size list does not match the file");
  }
  try {
    DecodeProject(with_list("60\r\n80\r\n246\r\n216\r\n"), "card.vlm");
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "card.vlm: damaged project file: layer picture 1: truncated");
  }
  fs::remove_all(dir);
}

TEST(ProjectFile, FailedSaveKeepsTheOldFile) {
  const fs::path dir = fs::temp_directory_path() / "velmora_save_fail";
  fs::remove_all(dir);
  fs::create_directories(dir);
  CardDocument doc;
  doc.NewCanvas(4, 4, 0xFFFFFFFF);
  const fs::path target = dir / "card.vlm";
  SaveProject(doc, target.string());
  const auto before = fs::file_size(target);
  // Saving into a folder that does not exist fails and writes nothing.
  EXPECT_THROW(SaveProject(doc, (dir / "missing" / "card.vlm").string()), Error);
  // A card with nothing to save fails before the old file is touched.
  CardDocument empty;
  EXPECT_THROW(SaveProject(empty, target.string()), Error);
  EXPECT_EQ(fs::file_size(target), before);
  LoadProject(doc, target.string());
  EXPECT_EQ(doc.base_image().width(), 4);
  fs::remove_all(dir);
}

}  // namespace
}  // namespace velmora
