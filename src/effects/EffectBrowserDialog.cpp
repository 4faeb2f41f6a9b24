#include "effects/EffectBrowserDialog.h"

#include <QButtonGroup>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "effects/EffectTarget.h"
#include "effects/EffectThumbnails.h"

namespace velmora {
namespace {

// Every preview is shown within this square, tall ones shrunk to fit, with room for its title.
constexpr int kShownSize = kThumbnailWidth;
constexpr int kButtonWidth = kShownSize + 24;
constexpr int kTitleSpace = 36;  // the title's line and the button's margins
constexpr int kGap = 4;

// The preview as shown: its colours only, like a picture file without alpha.
QPixmap PixmapOf(const Bitmap32& thumbnail) {
  const QImage image(reinterpret_cast<const uchar*>(thumbnail.Bits()), thumbnail.width(),
                     thumbnail.height(), thumbnail.width() * 4, QImage::Format_RGB32);
  return QPixmap::fromImage(image);  // a deep copy
}

}  // namespace

EffectBrowserDialog::EffectBrowserDialog(const CardDocument& doc, Random& random, QWidget* parent)
    : QDialog(parent), doc_(doc), random_(random) {
  setObjectName("TBrowser");
  setWindowTitle("Effect Browser");
  auto* layout = new QVBoxLayout(this);

  auto* view = new QFrame(this);
  view->setObjectName("FView");
  view->setFrameShape(QFrame::StyledPanel);
  view->setAutoFillBackground(true);
  QPalette white = view->palette();
  white.setColor(QPalette::Window, Qt::white);
  view->setPalette(white);
  auto* grid = new QGridLayout(view);
  grid->setSpacing(kGap);
  view_ = new QButtonGroup(this);
  const std::vector<EffectEntry>& entries = BrowserEffects();
  for (int i = 0; i < int(entries.size()); ++i) {
    auto* button = new QToolButton(view);
    button->setObjectName(QString::fromLatin1(entries[i].id.data(), int(entries[i].id.size())));
    button->setText(QString::fromLatin1(entries[i].title.data(), int(entries[i].title.size())));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setIconSize(QSize(kShownSize, kShownSize));
    button->setFixedSize(kButtonWidth, kShownSize + kTitleSpace);
    button->setCheckable(true);
    button->installEventFilter(this);
    view_->addButton(button, i);
    grid->addWidget(button, i / kColumns, i % kColumns);
  }
  layout->addWidget(view);

  auto* buttons = new QHBoxLayout;
  auto* ok = new QPushButton("OK", this);
  ok->setObjectName("Button4");
  ok->setDefault(true);
  auto* cancel = new QPushButton("Cancel", this);
  cancel->setObjectName("Button1");
  buttons->addStretch(1);
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

bool EffectBrowserDialog::Run() {
  Activate();
  return exec() == QDialog::Accepted;
}

void EffectBrowserDialog::Activate() {
  Choose(-1);
  const Bitmap32* target = EffectTargetPixels(doc_);
  thumbnails_ = target ? BuildEffectThumbnails(*target, random_) : std::vector<Bitmap32>();
  // A wide picture's previews are shown at their own size with the titles right below them;
  // a tall picture's are shrunk into the square.
  const int shown_height =
      thumbnails_.empty() ? kShownSize : std::min(thumbnails_.front().height(), kShownSize);
  for (int i = 0; i < int(view_->buttons().size()); ++i) {
    QAbstractButton* button = view_->button(i);
    button->setIconSize(QSize(kShownSize, shown_height));
    button->setFixedSize(kButtonWidth, shown_height + kTitleSpace);
    button->setIcon(i < int(thumbnails_.size()) ? QIcon(PixmapOf(thumbnails_[size_t(i)]))
                                                : QIcon());
  }
}

void EffectBrowserDialog::Choose(int index) {
  if (QAbstractButton* button = view_->button(index)) {
    button->setChecked(true);
    return;
  }
  // An exclusive group never lets its last button go; the choice is cleared with it off.
  view_->setExclusive(false);
  for (QAbstractButton* button : view_->buttons()) button->setChecked(false);
  view_->setExclusive(true);
}

void EffectBrowserDialog::ChooseAndClose(int index) {
  Choose(index);
  accept();
}

const EffectEntry* EffectBrowserDialog::chosen() const {
  const int index = view_->checkedId();
  return index < 0 ? nullptr : &BrowserEffects()[size_t(index)];
}

QToolButton* EffectBrowserDialog::thumbnail_button(int index) const {
  return static_cast<QToolButton*>(view_->button(index));
}

bool EffectBrowserDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonDblClick) {
    const int index = view_->id(static_cast<QAbstractButton*>(watched));
    if (index >= 0) {
      ChooseAndClose(index);
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace velmora
