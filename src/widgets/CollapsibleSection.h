#pragma once

#include <QWidget>

class QLabel;
class QToolButton;
class QVBoxLayout;

namespace velmora {

// A section of a side panel: a title bar (white text on the button-shadow colour) with a
// collapse and an expand button at its right end, above a content area. Collapsed, only the
// title bar shows; expanded, the section has its listed height.
class CollapsibleSection : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kTitleHeight = 20;
  static constexpr int kCollapsedHeight = 21;

  CollapsibleSection(const QString& title, int expanded_height, bool collapsible,
                     QWidget* parent = nullptr);

  QWidget* content() const noexcept { return content_; }
  QVBoxLayout* content_layout() const noexcept { return content_layout_; }
  int expanded_height() const noexcept { return expanded_height_; }
  void set_expanded_height(int h);
  bool collapsed() const noexcept { return collapsed_; }
  void SetCollapsed(bool collapsed);

 private:
  QWidget* content_;
  QVBoxLayout* content_layout_;
  QToolButton* collapse_ = nullptr;
  QToolButton* expand_ = nullptr;
  int expanded_height_;
  bool collapsed_ = false;
};

}  // namespace velmora
