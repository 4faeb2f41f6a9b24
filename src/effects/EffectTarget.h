#pragma once

// EffectTarget, the bitmap that the effects, the colour commands and the effect browser work on,
// and the Process commands as operations on the card. The commands record one "effect" undo
// step before the pixels change and tell the card's observers afterwards.

#include <cstdint>

#include "document/CardDocument.h"
#include "effects/ApplyRgbEffect.h"
#include "effects/EffectTable.h"
#include "graphics/Bitmap32.h"
#include "graphics/Random.h"

namespace velmora {

struct EffectTargetRef {
  Bitmap32* bitmap = nullptr;  // null: there is nothing to work on
  TargetKind kind = TargetKind::kBaseImage;
  explicit operator bool() const noexcept { return bitmap != nullptr; }
};

// The selected bitmap layer's bitmap (kLayer), or the base image (kBaseImage) when no layer is
// selected. Null without a card and while a frame layer is selected. Write access: it counts as
// a change of the pixels, so the view rebuilds its caches; call doc.Changed() when done.
EffectTargetRef EffectTarget(CardDocument& doc);
// The same bitmap, for reading.
const Bitmap32* EffectTargetPixels(const CardDocument& doc);

// The Process commands. Without a target each does nothing; otherwise RememberEffect, the pixel
// work, doc.Changed() (also when the pixel work throws, so the view shows what was done).
enum class ProcessEffect : uint8_t { kGrayscale, kInvert };
void ApplyProcessEffect(CardDocument& doc, ProcessEffect which);
// Colorize with the chosen colour (its alpha byte ignored): ColorizeBitmap, then brightness 70.
void ColorizeTarget(CardDocument& doc, Color32 colour);
// Sepia: ColorizeBitmap(kSepiaColor), then brightness 150.
void SepiaTarget(CardDocument& doc);
// The effect browser's OK and double-click: RememberEffect, then, when `entry` is not null, its
// routine with its apply parameters. Without an entry the undo step is recorded, no pixel
// changes and the card is not marked as changed (observers are not told: the caller refreshes
// what shows the undo slot).
void ApplyBrowserEffect(CardDocument& doc, const EffectEntry* entry, Random& random);

}  // namespace velmora
