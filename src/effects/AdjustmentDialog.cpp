#include "effects/AdjustmentDialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>

#include "widgets/GaugeBar.h"

namespace velmora {

// The gauges are wide enough that one step of the mouse is about one unit of the larger range.
constexpr int kGaugeWidth = 240;

AdjustmentDialog::AdjustmentDialog(CardDocument& doc, const char* form_name, const QString& caption,
                                   QWidget* parent)
    : QDialog(parent), backup_(doc) {
  setObjectName(form_name);
  setWindowTitle(caption);
}

GaugeBar* AdjustmentDialog::AddGauge(QGridLayout* grid, int row, const char* form_name, int limit,
                                     const QString& left, const QString& right) {
  QWidget* owner = grid->parentWidget();
  auto* gauge = new GaugeBar(-limit, limit, 0, owner);
  gauge->setObjectName(form_name);
  gauge->setMinimumWidth(kGaugeWidth);
  grid->addWidget(new QLabel(left, owner), row, 0);
  grid->addWidget(gauge, row, 1);
  if (!right.isEmpty()) grid->addWidget(new QLabel(right, owner), row, 2);
  gauges_.push_back(gauge);
  return gauge;
}

QLayout* AdjustmentDialog::MakeButtons() {
  auto* row = new QHBoxLayout;
  auto* reset = new QPushButton("Reset", this);
  reset->setObjectName("Button3");
  reset->setAutoDefault(false);
  auto* ok = new QPushButton("OK", this);
  ok->setObjectName("Button1");
  ok->setDefault(true);
  auto* cancel = new QPushButton("Cancel", this);
  cancel->setObjectName("Button2");
  row->addWidget(reset);
  row->addStretch(1);
  row->addWidget(ok);
  row->addWidget(cancel);
  connect(reset, &QPushButton::clicked, this, &AdjustmentDialog::Reset);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  return row;
}

bool AdjustmentDialog::Run() {
  Activate();
  return exec() == QDialog::Accepted;
}

void AdjustmentDialog::Activate() {
  for (GaugeBar* gauge : gauges_) {
    const QSignalBlocker block(gauge);
    gauge->setValue(0);
  }
  backup_.Take();
}

void AdjustmentDialog::Reset() {
  for (GaugeBar* gauge : gauges_) {
    const QSignalBlocker block(gauge);
    gauge->setValue(0);
  }
  backup_.Show();
}

void AdjustmentDialog::done(int result) {
  backup_.Release(result == QDialog::Accepted);
  QDialog::done(result);
}

}  // namespace velmora
