#include "widgets/CollapsibleSection.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

#include "widgets/Icons.h"

namespace velmora {

CollapsibleSection::CollapsibleSection(const QString& title, int expanded_height, bool collapsible,
                                       QWidget* parent)
    : QWidget(parent), expanded_height_(expanded_height) {
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->setSpacing(0);

  auto* bar = new QWidget(this);
  bar->setObjectName("TitleBar");
  bar->setFixedHeight(kTitleHeight);
  bar->setAutoFillBackground(true);
  QPalette p = bar->palette();
  p.setColor(QPalette::Window, palette().color(QPalette::Dark));
  p.setColor(QPalette::WindowText, Qt::white);
  bar->setPalette(p);
  auto* bar_layout = new QHBoxLayout(bar);
  bar_layout->setContentsMargins(6, 0, 2, 0);
  bar_layout->setSpacing(0);
  auto* label = new QLabel(title, bar);
  QFont bold = label->font();
  bold.setBold(true);
  label->setFont(bold);
  label->setPalette(p);
  bar_layout->addWidget(label, 1);
  if (collapsible) {
    auto make_button = [&](IconId icon, const QString& hint) {
      auto* b = new QToolButton(bar);
      b->setIcon(VelmoraIcon(icon));
      b->setIconSize(QSize(12, 12));
      b->setFixedSize(18, 18);
      b->setAutoRaise(true);
      b->setToolTip(hint);
      bar_layout->addWidget(b);
      return b;
    };
    collapse_ = make_button(IconId::kCollapseLight, QString::fromUtf8("Свернуть"));
    expand_ = make_button(IconId::kExpandLight, QString::fromUtf8("Развернуть"));
    connect(collapse_, &QToolButton::clicked, this, [this] { SetCollapsed(true); });
    connect(expand_, &QToolButton::clicked, this, [this] { SetCollapsed(false); });
  }
  outer->addWidget(bar);

  content_ = new QWidget(this);
  content_layout_ = new QVBoxLayout(content_);
  content_layout_->setContentsMargins(8, 6, 8, 6);
  content_layout_->setSpacing(4);
  outer->addWidget(content_, 1);
  SetCollapsed(false);
}

void CollapsibleSection::set_expanded_height(int h) {
  expanded_height_ = h;
  if (!collapsed_) setFixedHeight(h);
}

void CollapsibleSection::SetCollapsed(bool collapsed) {
  collapsed_ = collapsed;
  content_->setVisible(!collapsed);
  setFixedHeight(collapsed ? kCollapsedHeight : expanded_height_);
  if (collapse_) collapse_->setEnabled(!collapsed);
  if (expand_) expand_->setEnabled(collapsed);
}

}  // namespace velmora
