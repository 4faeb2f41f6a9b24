#pragma once

#include <QDialog>

class QSpinBox;

namespace velmora {

class GaugeBar;

// "JPEG Compression": the quality of a JPEG export, 1..100 (70 at first), kept between uses.
// The gauge and the number always show the same value.
class JpegCompressionDialog : public QDialog {
  Q_OBJECT

 public:
  explicit JpegCompressionDialog(QWidget* parent = nullptr);

  int quality() const;
  void set_quality(int q);

 private:
  QSpinBox* quality_edit_;  // ImageWidth with UpDown1
  GaugeBar* gauge_;         // TrackBar1
};

}  // namespace velmora
