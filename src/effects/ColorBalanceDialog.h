#pragma once

#include "effects/AdjustmentDialog.h"

class QRadioButton;

namespace velmora {

// "Color Balance" (TGamma): in the group "Basic Colors" the gauges Cyan-Red (GaugeBar1),
// Magenta-Green (GaugeBar2) and Yellow-Blue (GaugeBar3), -50..50, the red, green and blue
// offsets; in the group "Settings" the choice "Best Speed" (Speed, BalanceFast) or "Best
// Quality" (Qval, BalanceQuality), kept from one opening to the next. Releasing a gauge or
// clicking a choice runs SetBalance.
class ColorBalanceDialog : public AdjustmentDialog {
  Q_OBJECT

 public:
  static constexpr int kLimit = 50;

  explicit ColorBalanceDialog(CardDocument& doc, QWidget* parent = nullptr);

  // The target := PreviewBackup with the balance of the three gauges in the chosen mode.
  void SetBalance();

  BalanceMode mode() const;
  GaugeBar* red_gauge() const noexcept { return red_; }
  GaugeBar* green_gauge() const noexcept { return green_; }
  GaugeBar* blue_gauge() const noexcept { return blue_; }
  QRadioButton* speed_button() const noexcept { return speed_; }
  QRadioButton* quality_button() const noexcept { return quality_; }

 private:
  GaugeBar* red_ = nullptr;    // GaugeBar1
  GaugeBar* green_ = nullptr;  // GaugeBar2
  GaugeBar* blue_ = nullptr;   // GaugeBar3
  QRadioButton* speed_ = nullptr;
  QRadioButton* quality_ = nullptr;
};

}  // namespace velmora
