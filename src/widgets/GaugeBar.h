#pragma once

#include <QSlider>

namespace velmora {

// A horizontal gauge: a slider without tick marks whose owner can act either on every change
// (valueChanged) or only when the user lets go of it (released), however the value was moved
// (dragging the handle, clicking the groove, the keyboard).
class GaugeBar : public QSlider {
  Q_OBJECT

 public:
  GaugeBar(int minimum, int maximum, int value, QWidget* parent = nullptr);

 signals:
  // The mouse button was released on the gauge, or a key moved it.
  void released();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
};

}  // namespace velmora
