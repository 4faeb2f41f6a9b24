#include "cards/NewProjectDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace velmora {

namespace {

constexpr int kRecomputeDelayMs = 50;
// The page's own margin, the column of fields left of the preview and the gap below it.
constexpr int kPageMargin = 8;
constexpr int kFieldsWidth = kPreviewBackdrop.left - 2 * kPageMargin;
constexpr int kPageWidth = kPreviewBackdrop.left + kPreviewBackdrop.width + kPageMargin;
// Windows' default scroll-bar colour, the backdrop's colour on the original form.
const QColor kBackdropColor(200, 200, 200);

constexpr const char* kHelpText =
    "If you select ready greeting card as background, the size of this\n"
    "project will be transform into the size of the background.\n"
    "\n"
    "Resolution: 72 dpi - for monitor, 300 dpi - photo printer.";

QString UnitText(SizeUnit unit) {
  return unit == SizeUnit::kInches ? QStringLiteral("Inches") : QStringLiteral("Pixels");
}

QLabel* NewLabel(const char* text, QWidget* parent) {
  return new QLabel(QString::fromLatin1(text), parent);
}

QSpinBox* NewSpinBox(const char* name, int min, int max, QWidget* parent) {
  auto* box = new QSpinBox(parent);
  box->setObjectName(QString::fromLatin1(name));
  box->setRange(min, max);
  return box;
}

QFrame* NewRectangle(const char* name, const QColor& fill, bool outline, QWidget* parent) {
  auto* shape = new QFrame(parent);
  shape->setObjectName(QString::fromLatin1(name));
  shape->setFrameStyle(outline ? QFrame::Box | QFrame::Plain : QFrame::NoFrame);
  shape->setLineWidth(1);
  QPalette palette = shape->palette();
  palette.setColor(QPalette::Window, fill);
  palette.setColor(QPalette::WindowText, Qt::black);
  shape->setPalette(palette);
  shape->setAutoFillBackground(true);
  return shape;
}

QRect ToQRect(const PageRect& r) { return QRect(r.left, r.top, r.width, r.height); }

}  // namespace

NewProjectDialog::NewProjectDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TTemplates"));
  setWindowTitle(QStringLiteral("New Project"));
  BuildControls();
  ConnectControls();
  ShowState();
}

void NewProjectDialog::BuildControls() {
  auto* tabs = new QTabWidget(this);
  auto* page = new QWidget;
  tabs->addTab(page, QStringLiteral("Page Setup"));

  // The fields, left of the preview.
  auto* fields = new QWidget(page);
  auto* grid = new QGridLayout(fields);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setHorizontalSpacing(8);
  grid->setVerticalSpacing(10);

  template_list_ = new QComboBox(fields);
  template_list_->setObjectName(QStringLiteral("Shabl"));
  for (const PageTemplate& t : PageTemplates()) {
    template_list_->addItem(QString::fromUtf8(t.text.data(), qsizetype(t.text.size())),
                            QString::fromUtf8(t.id.data(), qsizetype(t.id.size())));
  }
  width_edit_ = NewSpinBox("WI", NewProjectSize::kMinField, NewProjectSize::kMaxField, fields);
  height_edit_ = NewSpinBox("HE", NewProjectSize::kMinField, NewProjectSize::kMaxField, fields);
  unit_list_ = new QComboBox(fields);
  unit_list_->setObjectName(QStringLiteral("CEP"));
  for (SizeUnit unit : {SizeUnit::kPixels, SizeUnit::kInches}) {
    unit_list_->addItem(UnitText(unit), int(unit));
  }
  unit_label_ = new QLabel(fields);
  unit_label_->setObjectName(QStringLiteral("Label3"));
  portrait_button_ = new QRadioButton(QStringLiteral("Portrait"), fields);
  portrait_button_->setObjectName(QStringLiteral("Book"));
  landscape_button_ = new QRadioButton(QStringLiteral("Landcape"), fields);
  landscape_button_->setObjectName(QStringLiteral("Alba"));
  resolution_edit_ =
      NewSpinBox("Resol", NewProjectSize::kMinResolution, NewProjectSize::kMaxResolution, fields);
  size_label_ = new QLabel(fields);
  size_label_->setObjectName(QStringLiteral("Label7"));

  const struct Row {
    const char* caption;
    QWidget* first;
    QWidget* second;
  } rows[] = {
      {"Preset", template_list_, nullptr},
      {"Width", width_edit_, unit_list_},
      {"Height", height_edit_, unit_label_},
      {"Orientation", portrait_button_, landscape_button_},
      {"Resolution", resolution_edit_, NewLabel("dpi", fields)},
      {"Size", size_label_, NewLabel("Kb", fields)},
  };
  int r = 0;
  for (const Row& row : rows) {
    QLabel* caption = NewLabel(row.caption, fields);
    caption->setBuddy(row.first);
    grid->addWidget(caption, r, 0);
    if (row.second == nullptr) {
      grid->addWidget(row.first, r, 1, 1, 2);
    } else {
      grid->addWidget(row.first, r, 1);
      grid->addWidget(row.second, r, 2);
    }
    ++r;
  }
  grid->setRowStretch(r, 1);
  grid->setColumnStretch(3, 1);  // the controls keep their own width
  fields->setGeometry(kPageMargin, kPageMargin, kFieldsWidth, kPreviewBackdrop.height);

  // The preview: the page rectangle on its backdrop.
  NewRectangle("Shape1", kBackdropColor, false, page)->setGeometry(ToQRect(kPreviewBackdrop));
  page_preview_ = NewRectangle("SP", Qt::white, true, page);

  auto* help = new QLabel(QString::fromLatin1(kHelpText), page);
  help->setObjectName(QStringLiteral("Label13"));
  const int help_top = kPreviewBackdrop.top + kPreviewBackdrop.height + kPageMargin;
  const int help_width = kPageWidth - 2 * kPageMargin;
  help->setGeometry(kPageMargin, help_top, help_width, help->sizeHint().height());
  page->setFixedSize(kPageWidth, help_top + help->height() + kPageMargin);

  recompute_timer_ = new QTimer(this);
  recompute_timer_->setObjectName(QStringLiteral("Timer1"));
  recompute_timer_->setSingleShot(true);
  recompute_timer_->setInterval(kRecomputeDelayMs);

  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(QStringLiteral("Create project"), QDialogButtonBox::AcceptRole)
      ->setDefault(true);
  buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &NewProjectDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &NewProjectDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void NewProjectDialog::ConnectControls() {
  // `activated`, not a change of index: picking the template already shown applies it again.
  connect(template_list_, &QComboBox::activated, this, [this](int index) {
    ChooseTemplate(template_list_->itemData(index).toString().toStdString());
  });
  connect(unit_list_, &QComboBox::activated, this, [this](int index) {
    size_.ChooseUnit(SizeUnit(unit_list_->itemData(index).toInt()));
    ShowState();
  });
  const auto on_edit = [this](QSpinBox* box, void (NewProjectSize::*edit)(int)) {
    connect(box, &QSpinBox::valueChanged, this, [this, edit](int value) {
      (size_.*edit)(value);
      ShowState();
    });
  };
  on_edit(width_edit_, &NewProjectSize::EditWidth);
  on_edit(height_edit_, &NewProjectSize::EditHeight);
  on_edit(resolution_edit_, &NewProjectSize::EditResolution);
  const auto on_click = [this](QRadioButton* button, Orientation orientation) {
    connect(button, &QRadioButton::clicked, this, [this, orientation] {
      size_.ChooseOrientation(orientation);
      ShowState();
    });
  };
  on_click(portrait_button_, Orientation::kPortrait);
  on_click(landscape_button_, Orientation::kLandscape);
  connect(recompute_timer_, &QTimer::timeout, this, &NewProjectDialog::RecomputeNow);
}

bool NewProjectDialog::Run() { return exec() == QDialog::Accepted; }

void NewProjectDialog::ChooseTemplate(std::string_view id) {
  size_.ChooseTemplate(id);
  ShowState();
}

void NewProjectDialog::RecomputeNow() {
  size_.Recompute();
  ShowState();
}

void NewProjectDialog::accept() {
  size_.FinishPendingRecompute();
  ShowState();
  QDialog::accept();
}

void NewProjectDialog::ShowState() {
  const QSignalBlocker block_templates(template_list_);
  const QSignalBlocker block_units(unit_list_);
  const QSignalBlocker block_width(width_edit_);
  const QSignalBlocker block_height(height_edit_);
  const QSignalBlocker block_resolution(resolution_edit_);
  const std::string_view id = size_.template_id();
  template_list_->setCurrentIndex(
      template_list_->findData(QString::fromUtf8(id.data(), qsizetype(id.size()))));
  unit_list_->setCurrentIndex(unit_list_->findData(int(size_.unit())));
  unit_label_->setText(UnitText(size_.unit()));
  width_edit_->setValue(size_.width_field());
  height_edit_->setValue(size_.height_field());
  resolution_edit_->setValue(size_.resolution());
  (size_.orientation() == Orientation::kPortrait ? portrait_button_ : landscape_button_)
      ->setChecked(true);
  size_label_->setText(QString::number(size_.size_kb()));
  page_preview_->setGeometry(ToQRect(size_.preview()));

  if (size_.recompute_pending() && !recompute_timer_->isActive()) recompute_timer_->start();
  if (!size_.recompute_pending()) recompute_timer_->stop();
}

}  // namespace velmora
