#pragma once

#include <QDialog>

#include "effects/GeometryTransforms.h"
#include "effects/ImageSizeFields.h"

class QCheckBox;
class QComboBox;
class QSpinBox;

namespace velmora {

// "Image Size" (TRasm): the card's new width and height, directly or through its size in
// kilobytes, with "Keep Proportions", and the resampling method. It changes nothing itself; the
// command runs ResizeImage with its values after OK. The field rules are ImageSizeFields'.
class ImageSizeDialog : public QDialog {
  Q_OBJECT

 public:
  explicit ImageSizeDialog(QWidget* parent = nullptr);

  // Opens on a base image of this size and runs modally; true after OK.
  bool Run(int base_width, int base_height);
  // What opening does: the fields from the base image, "Nearest" chosen.
  void Activate(int base_width, int base_height);

  // The controls, as if the user typed or chose.
  void SetWidth(int width);
  void SetHeight(int height);
  void SetKilobytes(int kilobytes);
  void SetKeepProportions(bool keep);
  void SetMethod(int index);  // index into ResampleMethods()

  int width() const noexcept { return fields_.width(); }
  int height() const noexcept { return fields_.height(); }
  int kilobytes() const noexcept { return fields_.kilobytes(); }
  const ResampleMethod& method() const;

 private:
  // Writes the fields into the edits without running their rules.
  void ShowFields();

  ImageSizeFields fields_;
  QSpinBox* width_edit_ = nullptr;   // Edit1 with UpDown1
  QSpinBox* height_edit_ = nullptr;  // Edit2 with UpDown2
  QSpinBox* size_edit_ = nullptr;    // Edit3 with UpDown3
  QCheckBox* keep_ = nullptr;        // Prop
  QComboBox* method_ = nullptr;      // Resample
};

}  // namespace velmora
