#include "widgets/LayerView.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "document/LayerOperations.h"

namespace velmora {
namespace {

constexpr double kMinWheelScale = 0.2;
constexpr double kMaxWheelScale = 20.0;
constexpr double kWheelStep = 1.1;
constexpr int kHandleReach = 4;  // pixels around a handle's centre that grab it
constexpr int kHandleHalf = 3;   // half the drawn handle square
constexpr double kMinBandSize = 1.0;

struct HandleSpot {
  DragHandle handle;
  double fx, fy;  // position on the band: 0 left/top, 0.5 middle, 1 right/bottom
  Qt::CursorShape cursor;
};

constexpr HandleSpot kHandles[] = {
    {DragHandle::kTopLeft, 0, 0, Qt::SizeFDiagCursor},
    {DragHandle::kTop, 0.5, 0, Qt::SizeVerCursor},
    {DragHandle::kTopRight, 1, 0, Qt::SizeBDiagCursor},
    {DragHandle::kRight, 1, 0.5, Qt::SizeHorCursor},
    {DragHandle::kBottomRight, 1, 1, Qt::SizeFDiagCursor},
    {DragHandle::kBottom, 0.5, 1, Qt::SizeVerCursor},
    {DragHandle::kBottomLeft, 0, 1, Qt::SizeBDiagCursor},
    {DragHandle::kLeft, 0, 0.5, Qt::SizeHorCursor},
};

QPoint HandleCentre(const QRect& r, const HandleSpot& h) {
  return {r.left() + int(std::lround(h.fx * r.width())),
          r.top() + int(std::lround(h.fy * r.height()))};
}

bool MovesLeft(DragHandle h) {
  return h == DragHandle::kLeft || h == DragHandle::kTopLeft || h == DragHandle::kBottomLeft;
}
bool MovesRight(DragHandle h) {
  return h == DragHandle::kRight || h == DragHandle::kTopRight || h == DragHandle::kBottomRight;
}
bool MovesTop(DragHandle h) {
  return h == DragHandle::kTop || h == DragHandle::kTopLeft || h == DragHandle::kTopRight;
}
bool MovesBottom(DragHandle h) {
  return h == DragHandle::kBottom || h == DragHandle::kBottomLeft || h == DragHandle::kBottomRight;
}

}  // namespace

LayerView::LayerView(CardDocument& doc, QWidget* parent) : QAbstractScrollArea(parent), doc_(doc) {
  setObjectName("ImgView");
  setFocusPolicy(Qt::StrongFocus);
  viewport()->setMouseTracking(true);
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  horizontalScrollBar()->setSingleStep(20);
  verticalScrollBar()->setSingleStep(20);
  on_click = [this](Layer* hit, Qt::MouseButton) { doc_.SelectLayer(hit); };
  doc_.AddObserver(this);
  UpdateScrollBars();
}

LayerView::~LayerView() { doc_.RemoveObserver(this); }

QSizeF LayerView::CardSizeInView() const {
  const Bitmap32& b = doc_.base_image();
  return {b.width() * scale_, b.height() * scale_};
}

ViewMapping LayerView::Mapping() const noexcept {
  const QSizeF card = CardSizeInView();
  const QSize vp = viewport()->size();
  ViewMapping m;
  m.scale = scale_;
  // A card smaller than the view is centred; a larger one scrolls.
  m.offset_x = card.width() < vp.width() ? std::floor((vp.width() - card.width()) / 2)
                                         : -double(horizontalScrollBar()->value());
  m.offset_y = card.height() < vp.height() ? std::floor((vp.height() - card.height()) / 2)
                                           : -double(verticalScrollBar()->value());
  return m;
}

QPoint LayerView::ViewCentre() const {
  const QRect r = viewport()->rect();
  const FloatPoint p = Mapping().ToBase(
      {double((r.left() + r.right() + 1) / 2), double((r.top() + r.bottom() + 1) / 2)});
  return {int(std::floor(p.x)), int(std::floor(p.y))};
}

double LayerView::FitScale() const {
  const Bitmap32& b = doc_.base_image();
  if (b.empty()) return 0;
  // The view's client area without scroll bars: after fitting it has none.
  const QSize vp = maximumViewportSize();
  const double card_ratio = double(b.width()) / b.height();
  const double view_ratio = double(vp.width()) / std::max(1, vp.height());
  const double s =
      card_ratio >= view_ratio ? double(vp.width()) / b.width() : double(vp.height()) / b.height();
  return s / 1.1;
}

void LayerView::SetScale(double scale) {
  scale = double(float(scale));  // the zoom is kept in single precision
  if (!(scale > 0)) return;
  const QRect r = viewport()->rect();
  const FloatPoint centre{r.width() / 2.0, r.height() / 2.0};
  const FloatPoint anchor = Mapping().ToBase(centre);
  scale_ = scale;
  UpdateScrollBars();
  horizontalScrollBar()->setValue(int(std::lround(anchor.x * scale_ - centre.x)));
  verticalScrollBar()->setValue(int(std::lround(anchor.y * scale_ - centre.y)));
  viewport()->update();
  emit scaleChanged(scale_);
}

void LayerView::SetBackground(const BackgroundStyle& b) {
  background_ = b;
  viewport()->update();
}

void LayerView::UpdateScrollBars() {
  const QSizeF card = CardSizeInView();
  const QSize vp = viewport()->size();
  horizontalScrollBar()->setRange(0, std::max(0, int(std::ceil(card.width())) - vp.width()));
  verticalScrollBar()->setRange(0, std::max(0, int(std::ceil(card.height())) - vp.height()));
  horizontalScrollBar()->setPageStep(vp.width());
  verticalScrollBar()->setPageStep(vp.height());
}

QRect LayerView::BandRect() const {
  const Layer* l = doc_.selected_layer();
  if (!l) return {};
  ViewMapping m = Mapping();
  if (!l->scaled()) m = ViewMapping{};
  const IntRect r = ViewRectOf(l->location().ToRect(), m);
  return QRect(QPoint(r.left, r.top), QPoint(r.right, r.bottom)).normalized();
}

std::optional<DragHandle> LayerView::BandHitTest(QPoint p) const {
  const QRect r = BandRect();
  if (!doc_.selected_layer()) return std::nullopt;
  for (const HandleSpot& h : kHandles) {
    const QPoint c = HandleCentre(r, h);
    if (std::abs(p.x() - c.x()) <= kHandleReach && std::abs(p.y() - c.y()) <= kHandleReach) {
      return h.handle;
    }
  }
  if (r.adjusted(0, 0, 1, 1).contains(p)) return DragHandle::kBody;
  return std::nullopt;
}

void LayerView::UpdateCursor(QPoint p) {
  const auto hit = BandHitTest(p);
  Qt::CursorShape shape = Qt::ArrowCursor;
  if (hit) {
    shape = Qt::SizeAllCursor;
    for (const HandleSpot& h : kHandles) {
      if (h.handle == *hit) shape = h.cursor;
    }
  }
  viewport()->setCursor(shape);
}

QImage LayerView::RenderToImage() {
  const QSize vp = viewport()->size();
  Bitmap32 out;
  renderer_.Render(doc_, Mapping(), {0, 0, vp.width(), vp.height()}, &background_, out);
  QImage image(vp, QImage::Format_RGB32);
  for (int y = 0; y < out.height(); ++y) {
    std::copy_n(out.Row(y), out.width(), reinterpret_cast<Color32*>(image.scanLine(y)));
  }
  return image;
}

void LayerView::paintEvent(QPaintEvent*) {
  const double dpr = viewport()->devicePixelRatioF();
  const QSize vp = viewport()->size();
  const int w = int(std::ceil(vp.width() * dpr)), h = int(std::ceil(vp.height() * dpr));
  ViewMapping m = Mapping();
  m.scale *= dpr;
  m.offset_x *= dpr;
  m.offset_y *= dpr;
  renderer_.Render(doc_, m, {0, 0, w, h}, &background_, frame_);
  QImage image(reinterpret_cast<const uchar*>(frame_.Bits()), w, h, w * 4, QImage::Format_RGB32);
  image.setDevicePixelRatio(dpr);
  QPainter painter(viewport());
  painter.drawImage(0, 0, image);

  if (!doc_.selected_layer()) return;
  const QRect r = BandRect();
  painter.setRenderHint(QPainter::Antialiasing, false);
  QPen dark(QColor(20, 20, 20), 1, Qt::SolidLine);
  QPen light(QColor(255, 255, 255), 1, Qt::DashLine);
  painter.setPen(dark);
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(r);
  painter.setPen(light);
  painter.drawRect(r);
  painter.setPen(dark);
  painter.setBrush(Qt::white);
  for (const HandleSpot& hs : kHandles) {
    const QPoint c = HandleCentre(r, hs);
    painter.drawRect(c.x() - kHandleHalf, c.y() - kHandleHalf, 2 * kHandleHalf, 2 * kHandleHalf);
  }
}

void LayerView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollBars();
}

void LayerView::scrollContentsBy(int, int) { viewport()->update(); }

void LayerView::mousePressEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  const auto band = BandHitTest(p);
  Layer* hit = nullptr;
  if (band) {
    hit = doc_.selected_layer();
  } else {
    const FloatPoint b = Mapping().ToBase({double(p.x()), double(p.y())});
    hit = LayerAt(doc_, b);
  }
  if (on_click) on_click(hit, event->button());
  if (event->button() != Qt::LeftButton || !hit || doc_.selected_layer() != hit) return;
  dragging_ = true;
  drag_handle_ = band.value_or(DragHandle::kBody);
  drag_start_ = event->position();
  drag_origin_ = hit->location().ToRect();
  last_rect_ = drag_origin_;
}

void LayerView::mouseMoveEvent(QMouseEvent* event) {
  if (!dragging_) {
    UpdateCursor(event->position().toPoint());
    return;
  }
  Layer* layer = doc_.selected_layer();
  if (!layer) {
    dragging_ = false;
    return;
  }
  const double s = layer->scaled() ? scale_ : 1.0;
  const double dx = (event->position().x() - drag_start_.x()) / s;
  const double dy = (event->position().y() - drag_start_.y()) / s;
  FloatRect r = drag_origin_;
  if (drag_handle_ == DragHandle::kBody) {
    r = {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
  } else {
    if (MovesLeft(drag_handle_)) r.left = std::min(r.left + dx, r.right - kMinBandSize);
    if (MovesRight(drag_handle_)) r.right = std::max(r.right + dx, r.left + kMinBandSize);
    if (MovesTop(drag_handle_)) r.top = std::min(r.top + dy, r.bottom - kMinBandSize);
    if (MovesBottom(drag_handle_)) r.bottom = std::max(r.bottom + dy, r.top + kMinBandSize);
    if (on_resize) {
      on_resize(last_rect_, r, drag_handle_, event->modifiers() & Qt::ControlModifier);
    }
  }
  last_rect_ = r;
  doc_.SetLayerLocation(*layer, Location::FromRect(r));
}

void LayerView::mouseReleaseEvent(QMouseEvent*) {
  if (!dragging_) return;
  dragging_ = false;
  if (on_drag_finished) on_drag_finished();
}

void LayerView::wheelEvent(QWheelEvent* event) {
  const int delta = event->angleDelta().y();
  if (delta == 0) return;
  // Wheel up (away from the user) zooms out, wheel down zooms in.
  const double s = delta > 0 ? std::max(scale_ / kWheelStep, kMinWheelScale)
                             : std::min(scale_ * kWheelStep, kMaxWheelScale);
  SetScale(s);
  event->accept();
}

void LayerView::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Delete) {
    emit deletePressed();
    return;
  }
  QAbstractScrollArea::keyPressEvent(event);
}

void LayerView::OnDocumentChanged() {
  UpdateScrollBars();
  viewport()->update();
}

void LayerView::OnZoomReset() { SetScale(1.0); }

}  // namespace velmora
