#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>

#include "cards/NewProjectDialog.h"

namespace velmora {
namespace {

class NewProjectDialogTest : public ::testing::Test {
 protected:
  template <typename T>
  T* Find(const char* name) {
    T* child = dialog_.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
  }
  QSpinBox* Width() { return Find<QSpinBox>("WI"); }
  QSpinBox* Height() { return Find<QSpinBox>("HE"); }
  QSpinBox* Resolution() { return Find<QSpinBox>("Resol"); }
  QComboBox* Templates() { return Find<QComboBox>("Shabl"); }
  QTimer* Timer() { return Find<QTimer>("Timer1"); }
  QRect Preview() { return Find<QWidget>("SP")->geometry(); }
  QString Text(const char* label) { return Find<QLabel>(label)->text(); }
  bool Checked(const char* button) { return Find<QRadioButton>(button)->isChecked(); }
  // The user picking a template from the list.
  void PickTemplate(const QString& text) {
    const int index = Templates()->findText(text);
    ASSERT_GE(index, 0) << text.toStdString();
    Templates()->setCurrentIndex(index);
    emit Templates()->activated(index);
  }

  NewProjectDialog dialog_;
};

TEST_F(NewProjectDialogTest, AsCreated) {
  EXPECT_EQ(dialog_.objectName(), "TTemplates");
  EXPECT_EQ(dialog_.windowTitle(), "New Project");
  auto* tabs = dialog_.findChild<QTabWidget*>();
  ASSERT_NE(tabs, nullptr);
  EXPECT_EQ(tabs->tabText(0), "Page Setup");
  EXPECT_EQ(Templates()->currentText(), "Custom");
  EXPECT_EQ(Templates()->count(), 12);
  EXPECT_EQ(Find<QComboBox>("CEP")->currentText(), "Pixels");
  EXPECT_EQ(Text("Label3"), "Pixels");
  EXPECT_EQ(Width()->value(), 800);
  EXPECT_EQ(Height()->value(), 600);
  EXPECT_EQ(Width()->maximum(), 32000);
  EXPECT_EQ(Resolution()->value(), 72);
  EXPECT_EQ(Resolution()->maximum(), 1600);
  EXPECT_EQ(Find<QRadioButton>("Alba")->text(), "Landcape");
  EXPECT_TRUE(Checked("Alba"));
  EXPECT_FALSE(Checked("Book"));
  EXPECT_EQ(Text("Label7"), "1875");
  EXPECT_EQ(Find<QWidget>("Shape1")->geometry(), QRect(344, 8, 289, 305));
  EXPECT_EQ(Preview(), QRect(360, 64, 257, 193));
  EXPECT_EQ(Text("Label13"),
            "If you select ready greeting card as background, the size of this\n"
            "project will be transform into the size of the background.\n\n"
            "Resolution: 72 dpi - for monitor, 300 dpi - photo printer.");
  EXPECT_FALSE(Timer()->isActive());
  EXPECT_TRUE(Timer()->isSingleShot());
  EXPECT_EQ(Timer()->interval(), 50);

  QStringList buttons;
  for (QPushButton* b : dialog_.findChildren<QPushButton*>()) buttons << b->text();
  EXPECT_TRUE(buttons.contains("Create project"));
  EXPECT_TRUE(buttons.contains("Cancel"));
}

TEST_F(NewProjectDialogTest, DefaultCreatesAn800By600Project) {
  dialog_.accept();
  EXPECT_EQ(dialog_.result(), QDialog::Accepted);
  EXPECT_EQ(dialog_.ProjectWidth(), 800);
  EXPECT_EQ(dialog_.ProjectHeight(), 600);
}

TEST_F(NewProjectDialogTest, EditsWaitForTheTimer) {
  Width()->setValue(300);
  EXPECT_TRUE(Timer()->isActive());
  EXPECT_EQ(Preview(), QRect(421, 27, 135, 270));
  EXPECT_EQ(Text("Label7"), "703");  // 300 x 600 x 4 / 1024 = 703.125
  EXPECT_EQ(dialog_.ProjectWidth(), 800);
  dialog_.RecomputeNow();
  EXPECT_FALSE(Timer()->isActive());
  EXPECT_EQ(dialog_.ProjectWidth(), 300);
  EXPECT_EQ(dialog_.ProjectHeight(), 600);
  EXPECT_TRUE(Checked("Book"));
}

TEST_F(NewProjectDialogTest, TemplateFromTheListAndOrientation) {
  PickTemplate("A4");
  EXPECT_EQ(Width()->value(), 12);
  EXPECT_EQ(Height()->value(), 8);
  EXPECT_EQ(Find<QComboBox>("CEP")->currentText(), "Inches");
  EXPECT_EQ(Text("Label3"), "Inches");
  EXPECT_TRUE(Timer()->isActive());
  dialog_.RecomputeNow();
  EXPECT_EQ(dialog_.ProjectWidth(), 864);
  EXPECT_EQ(dialog_.ProjectHeight(), 576);
  EXPECT_TRUE(Checked("Alba"));

  Find<QRadioButton>("Book")->click();
  EXPECT_EQ(Width()->value(), 8);
  EXPECT_EQ(Height()->value(), 12);
  dialog_.RecomputeNow();
  EXPECT_EQ(dialog_.ProjectWidth(), 576);
  EXPECT_EQ(dialog_.ProjectHeight(), 864);
  EXPECT_TRUE(Checked("Book"));

  // Picking the shown template again applies it again.
  PickTemplate("A4");
  EXPECT_EQ(Width()->value(), 12);
}

TEST_F(NewProjectDialogTest, ResolutionAndUnit) {
  PickTemplate("A4");
  dialog_.RecomputeNow();
  Resolution()->setValue(300);
  EXPECT_FALSE(Timer()->isActive());
  EXPECT_EQ(dialog_.ProjectWidth(), 3600);
  EXPECT_EQ(dialog_.ProjectHeight(), 2400);

  auto* units = Find<QComboBox>("CEP");
  units->setCurrentIndex(units->findText("Pixels"));
  emit units->activated(units->currentIndex());
  EXPECT_EQ(Width()->value(), 3600);
  EXPECT_EQ(Text("Label3"), "Pixels");
}

TEST_F(NewProjectDialogTest, CreateRightAfterAnEditTakesTheShownSize) {
  Width()->setValue(1024);
  Height()->setValue(768);
  dialog_.accept();  // within the 50 ms
  EXPECT_FALSE(Timer()->isActive());
  EXPECT_EQ(dialog_.ProjectWidth(), 1024);
  EXPECT_EQ(dialog_.ProjectHeight(), 768);
}

TEST_F(NewProjectDialogTest, CancelKeepsTheValuesForTheNextOpening) {
  PickTemplate("640 x 480");
  EXPECT_EQ(Text("Label7"), "1200");
  dialog_.RecomputeNow();
  Width()->setValue(700);
  dialog_.reject();
  EXPECT_EQ(dialog_.result(), QDialog::Rejected);
  EXPECT_EQ(Templates()->currentText(), "640 x 480");
  EXPECT_EQ(Width()->value(), 700);
  EXPECT_EQ(Height()->value(), 480);
}

TEST_F(NewProjectDialogTest, RunReportsTheButton) {
  QTimer::singleShot(0, &dialog_, [this] { dialog_.accept(); });
  EXPECT_TRUE(dialog_.Run());
  QTimer::singleShot(0, &dialog_, [this] { dialog_.reject(); });
  EXPECT_FALSE(dialog_.Run());
}

}  // namespace
}  // namespace velmora
