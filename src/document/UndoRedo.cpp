#include "document/UndoRedo.h"

#include "graphics/PixelMath.h"

namespace velmora {
namespace {

// The bitmap a slot's "effect" or "geom" step belongs to, or null when it is gone.
Bitmap32* SlotTarget(CardDocument& doc, const UndoSlot& slot) {
  if (slot.kind == UndoKind::kEffect && slot.targets_base_image()) return &doc.MutableBaseImage();
  Layer* layer = doc.FindLayer(slot.layer_id);
  BitmapLayer* bitmap = layer ? layer->AsBitmap() : nullptr;
  return bitmap ? &bitmap->MutableBitmap() : nullptr;
}

// Every layer's location divided by the ratio of the current base image's size to `other`'s.
void ScaleLocations(CardDocument& doc, const Bitmap32& other) {
  const Bitmap32& base = doc.base_image();
  if (other.empty() || base.empty()) return;
  const double rx = double(base.width()) / other.width();
  const double ry = double(base.height()) / other.height();
  for (int i = 0; i < doc.LayerCount(); ++i) {
    Layer& l = doc.LayerAt(i);
    const Location& loc = l.location();
    l.set_location({float(RoundHalfEven(loc.left / rx)), float(RoundHalfEven(loc.top / ry)),
                    float(RoundHalfEven(loc.right / rx)), float(RoundHalfEven(loc.bottom / ry))});
  }
}

void ShiftLocations(CardDocument& doc, int dx, int dy) {
  for (int i = 0; i < doc.LayerCount(); ++i) {
    Layer& l = doc.LayerAt(i);
    const Location& loc = l.location();
    l.set_location({loc.left + dx, loc.top + dy, loc.right + dx, loc.bottom + dy});
  }
}

// Re-selects the layer of a "geom" step so the rubber band takes its restored rectangle.
void RefreshSelection(CardDocument& doc, uint64_t layer_id) {
  Layer* layer = doc.FindLayer(layer_id);
  if (layer && doc.selected_layer() == layer) {
    doc.SelectLayer(nullptr);
    doc.SelectLayer(layer);
  }
}

// Restores `from` and records in `to` what it replaces. `direction` is +1 for undo and -1 for
// redo (the crop shift).
void Restore(CardDocument& doc, UndoSlot& from, UndoSlot& to, int direction) {
  switch (from.kind) {
    case UndoKind::kNone:
      break;
    case UndoKind::kEffect: {
      Bitmap32* target = SlotTarget(doc, from);
      if (!target) break;
      to.kind = UndoKind::kEffect;
      to.layer_id = from.layer_id;
      to.snapshot = *target;
      *target = from.snapshot;
      break;
    }
    case UndoKind::kSize:
      to.kind = UndoKind::kSize;
      to.snapshot = doc.base_image();
      ScaleLocations(doc, from.snapshot);
      doc.MutableBaseImage() = from.snapshot;
      break;
    case UndoKind::kCrop:
      to.kind = UndoKind::kCrop;
      to.snapshot = doc.base_image();
      to.offset_x = from.offset_x;
      to.offset_y = from.offset_y;
      doc.MutableBaseImage() = from.snapshot;
      ShiftLocations(doc, direction * from.offset_x, direction * from.offset_y);
      break;
    case UndoKind::kCanvas:
      to.kind = UndoKind::kCanvas;
      to.snapshot = doc.base_image();
      doc.MutableBaseImage() = from.snapshot;
      break;
    case UndoKind::kGeometry: {
      Layer* layer = doc.FindLayer(from.layer_id);
      BitmapLayer* bitmap = layer ? layer->AsBitmap() : nullptr;
      if (!bitmap) break;
      to.kind = UndoKind::kGeometry;
      to.layer_id = from.layer_id;
      to.location = bitmap->location();
      to.snapshot = bitmap->bitmap();
      bitmap->MutableBitmap() = from.snapshot;
      bitmap->set_location(from.location);
      RefreshSelection(doc, from.layer_id);
      break;
    }
  }
  from.kind = UndoKind::kNone;
  from.snapshot = Bitmap32();
  doc.Changed();
}

}  // namespace

void RememberEffect(CardDocument& doc) {
  UndoSlot& slot = doc.undo_slot();
  BitmapLayer* layer = doc.SelectedBitmap();
  slot.kind = UndoKind::kEffect;
  slot.layer_id = layer ? layer->id() : UndoSlot::kBaseImage;
  slot.snapshot = layer ? layer->bitmap() : doc.base_image();
}

void RememberSize(CardDocument& doc) {
  doc.undo_slot().kind = UndoKind::kSize;
  doc.undo_slot().snapshot = doc.base_image();
}

void RememberCrop(CardDocument& doc, int origin_x, int origin_y) {
  UndoSlot& slot = doc.undo_slot();
  slot.kind = UndoKind::kCrop;
  slot.snapshot = doc.base_image();
  slot.offset_x = origin_x;
  slot.offset_y = origin_y;
}

void RememberCanvas(CardDocument& doc) {
  doc.undo_slot().kind = UndoKind::kCanvas;
  doc.undo_slot().snapshot = doc.base_image();
}

void RememberGeometry(CardDocument& doc) {
  BitmapLayer* layer = doc.SelectedBitmap();
  if (!layer) return;
  UndoSlot& slot = doc.undo_slot();
  slot.kind = UndoKind::kGeometry;
  slot.layer_id = layer->id();
  slot.location = layer->location();
  slot.snapshot = layer->bitmap();
}

void Undo(CardDocument& doc) { Restore(doc, doc.undo_slot(), doc.redo_slot(), +1); }

void Redo(CardDocument& doc) { Restore(doc, doc.redo_slot(), doc.undo_slot(), -1); }

}  // namespace velmora
