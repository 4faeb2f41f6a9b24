#include <gtest/gtest.h>

#include <QIcon>
#include <QMouseEvent>
#include <QToolButton>

#include "DialogTestFixture.h"
#include "EffectTestSupport.h"
#include "effects/EffectBrowserDialog.h"

namespace velmora {
namespace {

class EffectBrowserDialogTest : public testing::DialogTest {
 protected:
  void SetUp() override {
    doc.NewCanvas(1000, 750, 0xFFFFFFFF);
    doc.MutableBaseImage() = testing::NoiseBitmap(1000, 750, 41);
  }

  CardDocument doc;
  Random random;
};

TEST_F(EffectBrowserDialogTest, ShowsTheNinePreviewsInTheTablesOrderWithItsTitles) {
  EffectBrowserDialog dialog(doc, random);
  EXPECT_EQ(dialog.objectName(), "TBrowser");
  EXPECT_EQ(dialog.windowTitle(), "Effect Browser");
  dialog.Activate();
  const char* const titles[] = {"Blur",       "Color Noise", "Contrast", "Grayscale", "Invert",
                                "Mono Noise", "Mosaic",      "Spray",    "Wave"};
  ASSERT_EQ(dialog.thumbnails().size(), 9u);
  for (int i = 0; i < 9; ++i) {
    QToolButton* button = dialog.thumbnail_button(i);
    ASSERT_NE(button, nullptr) << i;
    EXPECT_EQ(button->text(), titles[i]);
    EXPECT_EQ(button->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
    EXPECT_EQ(button->icon().availableSizes().value(0), QSize(100, 75)) << titles[i];
  }
  EXPECT_EQ(dialog.thumbnail_button(9), nullptr);
  EXPECT_NE(random.seed(), 0u) << "the noise and spray previews draw from the program's generator";
}

TEST_F(EffectBrowserDialogTest, ChoosingClosingAndReopening) {
  EffectBrowserDialog dialog(doc, random);
  dialog.Activate();
  EXPECT_EQ(dialog.chosen(), nullptr);
  dialog.thumbnail_button(6)->click();
  ASSERT_NE(dialog.chosen(), nullptr);
  EXPECT_EQ(dialog.chosen()->id, "mosaic");
  dialog.Choose(2);
  EXPECT_EQ(dialog.chosen()->id, "contrast");
  EXPECT_FALSE(dialog.thumbnail_button(6)->isChecked()) << "one choice at a time";

  // A double click chooses and closes with OK.
  dialog.show();
  QToolButton* wave = dialog.thumbnail_button(8);
  const QPointF centre(wave->width() / 2.0, wave->height() / 2.0);
  QMouseEvent twice(QEvent::MouseButtonDblClick, centre, wave->mapToGlobal(centre), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(wave, &twice);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.chosen()->id, "wave");

  // Every opening starts without a choice and builds the previews of the picture as it is now.
  doc.MutableBaseImage() = Bitmap32(400, 400, 0xFF000000);
  dialog.Activate();
  EXPECT_EQ(dialog.chosen(), nullptr);
  EXPECT_EQ(dialog.thumbnails()[0].height(), 100);
  EXPECT_TRUE(SamePixels(dialog.thumbnails()[0], Bitmap32(100, 100, 0xFF000000)))
      << "blur of black";
}

}  // namespace
}  // namespace velmora
