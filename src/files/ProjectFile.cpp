#include "files/ProjectFile.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstring>
#include <limits>
#include <new>

#include "graphics/Error.h"
#include "imageio/AtomicFile.h"
#include "imageio/BmpCodec.h"
#include "imageio/ByteSource.h"
#include "imageio/PictureIO.h"

namespace velmora {
namespace {

constexpr char kBitmapType[] = "bitmap";
constexpr size_t kTypeLength = 6;

// Record layout.
constexpr size_t kOffType = 0;
constexpr size_t kOffOpacity = 72;
constexpr size_t kOffLocation = 76;
constexpr size_t kOffScaled = 92;
constexpr size_t kOffCropped = 93;
constexpr size_t kOffInterpolate = 104;

void PutU32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}
uint32_t GetU32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
void PutFloat(uint8_t* p, float f) { PutU32(p, std::bit_cast<uint32_t>(f)); }
float GetFloat(const uint8_t* p) { return std::bit_cast<float>(GetU32(p)); }

std::array<uint8_t, kLayerRecordSize> RecordOf(const Layer& layer) {
  std::array<uint8_t, kLayerRecordSize> r{};
  const BitmapLayer* b = layer.AsBitmap();
  if (!b) return r;  // frames: all zero
  r[kOffType] = kTypeLength;
  std::memcpy(&r[kOffType + 1], kBitmapType, kTypeLength);
  PutU32(&r[kOffOpacity], b->opacity());
  const Location& l = b->location();
  PutFloat(&r[kOffLocation + 0], l.left);
  PutFloat(&r[kOffLocation + 4], l.top);
  PutFloat(&r[kOffLocation + 8], l.right);
  PutFloat(&r[kOffLocation + 12], l.bottom);
  r[kOffScaled] = b->scaled() ? 1 : 0;
  r[kOffCropped] = b->cropped() ? 1 : 0;
  r[kOffInterpolate] = b->bitmap().stretch_filter() != StretchFilter::kNearest ? 1 : 0;
  return r;
}

size_t BmpSize(const Bitmap32& b) { return 54 + 4 * b.PixelCount(); }

// Writes the whole project to the sink; the layout is the same for a file and for memory.
void WriteProject(const CardDocument& doc, ByteSink& sink) {
  const Bitmap32& base = doc.base_image();
  if (base.empty()) throw Error("there is no card to save");
  std::string sizes;
  const int layers = doc.LayerCount();
  for (int i = 0; i < layers; ++i) {
    if (const BitmapLayer* b = doc.LayerAt(i).AsBitmap()) {
      WriteBmp32(b->bitmap(), sink);
      sizes += std::to_string(BmpSize(b->bitmap())) + "\r\n";
    }
  }
  WriteBmp32(base, sink);
  sizes += std::to_string(BmpSize(base)) + "\r\n";
  if (layers > 0) {
    std::vector<uint8_t> records;
    records.reserve(kLayerRecordSize * layers);
    for (int i = 0; i < layers; ++i) {
      const auto r = RecordOf(doc.LayerAt(i));
      records.insert(records.end(), r.begin(), r.end());
    }
    sink.Write(records);
    sizes += std::to_string(records.size()) + "\r\n";
  }
  sink.Write(std::span(reinterpret_cast<const uint8_t*>(sizes.data()), sizes.size()));
  uint8_t trailer[4];
  PutU32(trailer, static_cast<uint32_t>(sizes.size() + 4));
  sink.Write(trailer);
}

[[noreturn]] void Damaged(const std::string& name, const std::string& what) {
  throw Error(name + ": damaged project file: " + what);
}

// The size list: one non-negative decimal number a line, each line ended by CR LF (LF alone is
// accepted too). Each number must fit the file.
std::vector<uint64_t> ParseSizeList(std::span<const uint8_t> text, uint64_t file_size,
                                    const std::string& name) {
  std::vector<uint64_t> sizes;
  size_t i = 0;
  while (i < text.size()) {
    uint64_t v = 0;
    size_t digits = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
      v = v * 10 + (text[i] - '0');
      if (v > file_size) Damaged(name, "a size in the size list is larger than the file");
      ++i;
      ++digits;
    }
    if (digits == 0) Damaged(name, "the size list is not a list of numbers");
    if (i < text.size() && text[i] == '\r') ++i;
    if (i >= text.size() || text[i] != '\n') {
      Damaged(name, "the size list is not a list of numbers");
    }
    ++i;
    sizes.push_back(v);
  }
  if (sizes.empty()) Damaged(name, "the size list is empty");
  return sizes;
}

bool IsBitmapRecord(const uint8_t* r) {
  return r[kOffType] == kTypeLength && std::memcmp(r + kOffType + 1, kBitmapType, kTypeLength) == 0;
}

// A stored picture inside the project: reads go to the file at the picture's place, so BMP rows
// are read straight into the bitmap without a copy of the whole file in memory.
class PartSource final : public ByteSource {
 public:
  PartSource(ByteSource& whole, uint64_t offset, uint64_t size, std::string name)
      : ByteSource(std::move(name)), whole_(whole), offset_(offset), size_(size) {}
  uint64_t size() const noexcept override { return size_; }
  std::span<const uint8_t> View(uint64_t offset, uint64_t n,
                                std::vector<uint8_t>& scratch) override {
    CheckRange(offset, n);
    return whole_.View(offset_ + offset, n, scratch);
  }
  void ReadRows(uint64_t offset, size_t row_bytes, std::span<uint8_t* const> rows) override {
    CheckRange(offset, uint64_t{row_bytes} * rows.size());
    whole_.ReadRows(offset_ + offset, row_bytes, rows);
  }

 private:
  ByteSource& whole_;
  uint64_t offset_, size_;
};

Bitmap32 DecodeStoredPicture(ByteSource& whole, uint64_t offset, uint64_t size,
                             const std::string& name, const std::string& which) {
  try {
    PartSource part(whole, offset, size, which);
    return ReadBmp(part);
  } catch (const Error& e) {
    Damaged(name, e.what());
  } catch (const std::bad_alloc&) {
    Damaged(name, which + ": not enough memory for the picture");
  }
}

}  // namespace

std::vector<uint8_t> EncodeProject(const CardDocument& doc) {
  std::vector<uint8_t> out;
  VectorSink sink(out);
  WriteProject(doc, sink);
  return out;
}

void SaveProject(const CardDocument& doc, const std::string& path) {
  AtomicFile file(path);
  WriteProject(doc, file);
  file.Commit();
}

namespace {

// The whole project from the source: first the size list and the records from the end, then the
// pictures, each checked by the BMP reader within its own part.
ProjectContents DecodeFrom(ByteSource& source, const std::string& name) {
  const uint64_t n = source.size();
  std::vector<uint8_t> scratch;
  if (n < 4) Damaged(name, "the file is too short");
  const int32_t trailer = static_cast<int32_t>(GetU32(source.View(n - 4, 4, scratch).data()));
  if (trailer <= 4 || uint64_t(trailer) > n) {
    Damaged(name, "the size list's length does not match the file");
  }
  const uint64_t list_start = n - uint64_t(trailer);
  const auto sizes = ParseSizeList(source.View(list_start, trailer - 4, scratch), n, name);

  // Every part must lie in the file, and together they must fill it up to the size list.
  uint64_t total = 0;
  for (uint64_t s : sizes) {
    total += s;
    if (total > list_start) Damaged(name, "the size list does not match the file");
  }
  if (total != list_start) Damaged(name, "the size list does not match the file");

  ProjectContents contents;
  const size_t c = sizes.size();
  if (c == 1) {
    contents.base = DecodeStoredPicture(source, 0, sizes[0], name, "the base image");
    return contents;
  }
  const uint64_t record_bytes = sizes[c - 1];
  if (record_bytes == 0 || record_bytes % kLayerRecordSize != 0) {
    Damaged(name, "the layer records have a wrong size");
  }
  const size_t records = record_bytes / kLayerRecordSize;
  const size_t images = c - 2;
  const auto record_view = source.View(list_start - record_bytes, record_bytes, scratch);
  const std::vector<uint8_t> record_copy(record_view.begin(), record_view.end());
  const uint8_t* rec = record_copy.data();
  size_t bitmap_records = 0;
  for (size_t i = 0; i < records; ++i) bitmap_records += IsBitmapRecord(rec + i * kLayerRecordSize);
  if (bitmap_records != images) {
    Damaged(name, "the number of layer pictures does not match the layer records");
  }

  uint64_t offset = 0;
  std::vector<Bitmap32> pictures;
  pictures.reserve(images);
  for (size_t i = 0; i < images; ++i) {
    pictures.push_back(DecodeStoredPicture(source, offset, sizes[i], name,
                                           "layer picture " + std::to_string(i + 1)));
    offset += sizes[i];
  }
  contents.base = DecodeStoredPicture(source, offset, sizes[c - 2], name, "the base image");

  size_t next_picture = 0;
  for (size_t i = 0; i < records; ++i) {
    const uint8_t* r = rec + i * kLayerRecordSize;
    if (!IsBitmapRecord(r)) continue;
    StoredLayer layer;
    layer.pixels = std::move(pictures[next_picture++]);
    layer.opacity = static_cast<uint8_t>(std::min<uint32_t>(GetU32(r + kOffOpacity), 255));
    float v[4];
    for (int k = 0; k < 4; ++k) {
      v[k] = GetFloat(r + kOffLocation + 4 * k);
      // Positions far beyond any picture size cannot come from the program.
      if (!std::isfinite(v[k]) || std::fabs(v[k]) > 1e7f) {
        Damaged(name, "layer " + std::to_string(i + 1) + " has an invalid position");
      }
    }
    layer.location = {v[0], v[1], v[2], v[3]};
    layer.scaled = r[kOffScaled] != 0;
    layer.cropped = r[kOffCropped] != 0;
    layer.interpolate = r[kOffInterpolate] != 0;
    contents.layers.push_back(std::move(layer));
  }
  return contents;
}

}  // namespace

ProjectContents DecodeProject(std::span<const uint8_t> bytes, const std::string& name) {
  MemorySource source(bytes, name);
  return DecodeFrom(source, name);
}

ProjectContents ReadProject(const std::string& path) {
  FileSource file(path);  // refuses folders, pipes and devices
  return DecodeFrom(file, path);
}

void ApplyProject(CardDocument& doc, ProjectContents contents) {
  doc.ResetDocument();
  doc.MutableBaseImage() = std::move(contents.base);
  doc.MutableBaseImage().set_outer_color(0x7FFFFFFF);
  for (StoredLayer& s : contents.layers) {
    s.pixels.set_master_alpha(s.opacity);
    s.pixels.set_stretch_filter(s.interpolate ? StretchFilter::kLinear : StretchFilter::kNearest);
    BitmapLayer& layer = doc.AppendBitmapLayer(std::move(s.pixels), s.location);
    layer.set_scaled(s.scaled);
    layer.set_cropped(s.cropped);
  }
  doc.Changed();
  doc.SelectLayer(nullptr);
  if (doc.LayerCount() > 0) doc.SelectLayer(&doc.LayerAt(doc.LayerCount() - 1));
}

void LoadProject(CardDocument& doc, const std::string& path) {
  ApplyProject(doc, ReadProject(path));
}

}  // namespace velmora
