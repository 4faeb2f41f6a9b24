#pragma once

#include <QAbstractScrollArea>
#include <QImage>
#include <functional>

#include "document/CardDocument.h"
#include "document/ResizeRule.h"
#include "document/ViewportRenderer.h"

namespace velmora {

// A zoomable, scrollable view of a card's layers with the rubber band around the selected
// layer. Dragging inside the band moves the layer; dragging one of its eight handles resizes
// it. What a click means for the card (selecting, dropping frames) and how a resize is
// constrained are the owner's business, given as hooks; by default a click selects the top-most
// layer under the pointer and resizes are free.
class LayerView : public QAbstractScrollArea, public DocumentObserver {
  Q_OBJECT

 public:
  explicit LayerView(CardDocument& doc, QWidget* parent = nullptr);
  ~LayerView() override;

  // --- zoom and scrolling ----------------------------------------------------------------------
  double scale() const noexcept { return scale_; }
  // Zooms about the middle of the view, keeping the card point there in place.
  void SetScale(double scale);
  // Base-image coordinates <-> view (widget) coordinates.
  ViewMapping Mapping() const noexcept;
  // The card point under the middle of the visible part of the view, in whole pixels.
  QPoint ViewCentre() const;
  // Scale at which the whole card fits the view with a margin (the scale / 1.1); 0 without a card.
  double FitScale() const;

  // --- background ------------------------------------------------------------------------------
  const BackgroundStyle& background() const noexcept { return background_; }
  void SetBackground(const BackgroundStyle& b);

  // --- hooks -----------------------------------------------------------------------------------
  // Called for every press of a mouse button on the view, with the top-most layer under the
  // pointer (or null). The default selects that layer.
  std::function<void(Layer* hit, Qt::MouseButton button)> on_click;
  // Adjusts each rectangle proposed while a handle is dragged (base-image coordinates).
  std::function<void(const FloatRect& old_rect, FloatRect& proposed, DragHandle handle, bool ctrl)>
      on_resize;
  // Called when a drag of the rubber band ends.
  std::function<void()> on_drag_finished;

  // The handle (or body) of the rubber band under a view point; nullopt when outside it.
  std::optional<DragHandle> BandHitTest(QPoint view_point) const;
  // The rubber band's rectangle in view coordinates (empty without a selection).
  QRect BandRect() const;

  // The view's picture as it is on screen (for tests and screenshots).
  QImage RenderToImage();

 signals:
  // The zoom changed (by the wheel, SetScale or a reset).
  void scaleChanged(double scale);
  // The Delete key was pressed on the view.
  void deletePressed();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

  // DocumentObserver
  void OnDocumentChanged() override;
  void OnZoomReset() override;

 private:
  void UpdateScrollBars();
  QSizeF CardSizeInView() const;
  void UpdateCursor(QPoint view_point);

  CardDocument& doc_;
  ViewportRenderer renderer_;
  Bitmap32 frame_;
  BackgroundStyle background_{false, 0xFF808080};
  double scale_ = 1.0;
  // Dragging state.
  bool dragging_ = false;
  DragHandle drag_handle_ = DragHandle::kBody;
  QPointF drag_start_;     // view point where the drag began
  FloatRect drag_origin_;  // the layer's rectangle then
  FloatRect last_rect_;    // the rectangle after the previous step
};

}  // namespace velmora
