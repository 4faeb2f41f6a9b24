#include "effects/ColorBalanceDialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

#include "widgets/GaugeBar.h"

namespace velmora {

ColorBalanceDialog::ColorBalanceDialog(CardDocument& doc, QWidget* parent)
    : AdjustmentDialog(doc, "TGamma", "Color Balance", parent) {
  auto* layout = new QVBoxLayout(this);
  auto* colours = new QGroupBox("Basic Colors", this);
  colours->setObjectName("GroupBox1");
  auto* grid = new QGridLayout(colours);
  red_ = AddGauge(grid, 0, "GaugeBar1", kLimit, "Cyan", "Red");
  green_ = AddGauge(grid, 1, "GaugeBar2", kLimit, "Magenta", "Green");
  blue_ = AddGauge(grid, 2, "GaugeBar3", kLimit, "Yellow", "Blue");
  layout->addWidget(colours);

  auto* settings = new QGroupBox("Settings", this);
  settings->setObjectName("GroupBox2");
  auto* choices = new QHBoxLayout(settings);
  speed_ = new QRadioButton("Best Speed", settings);
  speed_->setObjectName("Speed");
  speed_->setChecked(true);
  quality_ = new QRadioButton("Best Quality", settings);
  quality_->setObjectName("Qval");
  choices->addWidget(speed_);
  choices->addWidget(quality_);
  choices->addStretch(1);
  layout->addWidget(settings);
  layout->addLayout(MakeButtons());
  layout->setSizeConstraint(QLayout::SetFixedSize);

  for (GaugeBar* gauge : {red_, green_, blue_}) {
    connect(gauge, &GaugeBar::released, this, &ColorBalanceDialog::SetBalance);
  }
  for (QRadioButton* choice : {speed_, quality_}) {
    connect(choice, &QRadioButton::clicked, this, &ColorBalanceDialog::SetBalance);
  }
}

BalanceMode ColorBalanceDialog::mode() const {
  return speed_->isChecked() ? BalanceMode::kSpeed : BalanceMode::kQuality;
}

void ColorBalanceDialog::SetBalance() {
  const BalanceMode m = mode();
  const int red = red_->value(), green = green_->value(), blue = blue_->value();
  preview().Show([=](Bitmap32& target) { AdjustBalance(target, m, red, green, blue); });
}

}  // namespace velmora
