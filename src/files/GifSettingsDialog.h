#pragma once

#include <QDialog>

#include "graphics/Bitmap32.h"
#include "imageio/PictureFormat.h"

class QLabel;
class QRadioButton;

namespace velmora {

// "GIF Settings": how many colours a GIF export keeps ("2", "16", "256" or "Auto"), kept between
// uses; its information line tells how many colours the picture has.
class GifSettingsDialog : public QDialog {
  Q_OBJECT

 public:
  explicit GifSettingsDialog(QWidget* parent = nullptr);

  // Fills the information line for the picture about to be saved.
  void ShowColourCount(const Bitmap32& picture);
  QString information() const;
  GifDepth depth() const;
  void set_depth(GifDepth depth);

 private:
  QLabel* information_;  // Panel1
  QRadioButton* buttons_[4];
};

// The number of different colours (red, green and blue; alpha is not counted) in the picture.
int64_t CountColours(const Bitmap32& picture);

}  // namespace velmora
