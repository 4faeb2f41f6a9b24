#pragma once

#include <cstdint>

#include "graphics/Bitmap32.h"
#include "graphics/Geometry.h"

namespace velmora {

// Where a layer sits on the card: four single-precision floats in base-image pixels. They are
// stored bit for bit in project files, so arithmetic on them ends in a float.
struct Location {
  float left = 0, top = 0, right = 0, bottom = 0;

  FloatRect ToRect() const noexcept { return {left, top, right, bottom}; }
  static Location FromRect(const FloatRect& r) noexcept {
    return {static_cast<float>(r.left), static_cast<float>(r.top), static_cast<float>(r.right),
            static_cast<float>(r.bottom)};
  }
  float width() const noexcept { return right - left; }
  float height() const noexcept { return bottom - top; }
  friend bool operator==(const Location&, const Location&) = default;
};

enum class LayerKind : uint8_t { kBitmap, kFrame };

// The kinds of frame layer, by the number they carry.
enum class FrameTag : int { kBlankMarker = 2, kSelection = 3, kCrop = 4 };

class BitmapLayer;
class FrameLayer;

// One entry of the card's layer list. Layers are owned by the document; code tells the kinds
// apart by kind(), and AsBitmap() / AsFrame() return null for the other kind.
class Layer {
 public:
  virtual ~Layer() = default;
  Layer(const Layer&) = delete;
  Layer& operator=(const Layer&) = delete;

  LayerKind kind() const noexcept { return kind_; }
  bool is_bitmap() const noexcept { return kind_ == LayerKind::kBitmap; }
  // Stays the same for the layer's whole life and is never reused within a document.
  uint64_t id() const noexcept { return id_; }

  // 0 for bitmap layers; 2, 3 or 4 for frames.
  int tag() const noexcept;

  const Location& location() const noexcept { return location_; }
  void set_location(const Location& l) noexcept { location_ = l; }
  // True when the layer zooms and scrolls with the view (every layer the program makes).
  bool scaled() const noexcept { return scaled_; }
  void set_scaled(bool s) noexcept { scaled_ = s; }
  bool visible() const noexcept { return visible_; }
  void set_visible(bool v) noexcept { visible_ = v; }

  BitmapLayer* AsBitmap() noexcept;
  const BitmapLayer* AsBitmap() const noexcept;
  FrameLayer* AsFrame() noexcept;
  const FrameLayer* AsFrame() const noexcept;

 protected:
  Layer(LayerKind kind, uint64_t id) noexcept : kind_(kind), id_(id) {}

 private:
  LayerKind kind_;
  uint64_t id_;
  Location location_;
  bool scaled_ = true;
  bool visible_ = true;
};

// A layer with pixels: its bitmap's draw mode (blend), master alpha (the opacity) and stretch
// filter (linear when interpolated) say how it is drawn.
class BitmapLayer final : public Layer {
 public:
  BitmapLayer(uint64_t id, Bitmap32 pixels) noexcept;

  const Bitmap32& bitmap() const noexcept { return bitmap_; }
  // Write access; counts as a change of the pixels (cached reductions are rebuilt).
  Bitmap32& MutableBitmap() noexcept {
    ++pixels_version_;
    return bitmap_;
  }
  uint64_t pixels_version() const noexcept { return pixels_version_; }

  // When true, the part outside the card is not shown.
  bool cropped() const noexcept { return cropped_; }
  void set_cropped(bool c) noexcept { cropped_ = c; }

  uint8_t opacity() const noexcept { return bitmap_.master_alpha(); }
  bool interpolated() const noexcept { return bitmap_.stretch_filter() != StretchFilter::kNearest; }

 private:
  Bitmap32 bitmap_;
  uint64_t pixels_version_ = 0;
  bool cropped_ = false;
};

// A frame without pixels: a selection frame or crop frame paints a grey preview of what lies
// beneath it; a blank marker paints nothing.
class FrameLayer final : public Layer {
 public:
  FrameLayer(uint64_t id, FrameTag tag) noexcept : Layer(LayerKind::kFrame, id), tag_(tag) {}
  FrameTag frame_tag() const noexcept { return tag_; }
  void set_frame_tag(FrameTag t) noexcept { tag_ = t; }
  bool paints_preview() const noexcept {
    return tag_ == FrameTag::kSelection || tag_ == FrameTag::kCrop;
  }

 private:
  FrameTag tag_;
};

}  // namespace velmora
