#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>
#include <cmath>

#include "document/LayerOperations.h"
#include "widgets/LayerView.h"

namespace velmora {
namespace {

class LayerViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    view = std::make_unique<LayerView>(doc);
    view->setFrameShape(QFrame::NoFrame);
    view->resize(1000, 800);
    view->show();
  }

  void Mouse(QEvent::Type type, QPoint p, Qt::MouseButton button = Qt::LeftButton,
             Qt::KeyboardModifiers mods = Qt::NoModifier) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
    QMouseEvent e(type, QPointF(p), view->viewport()->mapToGlobal(QPointF(p)), button, held, mods);
    QApplication::sendEvent(view->viewport(), &e);
  }

  void Wheel(int delta) {
    const QPointF p(50, 50);
    QWheelEvent e(p, view->viewport()->mapToGlobal(p), QPoint(), QPoint(0, delta), Qt::NoButton,
                  Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view->viewport(), &e);
  }

  CardDocument doc;
  std::unique_ptr<LayerView> view;
};

TEST_F(LayerViewTest, WheelZoomsInStepsAndClamps) {
  doc.NewCanvas(400, 300, 0xFFFFFFFF);
  for (int i = 0; i < 10; ++i) Wheel(-120);  // wheel down zooms in
  EXPECT_EQ(std::lround(view->scale() * 100), 259);
  view->SetScale(0.21);
  Wheel(120);  // wheel up zooms out, never below 20 %
  EXPECT_FLOAT_EQ(float(view->scale()), 0.2f);
  view->SetScale(19.0);
  Wheel(-120);
  EXPECT_FLOAT_EQ(float(view->scale()), 20.0f);
}

TEST_F(LayerViewTest, FitScaleLeavesAMargin) {
  doc.NewCanvas(2000, 1000, 0xFFFFFFFF);
  // 2000 / 1000 >= 1000 / 800: the width decides; 1000 / 2000 / 1.1.
  EXPECT_NEAR(view->FitScale(), 0.4545, 1e-4);
  EXPECT_EQ(std::lround(view->FitScale() * 100), 45);
}

TEST_F(LayerViewTest, ZoomKeepsTheCardPointInTheMiddleAndNeverMarksAChange) {
  doc.NewCanvas(4000, 3000, 0xFFFFFFFF);
  doc.set_modified_mark(kMarkUnchanged);
  view->SetScale(1.0);
  view->horizontalScrollBar()->setValue(1000);
  const QPoint before = view->ViewCentre();
  view->SetScale(2.0);
  const QPoint after = view->ViewCentre();
  EXPECT_LE(std::abs(before.x() - after.x()), 1);
  EXPECT_LE(std::abs(before.y() - after.y()), 1);
  Wheel(120);
  EXPECT_EQ(doc.modified_mark(), kMarkUnchanged);
}

TEST_F(LayerViewTest, DraggingAHandleResizesAndTheBodyMoves) {
  doc.NewCanvas(400, 300, 0xFFFFFFFF);
  BitmapLayer& l = doc.AppendBitmapLayer(Bitmap32(100, 50, 0xFF0000FF), {100, 100, 200, 150});
  doc.SelectLayer(&l);
  view->SetScale(1.0);
  FloatRect last_old{};
  view->on_resize = [&](const FloatRect& old_rect, FloatRect&, DragHandle, bool) {
    last_old = old_rect;
  };
  const QRect band = view->BandRect();
  const QPoint right_handle(band.right() + 1, band.center().y());
  ASSERT_EQ(view->BandHitTest(right_handle), DragHandle::kRight);
  Mouse(QEvent::MouseButtonPress, right_handle);
  Mouse(QEvent::MouseMove, right_handle + QPoint(30, 0));
  Mouse(QEvent::MouseMove, right_handle + QPoint(50, 0));
  Mouse(QEvent::MouseButtonRelease, right_handle + QPoint(50, 0));
  EXPECT_EQ(l.location(), (Location{100, 100, 250, 150}));
  EXPECT_EQ(last_old, (FloatRect{100, 100, 230, 150}));  // the rule sees the previous step

  const QPoint inside = view->BandRect().center();
  ASSERT_EQ(view->BandHitTest(inside), DragHandle::kBody);
  Mouse(QEvent::MouseButtonPress, inside);
  Mouse(QEvent::MouseMove, inside + QPoint(-10, 20));
  Mouse(QEvent::MouseButtonRelease, inside + QPoint(-10, 20));
  EXPECT_EQ(l.location(), (Location{90, 120, 240, 170}));
}

TEST_F(LayerViewTest, ClickSelectsTheTopLayerUnderThePointer) {
  doc.NewCanvas(400, 300, 0xFFFFFFFF);
  view->SetScale(1.0);
  BitmapLayer& low = doc.AppendBitmapLayer(Bitmap32(100, 100), {0, 0, 100, 100});
  BitmapLayer& high = doc.AppendBitmapLayer(Bitmap32(50, 50), {25, 25, 75, 75});
  const ViewMapping m = view->Mapping();
  auto at = [&](double x, double y) {
    const FloatPoint v = m.ToView({x, y});
    return QPoint(int(v.x), int(v.y));
  };
  Mouse(QEvent::MouseButtonPress, at(50, 50));
  Mouse(QEvent::MouseButtonRelease, at(50, 50));
  EXPECT_EQ(doc.selected_layer(), &high);
  Mouse(QEvent::MouseButtonPress, at(10, 90));
  Mouse(QEvent::MouseButtonRelease, at(10, 90));
  EXPECT_EQ(doc.selected_layer(), &low);
  Mouse(QEvent::MouseButtonPress, at(300, 250));
  Mouse(QEvent::MouseButtonRelease, at(300, 250));
  EXPECT_EQ(doc.selected_layer(), nullptr);
}

TEST_F(LayerViewTest, PaintsTheCardCentredOverTheBackground) {
  doc.NewCanvas(100, 50, 0xFFFF0000);
  view->SetBackground({false, 0xFF00FF00});
  view->SetScale(1.0);
  const QImage image = view->RenderToImage();
  const QSize vp = view->viewport()->size();
  EXPECT_EQ(image.pixel(vp.width() / 2, vp.height() / 2), 0xFFFF0000u);
  EXPECT_EQ(image.pixel(2, 2), 0xFF00FF00u);
}

}  // namespace
}  // namespace velmora
