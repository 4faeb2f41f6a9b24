#include <gtest/gtest.h>

#include <QComboBox>
#include <QSpinBox>

#include "DialogTestFixture.h"
#include "effects/ImageSizeDialog.h"
#include "effects/ImageSizeFields.h"

namespace velmora {
namespace {

TEST(ImageSizeFieldsTest, WidthHeightAndKilobytesFollowEachOther) {
  ImageSizeFields f;
  f.Activate(800, 600);
  EXPECT_EQ(f.width(), 800);
  EXPECT_EQ(f.height(), 600);
  EXPECT_EQ(f.kilobytes(), 1875);  // 800 x 600 x 4 / 1024
  f.SetWidth(400);
  EXPECT_EQ(f.height(), 300);
  EXPECT_EQ(f.kilobytes(), 469);  // 468.75
  // k = sqrt(1875 / 469) = 1.99947: Round(400.1), Round(300.1).
  f.Activate(800, 600);
  f.SetKilobytes(469);
  EXPECT_EQ(f.width(), 400);
  EXPECT_EQ(f.height(), 300);
  EXPECT_EQ(f.kilobytes(), 469) << "the typed size stays";
  f.SetHeight(150);
  EXPECT_EQ(f.width(), 200);
  EXPECT_EQ(f.kilobytes(), 117);  // 117.1875
}

TEST(ImageSizeFieldsTest, WithoutProportionsOnlyTheSizeFollows) {
  ImageSizeFields f;
  f.Activate(800, 600);
  f.set_keep_proportions(false);
  f.SetWidth(400);
  EXPECT_EQ(f.height(), 600);
  EXPECT_EQ(f.kilobytes(), 938);  // 937.5, halves to even
  // The size rule scales both sides whatever the box says.
  f.SetKilobytes(469);
  EXPECT_EQ(f.width(), 400);
  EXPECT_EQ(f.height(), 300);
}

TEST(ImageSizeFieldsTest, EveryValueStaysInItsRange) {
  ImageSizeFields f;
  f.Activate(800, 600);
  const struct {
    char field;
    int value;
    int width, height, kilobytes;
  } cases[] = {
      {'w', 10000, 10000, 7500, 32000},  // 292968.75 kilobytes, capped
      {'w', 1, 1, 1, 1},                 // 0.75 rounds to 1; the size is at least 1
      {'h', 1, 1, 1, 1},                 // 1.33 rounds to 1
      {'w', 20000, 10000, 7500, 32000},
      {'w', -5, 1, 1, 1},
      {'k', 32000, 3305, 2479, 32000},  // k = sqrt(1875 / 32000)
      {'k', 1, 18, 14, 1},              // k = sqrt(1875): 18.48, 13.86
  };
  for (const auto& c : cases) {
    if (c.field == 'w') f.SetWidth(c.value);
    if (c.field == 'h') f.SetHeight(c.value);
    if (c.field == 'k') f.SetKilobytes(c.value);
    EXPECT_EQ(f.width(), c.width) << c.field << c.value;
    EXPECT_EQ(f.height(), c.height) << c.field << c.value;
    EXPECT_EQ(f.kilobytes(), c.kilobytes) << c.field << c.value;
  }
}

class ImageSizeDialogTest : public testing::DialogTest {
 protected:
  int Edit(const char* name) { return dialog.findChild<QSpinBox*>(name)->value(); }
  ImageSizeDialog dialog;
};

TEST_F(ImageSizeDialogTest, EditsMirrorTheRulesAndOpeningStartsAfresh) {
  dialog.Activate(800, 600);
  dialog.SetMethod(2);
  dialog.findChild<QSpinBox*>("Edit1")->setValue(400);  // as if typed
  EXPECT_EQ(Edit("Edit2"), 300);
  EXPECT_EQ(Edit("Edit3"), 469);
  dialog.SetKilobytes(1875);
  EXPECT_EQ(dialog.width(), 800);
  EXPECT_EQ(Edit("Edit1"), 800);
  EXPECT_EQ(Edit("Edit2"), 600);
  EXPECT_EQ(dialog.method().id, "spline");

  dialog.Activate(640, 480);
  EXPECT_EQ(Edit("Edit1"), 640);
  EXPECT_EQ(Edit("Edit3"), 1200);
  EXPECT_EQ(dialog.method().id, "nearest");
  EXPECT_EQ(dialog.findChild<QComboBox*>("Resample")->currentText(), "Nearest");
}

}  // namespace
}  // namespace velmora
