// The colour and effect commands from the window's items: enabling, the pixels, the undo step,
// the colour dialog's remembered colour, the opacity rule of the adjustment dialogs.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QColorDialog>
#include <QTimer>
#include <functional>
#include <memory>

#include "WindowTest.h"
#include "app/MainWindow.h"
#include "app/SidePanel.h"
#include "effects/BrightnessContrastDialog.h"
#include "effects/ColorBalanceDialog.h"
#include "effects/EffectBrowserDialog.h"
#include "widgets/GaugeBar.h"

namespace velmora {
namespace {

constexpr Color32 kRed = 0xFFFF0000, kWhite = 0xFFFFFFFF;

// Red and white side by side.
Bitmap32 RedWhite() {
  Bitmap32 b(2, 1, kWhite);
  b.SetPixel(0, 0, kRed);
  return b;
}

class EffectCommandsTest : public testing::WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    doc().NewCanvas(2, 1, kWhite);
    doc().MutableBaseImage() = RedWhite();
    doc().Changed();
  }

  void Trigger(const char* name) {
    ASSERT_TRUE(Enabled(name)) << name;
    window->action(name)->trigger();
  }
  // Runs `answer` on the modal dialog with this form name as soon as it shows; `answered`
  // tells whether it did.
  template <typename Dialog>
  void Answer(const char* name, std::function<void(Dialog*)> answer) {
    answered = false;
    QTimer::singleShot(0, [this, name, answer] {
      auto* d = window->findChild<Dialog*>(name);
      ASSERT_NE(d, nullptr) << name;
      ASSERT_EQ(QApplication::activeModalWidget(), d) << name;
      answered = true;
      answer(d);
    });
  }

  bool answered = false;
};

constexpr const char* kItems[] = {"N77", "N84", "N49", "N111", "N72", "N38", "N39"};

TEST_F(EffectCommandsTest, ItemsNeedACardAndABitmapLayerWhenOneIsSelected) {
  for (const char* name : kItems) EXPECT_TRUE(Enabled(name)) << name;
  doc().SelectLayer(&doc().CreateFrameLayer({1, 0}, FrameTag::kSelection));
  for (const char* name : kItems) EXPECT_FALSE(Enabled(name)) << "frame selected: " << name;
  doc().ResetDocument();
  doc().MutableBaseImage() = Bitmap32();
  doc().Changed();
  for (const char* name : kItems) EXPECT_FALSE(Enabled(name)) << "no card: " << name;
}

// Red and white: grayscale 76 and 255; invert cyan and black; sepia (106, 101, 63) and
// (255, 255, 189) (see the effect tests for the working).
TEST_F(EffectCommandsTest, ProcessItemsChangeTheCardAndUndoPutsItBack) {
  const struct {
    const char* item;
    Color32 red, white;
  } cases[] = {
      {"N77", 0xFF4C4C4C, kWhite},
      {"N84", 0xFF00FFFF, 0xFF000000},
      {"N111", 0xFF6A653F, 0xFFFFFFBD},
  };
  for (const auto& c : cases) {
    Trigger(c.item);
    EXPECT_EQ(doc().base_image().Pixel(0, 0), c.red) << c.item;
    EXPECT_EQ(doc().base_image().Pixel(1, 0), c.white) << c.item;
    Trigger("N17");
    EXPECT_TRUE(SamePixels(doc().base_image(), RedWhite())) << c.item;
  }
}

TEST_F(EffectCommandsTest, ColorizeStartsAtTheRememberedColourAndCancelChangesNothing) {
  const auto offered = [this](QColor& seen, bool choose, QColor colour = {}) {
    Answer<QColorDialog>("AllColor", [&seen, choose, colour](QColorDialog* d) {
      seen = d->currentColor();
      if (!choose) return d->reject();
      d->setCurrentColor(colour);
      d->accept();
    });
    Trigger("N49");
    EXPECT_TRUE(answered);
  };
  QColor seen;
  offered(seen, false);
  EXPECT_EQ(seen, QColor(200, 191, 119)) << "$77BFC8 at start";
  EXPECT_TRUE(SamePixels(doc().base_image(), RedWhite()));
  EXPECT_FALSE(doc().CanUndo()) << "a cancelled Colorize leaves the undo step as it was";

  // White becomes the colour, then brightness 70: 100 + 27, 50 + 13, 0.
  offered(seen, true, QColor(100, 50, 0));
  EXPECT_EQ(doc().base_image().Pixel(1, 0), 0xFF7F3F00u);
  offered(seen, false);
  EXPECT_EQ(seen, QColor(100, 50, 0)) << "the colour chosen last";
  Trigger("N17");
  EXPECT_TRUE(SamePixels(doc().base_image(), RedWhite()));

  Trigger("N111");
  offered(seen, false);
  EXPECT_EQ(seen, QColor(200, 191, 119)) << "Sepia puts the colour back";
}

// While either dialog is open the selected layer is fully opaque; afterwards it has its opacity
// again. Cancel leaves every pixel; one undo step covers OK.
TEST_F(EffectCommandsTest, AdjustmentDialogsShowTheLayerOpaqueAndUndoAsOneStep) {
  const struct {
    const char* item;
    const char* dialog;
    std::function<void(QDialog*)> preview;
  } cases[] = {
      {"N38", "TBrid",
       [](QDialog* d) {
         auto* tone = static_cast<BrightnessContrastDialog*>(d);
         tone->brightness_gauge()->setValue(-200);
         tone->BrightnessReleased();
       }},
      {"N39", "TGamma",
       [](QDialog* d) {
         auto* balance = static_cast<ColorBalanceDialog*>(d);
         balance->green_gauge()->setValue(50);
         balance->SetBalance();
       }},
  };
  GaugeBar* opacity = window->side_panel()->layer_opacity;
  for (const auto& c : cases) {
    BitmapLayer& layer = doc().AppendBitmapLayer(RedWhite(), {0, 0, 2, 1});
    layer.MutableBitmap().set_master_alpha(100);
    doc().SelectLayer(&layer);
    ASSERT_EQ(opacity->value(), 100);
    for (const bool ok : {false, true}) {
      int opacity_inside = -1;
      Answer<QDialog>(c.dialog, [&, ok](QDialog* d) {
        opacity_inside = layer.opacity();
        c.preview(d);
        ok ? d->accept() : d->reject();
      });
      Trigger(c.item);
      EXPECT_TRUE(answered) << c.item;
      EXPECT_EQ(opacity_inside, 255) << c.item;
      EXPECT_EQ(layer.opacity(), 100) << c.item;
      EXPECT_EQ(opacity->value(), 100) << c.item;
      EXPECT_EQ(SamePixels(layer.bitmap(), RedWhite()), !ok) << c.item << (ok ? " OK" : " Cancel");
      EXPECT_TRUE(Enabled("N17")) << c.item;
    }
    Trigger("N17");
    EXPECT_TRUE(SamePixels(layer.bitmap(), RedWhite())) << c.item;
    EXPECT_EQ(layer.opacity(), 100) << c.item;
  }

  // A layer at full opacity stays there.
  BitmapLayer& solid = doc().AppendBitmapLayer(RedWhite(), {0, 0, 2, 1});
  doc().SelectLayer(&solid);
  Answer<QDialog>("TBrid", [&](QDialog* d) {
    EXPECT_EQ(solid.opacity(), 255);
    d->reject();
  });
  Trigger("N38");
  EXPECT_EQ(solid.opacity(), 255);
}

TEST_F(EffectCommandsTest, EffectBrowserAppliesTheDoubleClickedEntryAsOneUndoStep) {
  Answer<EffectBrowserDialog>("TBrowser", [](EffectBrowserDialog* d) { d->reject(); });
  Trigger("N72");
  EXPECT_TRUE(answered);
  EXPECT_TRUE(SamePixels(doc().base_image(), RedWhite()));
  EXPECT_FALSE(doc().CanUndo()) << "Cancel records nothing";

  Answer<EffectBrowserDialog>("TBrowser", [](EffectBrowserDialog* d) {
    EXPECT_EQ(d->thumbnails().size(), 9u);
    d->ChooseAndClose(4);  // Invert
  });
  Trigger("N72");
  EXPECT_EQ(doc().base_image().Pixel(0, 0), 0xFF00FFFFu);
  EXPECT_EQ(doc().base_image().Pixel(1, 0), 0xFF000000u);
  Trigger("N17");
  EXPECT_TRUE(SamePixels(doc().base_image(), RedWhite()));
}

}  // namespace
}  // namespace velmora
