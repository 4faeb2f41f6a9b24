#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "WindowTest.h"
#include "app/MainWindow.h"
#include "app/SidePanel.h"
#include "document/LayerOperations.h"
#include "files/JpegCompressionDialog.h"
#include "imageio/PictureIO.h"
#include "widgets/CollapsibleSection.h"
#include "widgets/GaugeBar.h"
#include "widgets/LayerView.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

// Answers the next modal dialog or message box as soon as it shows.
void AnswerNextModal(std::function<void(QWidget*)> answer) {
  QTimer::singleShot(0, [answer] {
    if (QWidget* w = QApplication::activeModalWidget()) answer(w);
  });
}

void ClickButton(QWidget* box, QMessageBox::StandardButton which) {
  if (auto* mb = qobject_cast<QMessageBox*>(box)) mb->button(which)->click();
}

class MainWindowTest : public testing::WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    window->show();
  }

  QString Path(const char* name) { return QString::fromStdString(folder / name); }
  std::string dir_path() const { return folder.path(); }
};

TEST_F(MainWindowTest, MenuEnablingFollowsTheCardAndTheSelection) {
  CardDocument& doc = window->document();
  window->UpdateMenus();
  for (const char* name : {"N96", "N88", "N17", "mnFlatten", "UPL"}) {
    EXPECT_FALSE(Enabled(name)) << "no card: " << name;
  }
  EXPECT_FALSE(Enabled("Save1"));

  doc.NewCanvas(200, 100, 0xFFFFFFFF);
  EXPECT_TRUE(Enabled("N96"));
  EXPECT_TRUE(Enabled("mnFlatten"));
  EXPECT_FALSE(Enabled("N33")) << "a command that does not exist yet stays disabled";

  BitmapLayer& photo = doc.AppendBitmapLayer(Bitmap32(10, 10), {0, 0, 10, 10});
  doc.SelectLayer(&photo);
  for (const char* name : {"mnBringToFront", "mnLevelDown", "N88", "mnDelete", "UPL", "DNL"}) {
    EXPECT_TRUE(Enabled(name)) << "bitmap layer: " << name;
  }
  FrameLayer& frame = doc.CreateFrameLayer({50, 50}, FrameTag::kSelection);
  doc.SelectLayer(&frame);
  EXPECT_FALSE(Enabled("mnBringToFront"));
  EXPECT_FALSE(Enabled("mnFlatten")) << "Process needs a bitmap layer when something is selected";
  EXPECT_TRUE(Enabled("N88"));
  EXPECT_TRUE(Enabled("UPL"));
}

TEST_F(MainWindowTest, PanelsFollowNewAndTheSelection) {
  AnswerNextModal([](QWidget* w) { static_cast<QDialog*>(w)->accept(); });
  window->NewProject();
  SidePanel* p = window->side_panel();
  CardDocument& doc = window->document();
  EXPECT_EQ(doc.base_image().width(), 800);
  EXPECT_TRUE(p->image_section->isVisibleTo(window.get()));
  EXPECT_TRUE(p->card_section->isVisibleTo(window.get()));
  EXPECT_FALSE(p->start_section->isVisibleTo(window.get()));
  EXPECT_EQ(window->status_text(0), "New project");
  EXPECT_EQ(window->status_text(1), "800x600");
  EXPECT_FALSE(doc.CanUndo());

  BitmapLayer& l = doc.AppendBitmapLayer(Bitmap32(10, 10), {0, 0, 10, 10});
  l.MutableBitmap().set_master_alpha(77);
  doc.SelectLayer(&l);
  EXPECT_TRUE(p->layer_section->isVisibleTo(window.get()));
  EXPECT_EQ(p->layer_opacity->value(), 77);
  FrameLayer& crop = doc.CreateFrameLayer({10, 10}, FrameTag::kCrop);
  doc.SelectLayer(&crop);
  EXPECT_FALSE(p->layer_section->isVisibleTo(window.get()));
  EXPECT_TRUE(p->crop_section->isVisibleTo(window.get()));
}

TEST_F(MainWindowTest, ScaleComboAcceptsOneToTwoThousandPercent) {
  window->document().NewCanvas(400, 300, 0xFFFFFFFF);
  window->document().set_modified_mark(kMarkUnchanged);
  QComboBox* combo = window->side_panel()->scale_combo;
  const struct {
    const char* typed;
    const char* shown;
    double scale;
  } cases[] = {{"150", "150%", 1.5},  {"0", "150%", 1.5},    {"-5", "150%", 1.5},
               {"abc", "150%", 1.5},  {"3000", "150%", 1.5}, {"25 %", "25%", 0.25},
               {"2000", "2000%", 20}, {"", "", 20}};
  for (const auto& c : cases) {
    combo->setEditText(c.typed);
    EXPECT_EQ(combo->currentText(), c.shown) << c.typed;
    EXPECT_FLOAT_EQ(float(window->view()->scale()), float(c.scale)) << c.typed;
  }
  window->ActualSize();
  EXPECT_EQ(combo->currentText(), "100%");
  window->FitToWindow();
  EXPECT_EQ(window->document().modified_mark(), kMarkUnchanged) << "zooming is not a change";
}

TEST_F(MainWindowTest, SaveAsProjectThenSaveAndOpenAgain) {
  CardDocument& doc = window->document();
  doc.NewCanvas(30, 20, 0xFFFFFFFF);
  doc.AppendBitmapLayer(Bitmap32(4, 4, 0xFF00FF00), {1, 1, 5, 5});
  const QString typed = Path("card");
  window->ask_save_name = [&](int& filter) {
    filter = 1;
    return typed;
  };
  ASSERT_TRUE(window->SaveAs());
  EXPECT_TRUE(QFile::exists(typed + ".vlm"));
  EXPECT_EQ(window->status_text(0), typed + ".vlm");
  EXPECT_EQ(doc.modified_mark(), kMarkUnchanged);
  EXPECT_EQ(window->recent_cards().items().front(), (typed + ".vlm").toStdString());

  // Typing the extension writes no second one.
  window->ask_save_name = [&](int& filter) {
    filter = 1;
    return Path("other.vlm");
  };
  ASSERT_TRUE(window->SaveAs());
  EXPECT_TRUE(QFile::exists(Path("other.vlm")));
  EXPECT_FALSE(QFile::exists(Path("other.vlm.vlm")));

  doc.MutableBaseImage().Clear(0xFF0000FF);
  doc.Changed();
  ASSERT_TRUE(window->Save());
  ASSERT_TRUE(window->OpenCard(Path("other.vlm")));
  EXPECT_EQ(doc.base_image().Pixel(0, 0), 0xFF0000FFu);
  EXPECT_EQ(doc.LayerCount(), 1);
  EXPECT_FALSE(doc.CanUndo());
}

TEST_F(MainWindowTest, SaveIsOfferedByTheExactExtension) {
  CardDocument& doc = window->document();
  doc.NewCanvas(8, 8, 0xFFFFFFFF);
  window->ask_save_name = [&](int& filter) {
    filter = 5;  // PNG
    return Path("photo");
  };
  ASSERT_TRUE(window->SaveAs());
  for (const char* name : {"photo.JPG", "photo.Jpg"}) {
    QFile::copy(Path("photo.png"), Path(name));
  }
  ASSERT_TRUE(window->OpenCard(Path("photo.JPG")));
  EXPECT_TRUE(Enabled("Save1"));
  ASSERT_TRUE(window->OpenCard(Path("photo.Jpg")));
  EXPECT_FALSE(Enabled("Save1"));
  EXPECT_TRUE(Enabled("N3"));
}

TEST_F(MainWindowTest, JpegExportUsesTheDialogQualityAndCancelWritesNothing) {
  window->document().NewCanvas(16, 16, 0xFF808080);
  window->ask_save_name = [&](int& filter) {
    filter = 3;
    return Path("out");
  };
  AnswerNextModal([](QWidget* w) { static_cast<QDialog*>(w)->reject(); });
  window->document().set_modified_mark(kMarkChanged);
  EXPECT_FALSE(window->SaveAs());
  EXPECT_FALSE(QFile::exists(Path("out.jpg")));
  EXPECT_EQ(window->document().modified_mark(), kMarkChanged);
  EXPECT_EQ(window->jpeg_dialog()->quality(), 70);
  AnswerNextModal([](QWidget* w) { static_cast<QDialog*>(w)->accept(); });
  EXPECT_TRUE(window->SaveAs());
  EXPECT_TRUE(QFile::exists(Path("out.jpg")));
}

TEST_F(MainWindowTest, ConfirmSaveAnswersNoWhenSaveAsIsCancelled) {
  window->document().NewCanvas(8, 8, 0xFFFFFFFF);
  window->document().set_modified_mark(kMarkChanged);
  window->ask_save_name = [](int&) { return QString(); };
  AnswerNextModal([](QWidget* w) { ClickButton(w, QMessageBox::Yes); });
  EXPECT_FALSE(window->ConfirmSave());
  AnswerNextModal([](QWidget* w) { ClickButton(w, QMessageBox::No); });
  EXPECT_TRUE(window->ConfirmSave());
  window->document().set_modified_mark(kMarkUnchanged);
  EXPECT_TRUE(window->ConfirmSave());  // nothing to ask
}

TEST_F(MainWindowTest, FailedOpenKeepsTheCardAndItsMark) {
  window->document().NewCanvas(8, 8, 0xFF123456);
  window->document().set_modified_mark(kMarkChanged);
  window->ask_open_name = [&] { return Path("missing.png"); };
  AnswerNextModal([](QWidget* w) { ClickButton(w, QMessageBox::No); });  // the save prompt
  QTimer::singleShot(50, [] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) box->accept();
  });
  window->Open();
  EXPECT_EQ(window->document().base_image().Pixel(0, 0), 0xFF123456u);
  EXPECT_EQ(window->document().modified_mark(), kMarkChanged);
}

TEST_F(MainWindowTest, SettingsAreWrittenAtCloseAndReadAtStart) {
  window->SetChess(true);
  window->WriteSettings();
  QFile view(Path("View.atp"));
  ASSERT_TRUE(view.open(QIODevice::ReadOnly));
  EXPECT_EQ(view.readAll(), "CHESS");
  window = std::make_unique<MainWindow>(AppPaths(dir_path(), dir_path()));
  EXPECT_TRUE(window->view()->background().chess);
  EXPECT_TRUE(window->action("N103")->isChecked());
}

// Save of a card opened from photo.JPG writes the card, its layers flattened, over the file as a
// JPEG of quality 100 (every step of libjpeg's quantisation tables 1, where the dialog's 70 gives
// 10 for the first).
TEST_F(MainWindowTest, SaveOfAnOpenedJpegWritesTheFlattenedCardAtQuality100) {
  const std::string photo = Path("photo.JPG").toStdString();
  SavePicture(photo, Bitmap32(16, 16, 0xFF808080));
  ASSERT_TRUE(window->OpenCard(Path("photo.JPG")));
  CardDocument& doc = window->document();
  doc.AppendBitmapLayer(Bitmap32(8, 16, 0xFFFF0000), {0, 0, 8, 16});  // the left half red
  doc.Changed();
  ASSERT_TRUE(window->Save());
  EXPECT_EQ(doc.modified_mark(), kMarkUnchanged);

  std::ifstream in(photo, std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  const size_t dqt = bytes.find("\xFF\xDB");
  ASSERT_NE(dqt, std::string::npos);
  EXPECT_EQ(bytes[dqt + 5], 1);
  const Bitmap32 back = LoadPicture(photo);
  const Color32 red = back.Pixel(2, 8), grey = back.Pixel(13, 8);
  EXPECT_GT(RedOf(red), 240u);
  EXPECT_LT(GreenOf(red), 16u);
  EXPECT_NEAR(int(GreenOf(grey)), 128, 4);
}
}  // namespace
}  // namespace velmora
