#pragma once

#include <cstdint>
#include <string_view>

#include "document/Layer.h"
#include "graphics/Bitmap32.h"

namespace velmora {

// What an undo or redo step restores.
//   kEffect    the pixels of a layer or the base image
//   kSize      the base image, and every layer's location scaled back
//   kCrop      the base image, and every layer shifted back by the crop origin
//   kCanvas    the base image
//   kGeometry  a layer's pixels and location
enum class UndoKind : uint8_t { kNone, kEffect, kSize, kCrop, kCanvas, kGeometry };

// The program's names of the kinds: "none", "effect", "size", "crop", "holst", "geom".
std::string_view UndoKindName(UndoKind kind) noexcept;

// One step. The slot names its layer by the layer itself (its id), so re-ordering layers does
// not make a step restore another layer; freeing the layer empties the slot.
struct UndoSlot {
  static constexpr uint64_t kBaseImage = 0;

  UndoKind kind = UndoKind::kNone;
  uint64_t layer_id = kBaseImage;  // kEffect, kGeometry
  Bitmap32 snapshot;               // a full copy, settings included
  Location location;               // kGeometry: the layer's location before the change
  int offset_x = 0, offset_y = 0;  // kCrop: how far the crop moved every layer left and up

  bool empty() const noexcept { return kind == UndoKind::kNone; }
  bool targets_base_image() const noexcept { return layer_id == kBaseImage; }
};

}  // namespace velmora
