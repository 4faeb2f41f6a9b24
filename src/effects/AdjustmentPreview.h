#pragma once

// What the Brightness / Contrast and Color Balance dialogs do to the card, without their
// controls: PreviewBackup, the copy every preview starts from, and the two adjustments as the
// dialogs apply them.

#include <cstdint>
#include <functional>
#include <optional>

#include "document/CardDocument.h"
#include "graphics/Bitmap32.h"

namespace velmora {

// An exact copy of EffectTarget (all four channels, same size), taken when a dialog opens and
// kept until it closes. Previews always start again from it, so adjustments never accumulate;
// closing without OK puts it back. The target is looked up again for every write (the layer by
// its id), so each preview counts as a change of the pixels and the view repaints it.
class PreviewBackup {
 public:
  explicit PreviewBackup(CardDocument& doc) noexcept : doc_(doc) {}
  PreviewBackup(const PreviewBackup&) = delete;
  PreviewBackup& operator=(const PreviewBackup&) = delete;

  // Takes the copy of EffectTarget. False, and nothing held, when there is no target.
  bool Take();
  bool held() const noexcept { return held_; }

  // The target := the copy (pixels and size; drawing settings such as the opacity stay the
  // target's), then `adjust` runs on it, then the card's observers are told. Nothing when no
  // copy is held.
  void Show(const std::function<void(Bitmap32&)>& adjust = {});
  // Closing: unless `keep`, the target := the copy. The copy is freed either way.
  void Release(bool keep);

 private:
  Bitmap32* Target();

  CardDocument& doc_;
  std::optional<uint64_t> layer_id_;  // the layer the copy is of; none for the base image
  Bitmap32 copy_;
  bool held_ = false;
};

// The gauge of the Brightness / Contrast dialog that was released last; it decides the order.
enum class ToneGauge : uint8_t { kBrightness, kContrast };

// Brightness released: AdjustBrightness, then AdjustContrast; contrast released: the other way
// round. The orders differ where a channel clamps.
void AdjustTone(Bitmap32& bitmap, ToneGauge released, int brightness, int contrast) noexcept;

// The Color Balance dialog's "Best Speed" (BalanceFast) and "Best Quality" (BalanceQuality).
enum class BalanceMode : uint8_t { kSpeed, kQuality };

void AdjustBalance(Bitmap32& bitmap, BalanceMode mode, int red, int green, int blue) noexcept;

}  // namespace velmora
