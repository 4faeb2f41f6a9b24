#include "effects/PerspectiveDialog.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QFrame>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "graphics/Error.h"

namespace velmora {

namespace {

// The outline's dashes move by this much every tick of the timer.
constexpr double kDashAdvance = 0.05;
constexpr int kAntsIntervalMs = 30;

}  // namespace

// The preview area: shows a bitmap 1:1 from its top-left corner and passes the left mouse
// button's presses, moves and releases on.
class PerspectivePreview : public QWidget {
 public:
  PerspectivePreview(const Bitmap32& shown, QWidget* parent) : QWidget(parent), shown_(shown) {
    setObjectName("Dst");
    setFixedSize(kPerspectiveAreaWidth, kPerspectiveAreaHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::CrossCursor);
  }

  std::function<void(int, int)> on_press, on_move;
  std::function<void()> on_release;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (shown_.empty()) return;
    const QImage image(reinterpret_cast<const uchar*>(shown_.Bits()), shown_.width(),
                       shown_.height(), shown_.width() * 4, QImage::Format_ARGB32);
    painter.drawImage(0, 0, image);
  }
  void mousePressEvent(QMouseEvent* e) override {
    if (e->button() == Qt::LeftButton && on_press) on_press(Px(e).x(), Px(e).y());
  }
  void mouseMoveEvent(QMouseEvent* e) override {
    if ((e->buttons() & Qt::LeftButton) && on_move) on_move(Px(e).x(), Px(e).y());
  }
  void mouseReleaseEvent(QMouseEvent* e) override {
    if (e->button() == Qt::LeftButton && on_release) on_release();
  }

 private:
  static QPoint Px(const QMouseEvent* e) { return e->position().toPoint(); }

  const Bitmap32& shown_;
};

PerspectiveDialog::PerspectiveDialog(CardDocument& doc, QWidget* parent)
    : QDialog(parent), doc_(doc) {
  setObjectName("TProGeomo");
  setWindowTitle("Perspective Correction - keep left mouse button and move image corners");
  rendered_.SetSize(kPerspectiveAreaWidth, kPerspectiveAreaHeight);
  frame_.SetSize(kPerspectiveAreaWidth, kPerspectiveAreaHeight);
  DrawChequer(rendered_);
  frame_ = rendered_;

  auto* layout = new QVBoxLayout(this);
  auto* border = new QFrame(this);
  border->setFrameShape(QFrame::StyledPanel);
  auto* border_layout = new QVBoxLayout(border);
  border_layout->setContentsMargins(1, 1, 1, 1);
  preview_ = new PerspectivePreview(frame_, border);
  border_layout->addWidget(preview_);
  layout->addWidget(border, 0, Qt::AlignLeft | Qt::AlignTop);

  auto* controls = new QHBoxLayout;
  interpolation_ = new QCheckBox("Interpolation", this);
  interpolation_->setObjectName("CheckBox1");
  interpolation_->setChecked(true);
  controls->addWidget(interpolation_);
  background_panel_ = new QFrame(this);
  background_panel_->setObjectName("Panel1");
  background_panel_->setFrameShape(QFrame::StyledPanel);
  auto* panel_layout = new QHBoxLayout(background_panel_);
  panel_layout->setContentsMargins(6, 2, 2, 2);
  panel_layout->addWidget(new QLabel("Background", background_panel_));
  background_swatch_ = new QFrame(background_panel_);
  background_swatch_->setObjectName("BackgroundSwatch");
  background_swatch_->setFrameShape(QFrame::Box);
  background_swatch_->setFixedSize(22, 16);
  background_swatch_->setAutoFillBackground(true);
  panel_layout->addWidget(background_swatch_);
  background_button_ = new QToolButton(background_panel_);
  background_button_->setObjectName("SpeedButton1");
  background_button_->setText("...");
  background_button_->setToolTip("Background colour");
  panel_layout->addWidget(background_button_);
  controls->addWidget(background_panel_);
  controls->addStretch(1);
  auto* reset = new QPushButton("Reset", this);
  reset->setObjectName("Button4");
  auto* ok = new QPushButton("OK", this);
  ok->setObjectName("Button2");
  ok->setDefault(true);
  auto* cancel = new QPushButton("Cancel", this);
  cancel->setObjectName("Button3");
  controls->addWidget(reset);
  controls->addWidget(ok);
  controls->addWidget(cancel);
  layout->addLayout(controls);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  ants_timer_ = new QTimer(this);
  ants_timer_->setInterval(kAntsIntervalMs);
  connect(ants_timer_, &QTimer::timeout, this, &PerspectiveDialog::AnimateOutline);

  choose_colour = [this](Color32 current) -> std::optional<Color32> {
    const QColor c = QColorDialog::getColor(QColor::fromRgb(current), this, "Background");
    if (!c.isValid()) return std::nullopt;
    return Color32(0xFF000000u | c.rgb());
  };
  show_error = [this](const QString& m) { QMessageBox::critical(this, "Velmora", m); };

  preview_->on_press = [this](int x, int y) { PressAt(x, y); };
  preview_->on_move = [this](int x, int y) { DragTo(x, y); };
  preview_->on_release = [this] { ReleaseMouse(); };
  connect(interpolation_, &QCheckBox::toggled, this, [this] { Render(); });
  connect(background_button_, &QToolButton::clicked, this, &PerspectiveDialog::ChooseBackground);
  connect(reset, &QPushButton::clicked, this, &PerspectiveDialog::Reset);
  connect(ok, &QPushButton::clicked, this, &PerspectiveDialog::Ok);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  ShowBackground();
}

PerspectiveDialog::~PerspectiveDialog() = default;

bool PerspectiveDialog::Run() {
  Activate();
  return exec() == QDialog::Accepted;
}

void PerspectiveDialog::Activate() {
  const BitmapLayer* layer = doc_.SelectedBitmap();
  full_ = layer ? layer->bitmap() : doc_.base_image();
  source_ = MakePreviewSource(full_, kPerspectiveAreaWidth, kPerspectiveAreaHeight);
  drag_.Reset(source_.width(), source_.height());
  background_button_->setEnabled(layer == nullptr);
  Render();
}

void PerspectiveDialog::PressAt(int x, int y) { drag_.Press(x, y); }

void PerspectiveDialog::DragTo(int x, int y) {
  if (drag_.Move(x, y)) Render();
}

void PerspectiveDialog::ReleaseMouse() { drag_.Release(); }

void PerspectiveDialog::Reset() {
  drag_.Reset(source_.width(), source_.height());
  Render();
}

void PerspectiveDialog::SetInterpolation(bool on) { interpolation_->setChecked(on); }

bool PerspectiveDialog::interpolation() const { return interpolation_->isChecked(); }

void PerspectiveDialog::SetBackground(Color32 colour) {
  background_ = colour | 0xFF000000u;
  ShowBackground();
}

bool PerspectiveDialog::background_enabled() const { return background_button_->isEnabled(); }

void PerspectiveDialog::ChooseBackground() {
  if (const auto chosen = choose_colour(background_)) SetBackground(*chosen);
}

void PerspectiveDialog::Ok() {
  try {
    ApplyPerspective(doc_, full_, source_.width(), drag_.corners(), interpolation(), background_);
  } catch (const Error& e) {
    show_error(QString::fromStdString(e.what()));
    return;
  }
  done(QDialog::Accepted);
}

bool PerspectiveDialog::animating() const { return ants_timer_->isActive(); }

void PerspectiveDialog::AnimateOutline() {
  dash_offset_ -= kDashAdvance;
  ShowFrame();
}

void PerspectiveDialog::done(int result) {
  // The copies can be large; nothing needs them until the next opening.
  full_ = Bitmap32();
  source_ = Bitmap32();
  QDialog::done(result);
}

void PerspectiveDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  ants_timer_->start();
}

void PerspectiveDialog::hideEvent(QHideEvent* event) {
  ants_timer_->stop();
  QDialog::hideEvent(event);
}

void PerspectiveDialog::Render() {
  RenderPerspectivePreview(rendered_, source_, drag_.corners(), interpolation());
  ShowFrame();
}

void PerspectiveDialog::ShowFrame() {
  frame_.CopyPixelsFrom(rendered_);
  DrawCornerOutline(frame_, drag_.corners(), dash_offset_);
  preview_->update();
}

void PerspectiveDialog::ShowBackground() {
  QPalette p = background_swatch_->palette();
  p.setColor(QPalette::Window, QColor::fromRgb(background_));
  background_swatch_->setPalette(p);
}

}  // namespace velmora
