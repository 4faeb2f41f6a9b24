#pragma once

#include <QLabel>

namespace velmora {

// A clickable text in the style of a web link: underlined, blue (0, 84, 227), hand cursor.
class LinkLabel : public QLabel {
  Q_OBJECT

 public:
  explicit LinkLabel(const QString& text, QWidget* parent = nullptr);

 signals:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace velmora
