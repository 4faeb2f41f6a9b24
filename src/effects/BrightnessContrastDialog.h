#pragma once

#include "effects/AdjustmentDialog.h"

namespace velmora {

// "Brightness / Contrast" (TBrid): gauges "Brightness" (GaugeBar1) and "Contrast" (GaugeBar2),
// -200..200. Releasing a gauge shows PreviewBackup with both adjustments, the released gauge's
// own first (AdjustTone).
class BrightnessContrastDialog : public AdjustmentDialog {
  Q_OBJECT

 public:
  static constexpr int kLimit = 200;

  explicit BrightnessContrastDialog(CardDocument& doc, QWidget* parent = nullptr);

  // The gauges' mouse-up handlers.
  void BrightnessReleased();
  void ContrastReleased();

  GaugeBar* brightness_gauge() const noexcept { return brightness_; }
  GaugeBar* contrast_gauge() const noexcept { return contrast_; }

 private:
  void ShowTone(ToneGauge released);

  GaugeBar* brightness_ = nullptr;  // GaugeBar1
  GaugeBar* contrast_ = nullptr;    // GaugeBar2
};

}  // namespace velmora
