#include "document/Layer.h"

#include <utility>

namespace velmora {

int Layer::tag() const noexcept {
  const FrameLayer* f = AsFrame();
  return f ? static_cast<int>(f->frame_tag()) : 0;
}

BitmapLayer* Layer::AsBitmap() noexcept {
  return kind_ == LayerKind::kBitmap ? static_cast<BitmapLayer*>(this) : nullptr;
}
const BitmapLayer* Layer::AsBitmap() const noexcept {
  return kind_ == LayerKind::kBitmap ? static_cast<const BitmapLayer*>(this) : nullptr;
}
FrameLayer* Layer::AsFrame() noexcept {
  return kind_ == LayerKind::kFrame ? static_cast<FrameLayer*>(this) : nullptr;
}
const FrameLayer* Layer::AsFrame() const noexcept {
  return kind_ == LayerKind::kFrame ? static_cast<const FrameLayer*>(this) : nullptr;
}

BitmapLayer::BitmapLayer(uint64_t id, Bitmap32 pixels) noexcept
    : Layer(LayerKind::kBitmap, id), bitmap_(std::move(pixels)) {}

}  // namespace velmora
