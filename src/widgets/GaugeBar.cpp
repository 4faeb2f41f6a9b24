#include "widgets/GaugeBar.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace velmora {

GaugeBar::GaugeBar(int minimum, int maximum, int value, QWidget* parent)
    : QSlider(Qt::Horizontal, parent) {
  setRange(minimum, maximum);
  setValue(value);
  setTickPosition(QSlider::NoTicks);
  setPageStep(std::max(1, (maximum - minimum) / 10));
}

void GaugeBar::mouseReleaseEvent(QMouseEvent* event) {
  QSlider::mouseReleaseEvent(event);
  emit released();
}

void GaugeBar::keyReleaseEvent(QKeyEvent* event) {
  QSlider::keyReleaseEvent(event);
  if (!event->isAutoRepeat()) emit released();
}

}  // namespace velmora
