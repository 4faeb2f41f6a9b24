#include "files/JpegCompressionDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include "files/ExportDialogSupport.h"
#include "widgets/GaugeBar.h"

namespace velmora {

JpegCompressionDialog::JpegCompressionDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("TCompress");
  setWindowTitle("JPEG Compression");
  auto* layout = new QVBoxLayout(this);
  auto* row = new QHBoxLayout;
  row->addWidget(new QLabel("Image Quality", this));
  quality_edit_ = new QSpinBox(this);
  quality_edit_->setObjectName("ImageWidth");
  quality_edit_->setRange(1, 100);
  quality_edit_->setValue(70);
  row->addStretch(1);
  row->addWidget(quality_edit_);
  layout->addLayout(row);
  gauge_ = new GaugeBar(1, 100, 70, this);
  gauge_->setObjectName("TrackBar1");
  gauge_->setMinimumWidth(240);
  layout->addWidget(gauge_);
  AddSaveRow(this, layout);

  connect(gauge_, &QSlider::valueChanged, this, [this](int v) {
    const QSignalBlocker block(quality_edit_);
    quality_edit_->setValue(v);
  });
  connect(quality_edit_, &QSpinBox::valueChanged, this, [this](int v) {
    const QSignalBlocker block(gauge_);
    gauge_->setValue(v);
  });
}

int JpegCompressionDialog::quality() const { return quality_edit_->value(); }

void JpegCompressionDialog::set_quality(int q) { quality_edit_->setValue(q); }

}  // namespace velmora
