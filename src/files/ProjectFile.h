#pragma once

// Project files (".vlm"): every bitmap layer and the base image as 32-bit BMP streams, then one
// 108-byte record per layer, the list of the parts' byte sizes as text, and a 4-byte trailer
// giving the list's length. The reader finds everything from the end of the file backwards.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "document/CardDocument.h"
#include "graphics/Bitmap32.h"

namespace velmora {

inline constexpr size_t kLayerRecordSize = 108;

// One stored layer as a project file holds it. Frame layers are stored as zero records and come
// back as nothing.
struct StoredLayer {
  Bitmap32 pixels;  // per-pixel alpha as stored
  Location location;
  uint8_t opacity = 255;
  bool scaled = true;
  bool cropped = false;
  bool interpolate = true;
};

struct ProjectContents {
  Bitmap32 base;
  std::vector<StoredLayer> layers;  // bottom first
};

// Writes the card (its base image and every layer of the list, bottom first) to `path` through
// a temporary file, so a failure leaves an existing file as it was. Throws Error.
void SaveProject(const CardDocument& doc, const std::string& path);
// The bytes SaveProject writes.
std::vector<uint8_t> EncodeProject(const CardDocument& doc);

// Reads and checks a whole project without touching any card. Every size, count and picture is
// checked against the file; a damaged file throws Error("<path>: damaged project file: ...").
ProjectContents ReadProject(const std::string& path);
ProjectContents DecodeProject(std::span<const uint8_t> bytes, const std::string& name);

// Replaces the card by the project: the document is reset, the base image and the layers are put
// in, and the top layer is selected. Reads and checks everything first, so a damaged file leaves
// the card as it was.
void LoadProject(CardDocument& doc, const std::string& path);
void ApplyProject(CardDocument& doc, ProjectContents contents);

}  // namespace velmora
