#pragma once

// Commands on layers as whole objects. Each takes the card and what else it needs; the window
// passes the point under the middle of the view (ViewCentre) where a layer is placed.

#include <string>

#include "document/CardDocument.h"

namespace velmora {

// Places `picture` as a new, opaque, interpolated photo layer centred on `centre`: a photo
// taller than the card is shown at 90 % of the card's height (rounded, halves to even) with its
// proportions kept; otherwise at its own size. Drops any selection or crop frame first and
// selects the new layer.
BitmapLayer& AddPhotoLayer(CardDocument& doc, Bitmap32 picture, FloatPoint centre);
// The same for a picture file. A file that cannot be read throws Error and leaves the document
// as it was.
BitmapLayer& AddPhotoLayerFromFile(CardDocument& doc, const std::string& path, FloatPoint centre);

// The top-most visible layer whose rectangle holds `point` (base-image coordinates), or null.
Layer* LayerAt(CardDocument& doc, FloatPoint point);

// A click with any button on the view. On a layer: the layer is selected; unless it is a
// selection or crop frame, the lowest such frame is freed. On empty canvas (layer null): the
// selection is cleared and the lowest selection or crop frame freed.
void ClickLayer(CardDocument& doc, Layer* layer);

// Selection > Duplicate: a bitmap layer's copy 30 pixels right and down (settings copied,
// Cropped not), or for a frame a blank marker at the same offset; the copy is selected.
void DuplicateSelected(CardDocument& doc);
// Selection > Delete: frees the selected layer; undo steps taken of it are emptied.
void DeleteSelected(CardDocument& doc);

// The four re-order commands, by their number: 1 Bring to Front, 2 Send To Back, 3 One Level
// Up, 4 One Level Down. The new place is clamped to the list (the rubber band stays on top).
void ReorderSelected(CardDocument& doc, int command);

// Process > Flatten Layers: every layer drawn into the base image and freed. No undo step.
void FlattenLayers(CardDocument& doc);

// The layer panel's controls. Each counts as a change of the card even without a bitmap layer.
void SetSelectedOpacity(CardDocument& doc, int opacity);
void SetSelectedInterpolation(CardDocument& doc, bool interpolate);
void SetSelectedCropped(CardDocument& doc, bool cropped);
// The "Interpolate" box of the picture: the base image and every bitmap layer.
void SetPictureInterpolation(CardDocument& doc, bool interpolate);

// Resamples the selected bitmap layer's pixels to its on-card size (location rounded), then
// LayerResetScaleClick.
void LayerRescaleClick(CardDocument& doc);
// Makes the selected bitmap layer's on-card size its pixel size, top-left corner kept.
void LayerResetScaleClick(CardDocument& doc);

}  // namespace velmora
