#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "document/Layer.h"
#include "document/UndoSlot.h"
#include "graphics/Bitmap32.h"
#include "graphics/Geometry.h"

namespace velmora {

class ViewportRenderer;

// The side-panel section that the selection asks for.
enum class SelectionPanel : uint8_t { kNone, kLayerProperties, kCropCanvas };

// Values of ModifiedMark.
inline constexpr int kMarkNoCard = 0;
inline constexpr int kMarkUnchanged = 100;
inline constexpr int kMarkChanged = 777;

// Told about every change of the card.
class DocumentObserver {
 public:
  virtual ~DocumentObserver() = default;
  // Any change of the base image, the layers or the selection (ModifiedMark is already 777).
  virtual void OnDocumentChanged() {}
  // The selection changed; `panel` is the side-panel section it asks for.
  virtual void OnSelectionChanged(SelectionPanel /*panel*/) {}
  // The document was emptied by a reset that also puts the zoom back to 100 %.
  virtual void OnZoomReset() {}
};

// The card: a base image and a list of layers above it (index 0 at the bottom), the selection
// with its rubber band, ModifiedMark, the last flattened picture and the two undo slots.
//
// The rubber band is not an entry of the list: while it exists it counts as the top-most entry,
// so EntryCount() is what the project format and the commands count.
class CardDocument {
 public:
  CardDocument();
  ~CardDocument();
  CardDocument(const CardDocument&) = delete;
  CardDocument& operator=(const CardDocument&) = delete;

  // --- base image ------------------------------------------------------------------------------
  const Bitmap32& base_image() const noexcept { return base_; }
  // Write access; call Changed() when done.
  Bitmap32& MutableBaseImage() noexcept {
    ++base_version_;
    return base_;
  }
  uint64_t base_version() const noexcept { return base_version_; }
  bool HasCard() const noexcept { return !base_.empty(); }

  // --- layers ----------------------------------------------------------------------------------
  int LayerCount() const noexcept { return static_cast<int>(layers_.size()); }
  Layer& LayerAt(int index) noexcept { return *layers_[index]; }
  const Layer& LayerAt(int index) const noexcept { return *layers_[index]; }
  // -1 when the layer is not in the list.
  int IndexOf(const Layer* layer) const noexcept;
  Layer* FindLayer(uint64_t id) noexcept;
  // Entries as the project format counts them: the layers plus the rubber band once it exists.
  int EntryCount() const noexcept { return LayerCount() + (rubber_band_ ? 1 : 0); }

  // A new bitmap layer at the top of the list (draw mode blend), not selected.
  BitmapLayer& AppendBitmapLayer(Bitmap32 pixels, const Location& location);
  // A new frame layer at the top of the list, 64 x 64 around `view_centre`, not selected.
  FrameLayer& CreateFrameLayer(FloatPoint view_centre, FrameTag tag);
  // Removes the layer from the list and frees it. Clears the selection first when it is the
  // selected layer; an undo or redo step taken of it is emptied.
  void FreeLayer(Layer* layer);
  // Frees every layer; the rubber band is forgotten.
  void FreeAllLayers();
  // Moves the entry at `from` to `to`, both clamped to the list.
  void MoveLayer(int from, int to);
  void SetLayerLocation(Layer& layer, const Location& location);

  // --- selection -------------------------------------------------------------------------------
  Layer* selected_layer() noexcept { return selected_; }
  const Layer* selected_layer() const noexcept { return selected_; }
  BitmapLayer* SelectedBitmap() noexcept { return selected_ ? selected_->AsBitmap() : nullptr; }
  bool rubber_band_exists() const noexcept { return rubber_band_; }
  SelectionPanel selection_panel() const noexcept;
  // Selects `layer` (or nothing). Selecting the selected layer again does nothing.
  void SelectLayer(Layer* layer);

  // --- the card as a whole ---------------------------------------------------------------------
  // Selection cleared, rubber band forgotten, every layer freed; the zoom goes back to 100 %
  // unless reset_zoom is false.
  void ResetDocument(bool reset_zoom = true);
  // ResetDocument, then a base image of width x height filled with `colour`.
  void NewCanvas(int width, int height, Color32 colour);
  // Frees the lowest selection or crop frame, if any, and clears the selection.
  void DropFrameLayer();
  // Clears the selection and flattens the card at 100 % into composed_picture().
  const Bitmap32& ComposePicture();
  const Bitmap32& composed_picture() const noexcept { return composed_; }
  // Opacity of the frames' grey preview (0 while Copy and Cut flatten the card).
  uint8_t frame_alpha() const noexcept { return frame_alpha_; }
  void set_frame_alpha(uint8_t a) noexcept { frame_alpha_ = a; }

  // --- ModifiedMark ----------------------------------------------------------------------------
  int modified_mark() const noexcept { return modified_mark_; }
  void set_modified_mark(int mark) noexcept { modified_mark_ = mark; }

  // --- undo ------------------------------------------------------------------------------------
  UndoSlot& undo_slot() noexcept { return undo_; }
  UndoSlot& redo_slot() noexcept { return redo_; }
  const UndoSlot& undo_slot() const noexcept { return undo_; }
  const UndoSlot& redo_slot() const noexcept { return redo_; }
  bool CanUndo() const noexcept { return !undo_.empty(); }
  bool CanRedo() const noexcept { return !redo_.empty(); }
  void ClearUndo() noexcept;  // both slots to "none"

  // --- notification ----------------------------------------------------------------------------
  void AddObserver(DocumentObserver* observer);
  void RemoveObserver(DocumentObserver* observer);
  // Reports a change to every observer and sets ModifiedMark to 777.
  void Changed();

 private:
  void NotifySelection(SelectionPanel panel);

  Bitmap32 base_;
  uint64_t base_version_ = 0;
  std::vector<std::unique_ptr<Layer>> layers_;
  uint64_t next_layer_id_ = 1;
  Layer* selected_ = nullptr;
  bool rubber_band_ = false;
  int modified_mark_ = kMarkNoCard;
  Bitmap32 composed_;
  uint8_t frame_alpha_ = 255;
  UndoSlot undo_, redo_;
  std::vector<DocumentObserver*> observers_;
  std::unique_ptr<ViewportRenderer> composer_;
};

}  // namespace velmora
