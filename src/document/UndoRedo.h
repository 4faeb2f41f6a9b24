#pragma once

// The one-step undo and redo of the card.

#include "document/CardDocument.h"

namespace velmora {

// Each remember operation overwrites the undo slot; the redo slot is left alone.

// "effect": the pixels of the selected bitmap layer, or of the base image when nothing is
// selected (the effect target).
void RememberEffect(CardDocument& doc);
// "size": the base image; undoing also scales every layer's location back.
void RememberSize(CardDocument& doc);
// "crop": the base image and the crop origin (how far every layer moved left and up).
void RememberCrop(CardDocument& doc, int origin_x, int origin_y);
// "holst": the base image.
void RememberCanvas(CardDocument& doc);
// "geom": the selected bitmap layer's pixels and location. Does nothing without one.
void RememberGeometry(CardDocument& doc);

// Puts the undo step back and moves what it replaced into the redo slot; the undo slot is then
// empty. A step whose layer no longer exists restores nothing.
void Undo(CardDocument& doc);
// The mirror image of Undo.
void Redo(CardDocument& doc);

}  // namespace velmora
