#include "effects/BrightnessContrastDialog.h"

#include <QGridLayout>
#include <QVBoxLayout>

#include "widgets/GaugeBar.h"

namespace velmora {

BrightnessContrastDialog::BrightnessContrastDialog(CardDocument& doc, QWidget* parent)
    : AdjustmentDialog(doc, "TBrid", "Brightness / Contrast", parent) {
  auto* layout = new QVBoxLayout(this);
  auto* grid = new QGridLayout;
  layout->addLayout(grid);
  brightness_ = AddGauge(grid, 0, "GaugeBar1", kLimit, "Brightness");
  contrast_ = AddGauge(grid, 1, "GaugeBar2", kLimit, "Contrast");
  layout->addSpacing(8);
  layout->addLayout(MakeButtons());
  layout->setSizeConstraint(QLayout::SetFixedSize);
  connect(brightness_, &GaugeBar::released, this, &BrightnessContrastDialog::BrightnessReleased);
  connect(contrast_, &GaugeBar::released, this, &BrightnessContrastDialog::ContrastReleased);
}

void BrightnessContrastDialog::BrightnessReleased() { ShowTone(ToneGauge::kBrightness); }

void BrightnessContrastDialog::ContrastReleased() { ShowTone(ToneGauge::kContrast); }

void BrightnessContrastDialog::ShowTone(ToneGauge released) {
  const int brightness = brightness_->value(), contrast = contrast_->value();
  preview().Show([=](Bitmap32& target) { AdjustTone(target, released, brightness, contrast); });
}

}  // namespace velmora
