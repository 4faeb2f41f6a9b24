#include "effects/EffectTarget.h"

#include <functional>

#include "document/UndoRedo.h"
#include "effects/ColorEffects.h"
#include "effects/Colorize.h"

namespace velmora {
namespace {

// RememberEffect, `work` on the target, Changed; nothing without a target.
void RunCommand(CardDocument& doc, const std::function<void(Bitmap32&, TargetKind)>& work) {
  if (!EffectTargetPixels(doc)) return;
  RememberEffect(doc);
  const EffectTargetRef target = EffectTarget(doc);
  try {
    work(*target.bitmap, target.kind);
  } catch (...) {
    doc.Changed();
    throw;
  }
  doc.Changed();
}

}  // namespace

EffectTargetRef EffectTarget(CardDocument& doc) {
  if (!EffectTargetPixels(doc)) return {};
  if (BitmapLayer* layer = doc.SelectedBitmap()) {
    return {&layer->MutableBitmap(), TargetKind::kLayer};
  }
  return {&doc.MutableBaseImage(), TargetKind::kBaseImage};
}

const Bitmap32* EffectTargetPixels(const CardDocument& doc) {
  if (!doc.HasCard()) return nullptr;
  const Layer* selected = doc.selected_layer();
  if (!selected) return &doc.base_image();
  const BitmapLayer* layer = selected->AsBitmap();
  return layer ? &layer->bitmap() : nullptr;
}

void ApplyProcessEffect(CardDocument& doc, ProcessEffect which) {
  const auto routine = which == ProcessEffect::kGrayscale ? MakeGrayscale : InvertColors;
  RunCommand(doc, [routine](Bitmap32& target, TargetKind kind) {
    ApplyRgbEffect(target, kind, [routine](Bitmap32& picture) { routine(picture); });
  });
}

void ColorizeTarget(CardDocument& doc, Color32 colour) {
  RunCommand(doc, [colour](Bitmap32& target, TargetKind kind) { Colorize(target, kind, colour); });
}

void SepiaTarget(CardDocument& doc) { RunCommand(doc, Sepia); }

void ApplyBrowserEffect(CardDocument& doc, const EffectEntry* entry, Random& random) {
  if (!entry) {
    if (EffectTargetPixels(doc)) RememberEffect(doc);
    return;
  }
  RunCommand(doc, [entry, &random](Bitmap32& target, TargetKind kind) {
    RunEffect(target, kind, entry->action, entry->apply_params, random);
  });
}

}  // namespace velmora
