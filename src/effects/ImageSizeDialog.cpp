#include "effects/ImageSizeDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

namespace velmora {
namespace {

QSpinBox* SizeEdit(const char* name, int lo, int hi, QWidget* parent) {
  auto* edit = new QSpinBox(parent);
  edit->setObjectName(name);
  edit->setRange(lo, hi);
  edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance("000000") + 40);
  return edit;
}

QString Text(std::string_view s) { return QString::fromUtf8(s.data(), int(s.size())); }

}  // namespace

ImageSizeDialog::ImageSizeDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("TRasm");
  setWindowTitle("Image Size");
  auto* layout = new QVBoxLayout(this);
  auto* group = new QGroupBox("Size", this);
  group->setObjectName("GroupBox1");
  auto* grid = new QGridLayout(group);
  using F = ImageSizeFields;
  width_edit_ = SizeEdit("Edit1", F::kMinSide, F::kMaxSide, group);
  height_edit_ = SizeEdit("Edit2", F::kMinSide, F::kMaxSide, group);
  size_edit_ = SizeEdit("Edit3", F::kMinKilobytes, F::kMaxKilobytes, group);
  const struct {
    const char* label;
    QSpinBox* edit;
    const char* unit;
  } rows[] = {{"Width", width_edit_, "точек"},
              {"Height", height_edit_, "точек"},
              {"Size", size_edit_, "Кбайт"}};
  for (int i = 0; i < 3; ++i) {
    grid->addWidget(new QLabel(rows[i].label, group), i, 0);
    grid->addWidget(rows[i].edit, i, 1);
    grid->addWidget(new QLabel(QString::fromUtf8(rows[i].unit), group), i, 2);
  }
  keep_ = new QCheckBox("Keep Proportions", group);
  keep_->setObjectName("Prop");
  keep_->setChecked(true);
  grid->addWidget(keep_, 3, 0, 1, 3);
  layout->addWidget(group);

  layout->addWidget(new QLabel("Resampling Method", this));
  method_ = new QComboBox(this);
  method_->setObjectName("Resample");
  for (const ResampleMethod& m : ResampleMethods()) method_->addItem(Text(m.text));
  layout->addWidget(method_);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  auto* ok = new QPushButton("OK", this);
  ok->setObjectName("Button1");
  ok->setDefault(true);
  auto* cancel = new QPushButton("Cancel", this);
  cancel->setObjectName("Button2");
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(width_edit_, &QSpinBox::valueChanged, this, [this](int v) {
    fields_.SetWidth(v);
    ShowFields();
  });
  connect(height_edit_, &QSpinBox::valueChanged, this, [this](int v) {
    fields_.SetHeight(v);
    ShowFields();
  });
  connect(size_edit_, &QSpinBox::valueChanged, this, [this](int v) {
    fields_.SetKilobytes(v);
    ShowFields();
  });
  connect(keep_, &QCheckBox::toggled, this, [this](bool on) { fields_.set_keep_proportions(on); });
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

bool ImageSizeDialog::Run(int base_width, int base_height) {
  Activate(base_width, base_height);
  return exec() == QDialog::Accepted;
}

void ImageSizeDialog::Activate(int base_width, int base_height) {
  fields_.Activate(base_width, base_height);
  method_->setCurrentIndex(0);
  ShowFields();
}

void ImageSizeDialog::SetWidth(int width) { width_edit_->setValue(width); }

void ImageSizeDialog::SetHeight(int height) { height_edit_->setValue(height); }

void ImageSizeDialog::SetKilobytes(int kilobytes) { size_edit_->setValue(kilobytes); }

void ImageSizeDialog::SetKeepProportions(bool keep) { keep_->setChecked(keep); }

void ImageSizeDialog::SetMethod(int index) { method_->setCurrentIndex(index); }

const ResampleMethod& ImageSizeDialog::method() const {
  const int i = method_->currentIndex();
  return ResampleMethods()[i < 0 ? 0 : size_t(i)];
}

void ImageSizeDialog::ShowFields() {
  const QSignalBlocker b1(width_edit_), b2(height_edit_), b3(size_edit_);
  width_edit_->setValue(fields_.width());
  height_edit_->setValue(fields_.height());
  size_edit_->setValue(fields_.kilobytes());
}

}  // namespace velmora
