#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <memory>

#include "WindowTest.h"
#include "app/MainWindow.h"
#include "app/SidePanel.h"
#include "document/UndoRedo.h"
#include "effects/ImageSizeDialog.h"
#include "effects/PerspectiveDialog.h"
#include "effects/RotateDialog.h"
#include "widgets/CollapsibleSection.h"
#include "widgets/LayerView.h"

namespace velmora {
namespace {

// Letters for the pixels of the small pictures: 'A' is 0xFF000041 and so on.
Bitmap32 FromRows(const std::vector<std::string>& rows) {
  Bitmap32 b(int(rows[0].size()), int(rows.size()));
  for (int y = 0; y < b.height(); ++y)
    for (int x = 0; x < b.width(); ++x) b.SetPixel(x, y, 0xFF000000u | uint8_t(rows[y][x]));
  return b;
}

class GeometryCommandsTest : public testing::WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    window->show();
    doc().NewCanvas(640, 480, 0xFFFFFFFF);
  }

  BitmapLayer& SelectedPhoto(Bitmap32 pixels, Location at) {
    BitmapLayer& l = doc().AppendBitmapLayer(std::move(pixels), at);
    doc().SelectLayer(&l);
    return l;
  }
  void Trigger(const char* name) {
    QAction* a = window->action(name);
    ASSERT_NE(a, nullptr) << name;
    EXPECT_TRUE(a->isEnabled()) << name;
    a->trigger();
  }
  // Opens the layer pop-up on the view and closes it again, so its items take their state.
  void OpenAndClosePopUp() {
    QTimer::singleShot(0, [] {
      if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
    });
    emit window->view()->customContextMenuRequested(QPoint(5, 5));
  }
  // Runs `answer` on the dialog as soon as the command has opened it.
  template <typename Dialog>
  void AnswerDialog(const char* name, std::function<void(Dialog*)> answer) {
    QTimer::singleShot(0, [this, name, answer] {
      auto* d = window->findChild<Dialog*>(name);
      ASSERT_NE(d, nullptr) << name;
      ASSERT_TRUE(d->isVisible()) << name;
      answer(d);
    });
  }
};

TEST_F(GeometryCommandsTest, MenuAndPopUpItemsTurnAndFlipTheSelectedLayer) {
  const struct {
    const char* item;
    bool pop_up;
    std::vector<std::string> expected;
  } cases[] = {
      {"N901", false, {"CA", "DB"}}, {"N905", true, {"CA", "DB"}},  // clockwise
      {"N902", false, {"BD", "AC"}}, {"N904", true, {"BD", "AC"}},  // counterclockwise
      {"N24", false, {"CD", "AB"}},  {"N65", true, {"CD", "AB"}},   // "Vertical" / "Horizontal"
      {"N53", false, {"BA", "DC"}},  {"N60", true, {"BA", "DC"}},   // "Horizontal (Mirror)" /
                                                                    // "Vertical"
  };
  for (const auto& c : cases) {
    BitmapLayer& layer = SelectedPhoto(FromRows({"AB", "CD"}), {10, 10, 12, 12});
    if (c.pop_up) OpenAndClosePopUp();
    Trigger(c.item);
    EXPECT_TRUE(SamePixels(layer.bitmap(), FromRows(c.expected))) << c.item;
    EXPECT_TRUE(doc().CanUndo()) << c.item;
    Undo(doc());
    EXPECT_TRUE(SamePixels(layer.bitmap(), FromRows({"AB", "CD"}))) << c.item;
  }
}

TEST_F(GeometryCommandsTest, ItemsFollowTheMenuRules) {
  window->UpdateMenus();
  for (const char* name : {"N37", "N114", "N124"}) EXPECT_TRUE(window->action(name)->isEnabled());
  EXPECT_FALSE(window->action("N901")->isEnabled()) << "no layer selected";
  SelectedPhoto(Bitmap32(4, 4, 0xFF000000), {0, 0, 4, 4});
  for (const char* name : {"N901", "N902", "N13", "N24", "N53", "N124"}) {
    EXPECT_TRUE(window->action(name)->isEnabled()) << name;
  }
}

TEST_F(GeometryCommandsTest, CropCanvasFromTheMenuAndTheSidePanel) {
  SidePanel* panel = window->side_panel();
  BitmapLayer& photo = doc().AppendBitmapLayer(Bitmap32(4, 4, 0xFF000000), {150, 100, 250, 200});
  Trigger("N114");
  Layer* frame = doc().selected_layer();
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->tag(), 4);
  EXPECT_TRUE(panel->crop_section->isVisibleTo(window.get()));
  doc().SetLayerLocation(*frame, {100, 50, 278, 120});
  panel->crop_ratios->setCurrentIndex(3);  // Movie 16 : 9
  EXPECT_EQ(frame->location(), (Location{100, 50, 278, 150}));
  panel->portrait->click();
  EXPECT_EQ(frame->location(), (Location{100, 50, 278, 366}));
  panel->crop_ok->click();
  EXPECT_EQ(doc().base_image().width(), 178);
  EXPECT_EQ(doc().base_image().height(), 316);
  EXPECT_EQ(window->status_text(1), "178x316");
  EXPECT_EQ(photo.location(), (Location{50, 50, 150, 150}));
  EXPECT_FALSE(panel->crop_section->isVisibleTo(window.get()));
  Trigger("N17");  // Undo
  EXPECT_EQ(doc().base_image().width(), 640);
  EXPECT_EQ(photo.location(), (Location{150, 100, 250, 200}));

  Trigger("N114");
  panel->crop_cancel->click();
  EXPECT_EQ(doc().LayerCount(), 1);
  EXPECT_EQ(doc().base_image().width(), 640);
  EXPECT_EQ(window->status_text(1), "640x480");
}

TEST_F(GeometryCommandsTest, ProportionsGoBackToFreeWhenTheWindowIsActivatedAgain) {
  SidePanel* panel = window->side_panel();
  Trigger("N114");
  Layer* frame = doc().selected_layer();
  panel->portrait->setChecked(true);
  panel->crop_ratios->setCurrentIndex(4);  // Photo 10 x 15
  const Location fitted = frame->location();
  QWidget other;
  other.show();
  other.activateWindow();
  QApplication::processEvents();
  window->activateWindow();
  QApplication::processEvents();
  ASSERT_TRUE(window->isActiveWindow());
  EXPECT_EQ(panel->crop_ratios->currentIndex(), 0);
  EXPECT_TRUE(panel->portrait->isChecked());
  EXPECT_EQ(frame->location(), fitted);
}

TEST_F(GeometryCommandsTest, ImageSizeRunsOnOkOnly) {
  BitmapLayer& photo = doc().AppendBitmapLayer(Bitmap32(4, 4, 0xFF000000), {100, 100, 300, 200});
  AnswerDialog<ImageSizeDialog>("TRasm", [](ImageSizeDialog* d) { d->reject(); });
  Trigger("N37");
  EXPECT_EQ(doc().base_image().width(), 640);
  EXPECT_FALSE(doc().CanUndo());

  AnswerDialog<ImageSizeDialog>("TRasm", [](ImageSizeDialog* d) {
    EXPECT_EQ(d->width(), 640);
    d->SetWidth(320);
    d->SetMethod(1);
    d->accept();
  });
  Trigger("N37");
  EXPECT_EQ(doc().base_image().width(), 320);
  EXPECT_EQ(doc().base_image().height(), 240);
  EXPECT_EQ(window->status_text(1), "320x240");
  EXPECT_EQ(photo.location(), (Location{50, 50, 150, 100}));
  EXPECT_EQ(doc().undo_slot().kind, UndoKind::kSize);
}

TEST_F(GeometryCommandsTest, FreeRotateAndPerspectiveOpenTheirDialogs) {
  BitmapLayer& layer = SelectedPhoto(Bitmap32(100, 50, 0xFF204060), {10, 10, 110, 60});
  OpenAndClosePopUp();
  AnswerDialog<RotateDialog>("TPovor", [](RotateDialog* d) {
    d->SetAngleText("90");
    d->Ok();
  });
  Trigger("N58");
  EXPECT_EQ(layer.bitmap().width(), 50);
  EXPECT_EQ(doc().undo_slot().kind, UndoKind::kGeometry);

  doc().SelectLayer(nullptr);
  AnswerDialog<PerspectiveDialog>("TProGeomo", [](PerspectiveDialog* d) {
    EXPECT_TRUE(d->background_enabled());
    d->Ok();
  });
  Trigger("N124");
  // 640 x 480 previews at 351 x 263; unchanged corners span 350 x 262 preview pixels.
  const double r = 640.0 / 351;
  EXPECT_EQ(doc().base_image().width(), int(std::nearbyint(350 * r)));
  EXPECT_EQ(doc().base_image().height(), int(std::nearbyint(262 * r)));
  EXPECT_EQ(doc().undo_slot().kind, UndoKind::kCanvas);
}

}  // namespace
}  // namespace velmora
