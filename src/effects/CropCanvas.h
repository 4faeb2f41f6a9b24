#pragma once

// Image > Crop Canvas: a crop frame drawn on the card, held to a proportion from the side
// panel's list, and the card cut down to it.

#include "document/CardDocument.h"

namespace velmora {

// Starts cropping: unless a crop frame is the selected layer already (its section is showing),
// the frames' grey preview is made fully opaque, any selection or crop frame is dropped, and a
// new 64 x 64 crop frame around `view_centre` is selected. Returns the new frame, or null when
// nothing happened.
FrameLayer* StartCropCanvas(CardDocument& doc, FloatPoint view_centre);

// The width-to-height ratio of entry `ratio_index` of CropRatios(), inverted for "Portrait";
// 0 for "Free" and for an index outside the list.
double CropRatioOf(int ratio_index, bool portrait) noexcept;

// Fits the selected crop frame to the ratio: its bottom := top + Round(|right - left| / ratio);
// left, top and right stay. Nothing happens for "Free" or when no crop frame is selected.
void FitCropToRatio(CardDocument& doc, int ratio_index, bool portrait);

// "ОК": cuts the card to the selected crop frame, limited to the card. The origin (Round(left),
// Round(top)) of the limited frame is stored with a "crop" undo step, the base image becomes
// that part (stretched over the new size where rounding makes them differ), the frame is
// dropped, and every layer moves left and up by the origin and is shown cropped to the card.
// A frame that covers no whole pixel of the card is only dropped: no undo step, no change.
// Returns true when the card was cut; without a selected crop frame nothing happens.
bool ApplyCropCanvas(CardDocument& doc);

// "Cancel": the crop frame is dropped; nothing else changes.
void CancelCropCanvas(CardDocument& doc);

}  // namespace velmora
