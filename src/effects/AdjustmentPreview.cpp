#include "effects/AdjustmentPreview.h"

#include "effects/ColorAdjust.h"
#include "effects/EffectTarget.h"

namespace velmora {

bool PreviewBackup::Take() {
  Release(true);
  const Bitmap32* target = EffectTargetPixels(doc_);
  if (!target) return false;
  const BitmapLayer* layer = doc_.SelectedBitmap();
  layer_id_ = layer ? std::optional<uint64_t>(layer->id()) : std::nullopt;
  copy_.CopyPixelsFrom(*target);
  held_ = true;
  return true;
}

Bitmap32* PreviewBackup::Target() {
  if (!layer_id_) return doc_.HasCard() ? &doc_.MutableBaseImage() : nullptr;
  Layer* layer = doc_.FindLayer(*layer_id_);
  BitmapLayer* bitmap = layer ? layer->AsBitmap() : nullptr;
  return bitmap ? &bitmap->MutableBitmap() : nullptr;
}

void PreviewBackup::Show(const std::function<void(Bitmap32&)>& adjust) {
  if (!held_) return;
  Bitmap32* target = Target();
  if (!target) return;
  target->CopyPixelsFrom(copy_);
  if (adjust) adjust(*target);
  doc_.Changed();
}

void PreviewBackup::Release(bool keep) {
  if (held_ && !keep) Show();
  held_ = false;
  layer_id_.reset();
  copy_ = Bitmap32();
}

void AdjustTone(Bitmap32& bitmap, ToneGauge released, int brightness, int contrast) noexcept {
  if (released == ToneGauge::kBrightness) {
    AdjustBrightness(bitmap, brightness);
    AdjustContrast(bitmap, contrast);
  } else {
    AdjustContrast(bitmap, contrast);
    AdjustBrightness(bitmap, brightness);
  }
}

void AdjustBalance(Bitmap32& bitmap, BalanceMode mode, int red, int green, int blue) noexcept {
  if (mode == BalanceMode::kSpeed) {
    BalanceFast(bitmap, red, green, blue);
  } else {
    BalanceQuality(bitmap, red, green, blue);
  }
}

}  // namespace velmora
