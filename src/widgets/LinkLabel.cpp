#include "widgets/LinkLabel.h"

#include <QMouseEvent>

namespace velmora {

LinkLabel::LinkLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
  QFont f = font();
  f.setUnderline(true);
  setFont(f);
  QPalette p = palette();
  p.setColor(QPalette::WindowText, QColor(0, 84, 227));
  setPalette(p);
  setCursor(Qt::PointingHandCursor);
  setFocusPolicy(Qt::NoFocus);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
  QLabel::mouseReleaseEvent(event);
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
    emit clicked();
  }
}

}  // namespace velmora
