#include "document/CardDocument.h"

#include <algorithm>
#include <utility>

#include "document/ViewportRenderer.h"

namespace velmora {

std::string_view UndoKindName(UndoKind kind) noexcept {
  switch (kind) {
    case UndoKind::kNone:
      return "none";
    case UndoKind::kEffect:
      return "effect";
    case UndoKind::kSize:
      return "size";
    case UndoKind::kCrop:
      return "crop";
    case UndoKind::kCanvas:
      return "holst";
    case UndoKind::kGeometry:
      return "geom";
  }
  return "none";
}

CardDocument::CardDocument() : composer_(std::make_unique<ViewportRenderer>(false)) {
  base_.set_outer_color(0x7FFFFFFF);
}

CardDocument::~CardDocument() = default;

int CardDocument::IndexOf(const Layer* layer) const noexcept {
  for (size_t i = 0; i < layers_.size(); ++i) {
    if (layers_[i].get() == layer) return static_cast<int>(i);
  }
  return -1;
}

Layer* CardDocument::FindLayer(uint64_t id) noexcept {
  for (auto& l : layers_) {
    if (l->id() == id) return l.get();
  }
  return nullptr;
}

BitmapLayer& CardDocument::AppendBitmapLayer(Bitmap32 pixels, const Location& location) {
  pixels.set_draw_mode(DrawMode::kBlend);
  auto layer = std::make_unique<BitmapLayer>(next_layer_id_++, std::move(pixels));
  layer->set_location(location);
  BitmapLayer& ref = *layer;
  layers_.push_back(std::move(layer));
  Changed();
  return ref;
}

FrameLayer& CardDocument::CreateFrameLayer(FloatPoint view_centre, FrameTag tag) {
  auto layer = std::make_unique<FrameLayer>(next_layer_id_++, tag);
  const float x = static_cast<float>(view_centre.x), y = static_cast<float>(view_centre.y);
  layer->set_location({x - 32, y - 32, x + 32, y + 32});
  FrameLayer& ref = *layer;
  layers_.push_back(std::move(layer));
  Changed();
  return ref;
}

void CardDocument::FreeLayer(Layer* layer) {
  const int index = IndexOf(layer);
  if (index < 0) return;
  if (selected_ == layer) SelectLayer(nullptr);
  for (UndoSlot* slot : {&undo_, &redo_}) {
    if (!slot->targets_base_image() && slot->layer_id == layer->id() &&
        (slot->kind == UndoKind::kEffect || slot->kind == UndoKind::kGeometry)) {
      slot->kind = UndoKind::kNone;
    }
  }
  layers_.erase(layers_.begin() + index);
  Changed();
}

void CardDocument::FreeAllLayers() {
  if (selected_) SelectLayer(nullptr);
  while (!layers_.empty()) FreeLayer(layers_.back().get());
  rubber_band_ = false;
  Changed();
}

void CardDocument::MoveLayer(int from, int to) {
  if (from < 0 || from >= LayerCount()) return;
  to = std::clamp(to, 0, LayerCount() - 1);
  if (from == to) return;
  auto layer = std::move(layers_[from]);
  layers_.erase(layers_.begin() + from);
  layers_.insert(layers_.begin() + to, std::move(layer));
  Changed();
}

void CardDocument::SetLayerLocation(Layer& layer, const Location& location) {
  if (layer.location() == location) return;
  layer.set_location(location);
  Changed();
}

SelectionPanel CardDocument::selection_panel() const noexcept {
  if (!selected_) return SelectionPanel::kNone;
  if (selected_->is_bitmap()) return SelectionPanel::kLayerProperties;
  if (selected_->tag() == static_cast<int>(FrameTag::kCrop)) return SelectionPanel::kCropCanvas;
  return SelectionPanel::kNone;
}

void CardDocument::SelectLayer(Layer* layer) {
  if (layer == selected_) return;
  if (layer && IndexOf(layer) < 0) return;
  if (rubber_band_ && selected_) {
    // The band lets go of its layer and hides; the layer panels go with it.
    selected_ = nullptr;
    NotifySelection(SelectionPanel::kNone);
    Changed();
  }
  selected_ = layer;
  if (!layer) return;
  rubber_band_ = true;  // created on the first selection, always the top entry
  NotifySelection(selection_panel());
  Changed();
}

void CardDocument::ResetDocument(bool reset_zoom) {
  FreeAllLayers();
  if (reset_zoom) {
    for (DocumentObserver* o : std::vector(observers_)) o->OnZoomReset();
  }
}

void CardDocument::NewCanvas(int width, int height, Color32 colour) {
  ResetDocument();
  Bitmap32& base = MutableBaseImage();
  base.SetSize(width, height);
  base.Clear(colour);
  Changed();
}

void CardDocument::DropFrameLayer() {
  for (auto& l : layers_) {
    const int tag = l->tag();
    if (tag == static_cast<int>(FrameTag::kSelection) || tag == static_cast<int>(FrameTag::kCrop)) {
      FreeLayer(l.get());
      SelectLayer(nullptr);
      return;
    }
  }
}

const Bitmap32& CardDocument::ComposePicture() {
  SelectLayer(nullptr);
  // Rendered into the same bitmap each time: nothing keeps an older picture.
  composer_->Render(*this, ViewMapping{}, base_.BoundsRect(), nullptr, composed_);
  composed_.set_draw_mode(DrawMode::kOpaque);
  composed_.set_master_alpha(255);
  composed_.set_stretch_filter(StretchFilter::kNearest);
  return composed_;
}

void CardDocument::ClearUndo() noexcept {
  undo_.kind = UndoKind::kNone;
  redo_.kind = UndoKind::kNone;
}

void CardDocument::AddObserver(DocumentObserver* observer) {
  if (std::find(observers_.begin(), observers_.end(), observer) == observers_.end()) {
    observers_.push_back(observer);
  }
}

void CardDocument::RemoveObserver(DocumentObserver* observer) {
  observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}

void CardDocument::Changed() {
  modified_mark_ = kMarkChanged;
  for (DocumentObserver* o : std::vector(observers_)) o->OnDocumentChanged();
}

void CardDocument::NotifySelection(SelectionPanel panel) {
  for (DocumentObserver* o : std::vector(observers_)) o->OnSelectionChanged(panel);
}

}  // namespace velmora
