#pragma once

// Small helpers for the picture tests: a scratch folder, whole-file reads and writes, and
// little-endian byte building for hand-made files.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>
#include <vector>

#include "graphics/Bitmap32.h"

namespace velmora::testing {

// A new empty folder, removed with everything in it at the end of the test.
class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "velmora-XXXXXX").string();
    path_ = mkdtemp(pattern.data());
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
  }
  std::string File(const std::string& name) const { return (path_ / name).string(); }
  const std::filesystem::path& path() const { return path_; }
  // Names of the entries in the folder.
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(path_)) {
      names.push_back(e.path().filename().string());
    }
    return names;
  }

 private:
  std::filesystem::path path_;
};

inline std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// Appends little-endian fields.
class ByteWriter {
 public:
  ByteWriter& U8(uint32_t v) {
    bytes_.push_back(static_cast<uint8_t>(v));
    return *this;
  }
  ByteWriter& U16(uint32_t v) { return U8(v).U8(v >> 8); }
  ByteWriter& U32(uint32_t v) { return U16(v).U16(v >> 16); }
  ByteWriter& Bytes(std::initializer_list<uint8_t> b) {
    bytes_.insert(bytes_.end(), b);
    return *this;
  }
  ByteWriter& Bytes(const std::vector<uint8_t>& b) {
    bytes_.insert(bytes_.end(), b.begin(), b.end());
    return *this;
  }
  size_t size() const { return bytes_.size(); }
  std::vector<uint8_t>& bytes() { return bytes_; }

 private:
  std::vector<uint8_t> bytes_;
};

// A bitmap from rows of pixels given top row first.
inline Bitmap32 MakeBitmap(int width, int height, const std::vector<Color32>& pixels) {
  Bitmap32 b(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) b.SetPixel(x, y, pixels[size_t(y) * width + x]);
  }
  return b;
}

inline std::vector<Color32> PixelsOf(const Bitmap32& b) {
  return std::vector<Color32>(b.Bits(), b.Bits() + b.PixelCount());
}

}  // namespace velmora::testing
