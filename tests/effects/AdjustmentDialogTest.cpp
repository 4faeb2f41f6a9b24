// The Brightness / Contrast and Color Balance dialogs driven through their controls' handlers,
// without a modal loop.

#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QRadioButton>

#include "DialogTestFixture.h"
#include "EffectTestSupport.h"
#include "effects/BrightnessContrastDialog.h"
#include "effects/ColorAdjust.h"
#include "effects/ColorBalanceDialog.h"
#include "widgets/GaugeBar.h"

namespace velmora {
namespace {

using testing::NoiseBitmap;

class AdjustmentDialogTest : public testing::DialogTest {
 protected:
  void SetUp() override {
    doc.NewCanvas(40, 30, 0xFFFFFFFF);
    layer = &doc.AppendBitmapLayer(original, {0, 0, 24, 12});
    doc.SelectLayer(layer);
  }

  // The original with brightness, then contrast, or the other way round.
  Bitmap32 Toned(bool brightness_first, int brightness, int contrast) const {
    Bitmap32 b = original;
    if (brightness_first) AdjustBrightness(b, brightness);
    AdjustContrast(b, contrast);
    if (!brightness_first) AdjustBrightness(b, brightness);
    return b;
  }
  static Bitmap32 Balanced(Bitmap32 b, bool quality, int red, int green, int blue) {
    (quality ? BalanceQuality : BalanceFast)(b, red, green, blue);
    return b;
  }
  const Bitmap32& shown() const { return layer->bitmap(); }

  CardDocument doc;
  const Bitmap32 original = NoiseBitmap(24, 12, 31);  // soft alpha
  BitmapLayer* layer = nullptr;
};

TEST_F(AdjustmentDialogTest, BrightnessContrastPreviewsInTheReleasedGaugesOrder) {
  BrightnessContrastDialog dialog(doc);
  EXPECT_EQ(dialog.objectName(), "TBrid");
  EXPECT_EQ(dialog.windowTitle(), "Brightness / Contrast");
  EXPECT_EQ(dialog.brightness_gauge()->minimum(), -200);
  EXPECT_EQ(dialog.contrast_gauge()->maximum(), 200);
  dialog.Activate();

  dialog.brightness_gauge()->setValue(-120);
  EXPECT_TRUE(SamePixels(shown(), original)) << "moving a gauge does not preview";
  emit dialog.brightness_gauge()->released();
  EXPECT_TRUE(SamePixels(shown(), Toned(true, -120, 0)));

  ASSERT_FALSE(SamePixels(Toned(false, -120, 150), Toned(true, -120, 150))) << "a weak case";
  dialog.contrast_gauge()->setValue(150);
  dialog.ContrastReleased();
  EXPECT_TRUE(SamePixels(shown(), Toned(false, -120, 150)));
  dialog.BrightnessReleased();
  EXPECT_TRUE(SamePixels(shown(), Toned(true, -120, 150)));

  dialog.Reset();
  EXPECT_EQ(dialog.brightness_gauge()->value(), 0);
  EXPECT_EQ(dialog.contrast_gauge()->value(), 0);
  EXPECT_TRUE(SamePixels(shown(), original));

  dialog.contrast_gauge()->setValue(90);
  dialog.ContrastReleased();
  dialog.accept();
  EXPECT_TRUE(SamePixels(shown(), Toned(false, 0, 90))) << "OK keeps it";
  EXPECT_FALSE(dialog.backup().held());
}

// Cancel, Esc and the window's close button all put back every pixel, alpha included.
TEST_F(AdjustmentDialogTest, EveryOtherWayOfClosingRestoresThePicture) {
  const struct {
    const char* how;
    void (*close)(QDialog& d);
  } ways[] = {
      {"Cancel", [](QDialog& d) { d.reject(); }},
      {"Esc",
       [](QDialog& d) {
         QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
         QApplication::sendEvent(&d, &esc);
       }},
      {"close button",
       [](QDialog& d) {
         d.show();
         d.close();
       }},
  };
  BrightnessContrastDialog tone(doc);
  ColorBalanceDialog balance(doc);
  for (const auto& way : ways) {
    tone.Activate();
    tone.brightness_gauge()->setValue(200);
    tone.BrightnessReleased();
    ASSERT_FALSE(SamePixels(shown(), original));
    way.close(tone);
    EXPECT_TRUE(SamePixels(shown(), original)) << "Brightness / Contrast, " << way.how;

    balance.Activate();
    balance.blue_gauge()->setValue(-50);
    balance.SetBalance();
    ASSERT_FALSE(SamePixels(shown(), original));
    way.close(balance);
    EXPECT_TRUE(SamePixels(shown(), original)) << "Color Balance, " << way.how;
  }
}

TEST_F(AdjustmentDialogTest, ColorBalanceGaugesStartAtZeroAndTheChoiceIsKept) {
  ColorBalanceDialog dialog(doc);
  EXPECT_EQ(dialog.objectName(), "TGamma");
  EXPECT_EQ(dialog.windowTitle(), "Color Balance");
  EXPECT_EQ(dialog.red_gauge()->minimum(), -50);
  EXPECT_EQ(dialog.blue_gauge()->maximum(), 50);
  EXPECT_EQ(dialog.mode(), BalanceMode::kSpeed);
  dialog.Activate();

  dialog.red_gauge()->setValue(30);
  dialog.green_gauge()->setValue(-20);
  dialog.blue_gauge()->setValue(10);
  emit dialog.green_gauge()->released();
  EXPECT_TRUE(SamePixels(shown(), Balanced(original, false, 30, -20, 10)));
  dialog.quality_button()->click();
  EXPECT_TRUE(SamePixels(shown(), Balanced(original, true, 30, -20, 10)));
  dialog.accept();

  // Reopened after OK: the gauges show 0, moving only red applies only red, to the new picture.
  const Bitmap32 kept = shown();
  dialog.Activate();
  EXPECT_EQ(dialog.green_gauge()->value(), 0);
  EXPECT_EQ(dialog.blue_gauge()->value(), 0);
  EXPECT_EQ(dialog.mode(), BalanceMode::kQuality);
  dialog.red_gauge()->setValue(40);
  emit dialog.red_gauge()->released();
  EXPECT_TRUE(SamePixels(shown(), Balanced(kept, true, 40, 0, 0)));

  dialog.speed_button()->click();
  EXPECT_EQ(dialog.mode(), BalanceMode::kSpeed);
  dialog.Reset();
  EXPECT_EQ(dialog.red_gauge()->value(), 0);
  EXPECT_TRUE(SamePixels(shown(), kept));
  dialog.reject();
  EXPECT_TRUE(SamePixels(shown(), kept));
}

}  // namespace
}  // namespace velmora
