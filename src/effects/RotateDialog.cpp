#include "effects/RotateDialog.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <charconv>

#include "document/LayerOperations.h"
#include "document/UndoRedo.h"
#include "effects/GeometryTransforms.h"
#include "graphics/Error.h"
#include "widgets/GaugeBar.h"

namespace velmora {
namespace {

const char* const kRangeMessage = "Значения могут лежать в диапазоне от -180 до 180 градусов.";

}  // namespace

int AngleFromText(const std::string& text) {
  const size_t start = text.find_first_not_of(" \t");
  std::string_view number =
      start == std::string::npos ? std::string_view() : std::string_view(text).substr(start);
  // from_chars reads a minus sign but no plus sign; a plus is taken here, before the digits.
  if (number.size() > 1 && number.front() == '+' && number[1] != '-') number.remove_prefix(1);
  int value = 0;
  const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (number.empty() || ec != std::errc() || end != number.data() + number.size()) {
    throw Error("'" + text + "' is not a valid integer value");
  }
  return value;
}

RotateDialog::RotateDialog(CardDocument& doc, QWidget* parent) : QDialog(parent), doc_(doc) {
  setObjectName("TPovor");
  setWindowTitle("Rotate");
  auto* layout = new QVBoxLayout(this);
  auto* group = new QGroupBox("Rotation", this);
  group->setObjectName("GroupBox1");
  auto* group_layout = new QVBoxLayout(group);
  auto* row = new QHBoxLayout;
  row->addWidget(new QLabel("Angle", group));
  angle_gauge_ = new GaugeBar(kMinAngle, kMaxAngle, 0, group);
  angle_gauge_->setObjectName("Angle");
  angle_gauge_->setMinimumWidth(220);
  row->addWidget(angle_gauge_, 1);
  angle_edit_ = new QLineEdit("0", group);
  angle_edit_->setObjectName("Edit1");
  angle_edit_->setFixedWidth(angle_edit_->fontMetrics().horizontalAdvance("-0000") + 16);
  row->addWidget(angle_edit_);
  group_layout->addLayout(row);
  interpolate_ = new QCheckBox("Bilinear Interpolation", group);
  interpolate_->setObjectName("Inter");
  interpolate_->setChecked(true);
  group_layout->addWidget(interpolate_);
  layout->addWidget(group);

  auto* buttons = new QHBoxLayout;
  auto* preview = new QPushButton("Preview", this);
  preview->setObjectName("Button3");
  auto* ok = new QPushButton("OK", this);
  ok->setObjectName("Button4");
  ok->setDefault(true);
  auto* cancel = new QPushButton("Cancel", this);
  cancel->setObjectName("Button2");
  buttons->addWidget(preview);
  buttons->addStretch(1);
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  show_error = [this](const QString& m) { QMessageBox::critical(this, "Velmora", m); };
  show_message = [this](const QString& m) { QMessageBox::information(this, "Velmora", m); };
  connect(angle_gauge_, &QSlider::valueChanged, this,
          [this](int v) { angle_edit_->setText(QString::number(v)); });
  connect(angle_edit_, &QLineEdit::textChanged, this, &RotateDialog::OnAngleTextChanged);
  connect(preview, &QPushButton::clicked, this, &RotateDialog::Preview);
  connect(ok, &QPushButton::clicked, this, &RotateDialog::Ok);
  connect(cancel, &QPushButton::clicked, this, &RotateDialog::Cancel);
}

bool RotateDialog::Run() {
  Activate();
  return exec() == QDialog::Accepted;
}

void RotateDialog::Activate() {
  backup_.reset();
  if (const BitmapLayer* layer = doc_.SelectedBitmap()) {
    backup_ = Backup{layer->id(), layer->bitmap(), layer->location()};
  }
}

void RotateDialog::SetAngleText(const QString& text) { angle_edit_->setText(text); }

void RotateDialog::MoveGauge(int position) { angle_gauge_->setValue(position); }

QString RotateDialog::angle_text() const { return angle_edit_->text(); }

int RotateDialog::gauge_position() const { return angle_gauge_->value(); }

void RotateDialog::set_interpolate(bool on) { interpolate_->setChecked(on); }

bool RotateDialog::interpolate() const { return interpolate_->isChecked(); }

void RotateDialog::OnAngleTextChanged(const QString& text) {
  if (text.isEmpty()) return;
  int angle = 0;
  try {
    angle = AngleFromText(text.toStdString());
  } catch (const Error& e) {
    show_error(QString::fromStdString(e.what()));
    return;
  }
  if (angle < kMinAngle || angle > kMaxAngle) {
    show_message(QString::fromUtf8(kRangeMessage));
    return;
  }
  // The text stays as typed; only the gauge follows it.
  const QSignalBlocker block(angle_gauge_);
  angle_gauge_->setValue(angle);
}

void RotateDialog::RestoreBackup() {
  if (!backup_) return;
  Layer* layer = doc_.FindLayer(backup_->layer_id);
  BitmapLayer* bitmap = layer ? layer->AsBitmap() : nullptr;
  if (!bitmap) return;
  bitmap->MutableBitmap() = backup_->bitmap;
  bitmap->set_location(backup_->location);
  doc_.Changed();
}

void RotateDialog::TurnFromBackup(bool remember) {
  if (!backup_) return;
  RestoreBackup();
  if (remember) RememberGeometry(doc_);
  try {
    LayerRescaleClick(doc_);
    const int angle = AngleFromText(angle_edit_->text().toStdString());
    TurnSelectedLayer(doc_, angle, interpolate());
  } catch (const Error& e) {
    show_error(QString::fromStdString(e.what()));
  }
}

void RotateDialog::Preview() { TurnFromBackup(false); }

void RotateDialog::Ok() {
  TurnFromBackup(true);
  done(QDialog::Accepted);
}

void RotateDialog::Cancel() { done(QDialog::Rejected); }

void RotateDialog::done(int result) {
  if (result != QDialog::Accepted && backup_) {
    RestoreBackup();
    if (Layer* layer = doc_.FindLayer(backup_->layer_id)) Reselect(doc_, *layer);
  }
  backup_.reset();
  QDialog::done(result);
}

}  // namespace velmora
