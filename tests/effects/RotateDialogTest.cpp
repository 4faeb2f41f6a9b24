#include <gtest/gtest.h>

#include "DialogTestFixture.h"
#include "EffectTestSupport.h"
#include "document/UndoRedo.h"
#include "effects/RotateDialog.h"
#include "graphics/Error.h"

namespace velmora {
namespace {

TEST(AngleText, ReadsSignedIntegersAndNamesAnythingElse) {
  const struct {
    const char* text;
    int value;
  } good[] = {{"0", 0}, {"45", 45}, {"-180", -180}, {"+7", 7}, {"  12", 12}, {"200", 200}};
  for (const auto& g : good) EXPECT_EQ(AngleFromText(g.text), g.value) << g.text;
  for (const char* bad : {"", "-", "+", "1.5", "12 ", "abc", "++5", "+-5", "99999999999"}) {
    try {
      AngleFromText(bad);
      ADD_FAILURE() << "accepted '" << bad << "'";
    } catch (const Error& e) {
      EXPECT_EQ(std::string(e.what()), "'" + std::string(bad) + "' is not a valid integer value");
    }
  }
}

class RotateDialogTest : public testing::DialogTest {
 protected:
  void SetUp() override {
    doc.NewCanvas(300, 200, 0xFFFFFFFF);
    original = testing::NoiseBitmap(100, 50, 9);
    layer = &doc.AppendBitmapLayer(original, {10, 20, 110, 70});
    doc.SelectLayer(layer);
    dialog = std::make_unique<RotateDialog>(doc);
    dialog->show_error = [this](const QString& m) { errors.push_back(m.toStdString()); };
    dialog->show_message = [this](const QString& m) { messages.push_back(m.toStdString()); };
    dialog->Activate();
  }

  CardDocument doc;
  Bitmap32 original;
  BitmapLayer* layer = nullptr;
  std::unique_ptr<RotateDialog> dialog;
  std::vector<std::string> errors, messages;
};

TEST_F(RotateDialogTest, CancelAfterTwoPreviewsPutsTheLayerBackExactly) {
  dialog->SetAngleText("30");
  dialog->Preview();
  EXPECT_EQ(layer->bitmap().width(), 112);  // 100 cos 30 + 50 sin 30 = 111.6
  dialog->MoveGauge(-45);
  dialog->Preview();
  EXPECT_EQ(layer->bitmap().width(), 106);
  dialog->Cancel();
  EXPECT_TRUE(SamePixels(layer->bitmap(), original));
  EXPECT_EQ(layer->location(), (Location{10, 20, 110, 70}));
  EXPECT_EQ(doc.selected_layer(), layer);
  EXPECT_TRUE(doc.undo_slot().empty());
  EXPECT_FALSE(dialog->has_backup());
}

TEST_F(RotateDialogTest, GaugeAndFieldFollowEachOther) {
  dialog->MoveGauge(-45);
  EXPECT_EQ(dialog->angle_text(), "-45");
  dialog->SetAngleText("120");
  EXPECT_EQ(dialog->gauge_position(), 120);
  dialog->SetAngleText("");  // nothing happens
  dialog->SetAngleText("200");
  EXPECT_EQ(messages,
            std::vector<std::string>{"Значения могут лежать в диапазоне от -180 до 180 градусов."});
  EXPECT_EQ(dialog->gauge_position(), 120) << "the gauge stays";
  EXPECT_EQ(dialog->angle_text(), "200") << "the text stays";
  dialog->SetAngleText("1x");
  EXPECT_EQ(errors, std::vector<std::string>{"'1x' is not a valid integer value"});
  EXPECT_EQ(dialog->gauge_position(), 120);
}

TEST_F(RotateDialogTest, AnOutOfRangeAngleIsStillUsedAsTyped) {
  dialog->SetAngleText("270");
  dialog->Preview();
  EXPECT_EQ(layer->bitmap().width(), 50);
  EXPECT_EQ(layer->bitmap().height(), 100);
}

TEST_F(RotateDialogTest, OkRecordsOneGeomStepFromTheOriginal) {
  dialog->SetAngleText("90");
  dialog->set_interpolate(false);
  dialog->Preview();
  dialog->Ok();
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
  EXPECT_EQ(layer->bitmap().width(), 50);
  EXPECT_EQ(layer->bitmap().stretch_filter(), StretchFilter::kNearest);
  EXPECT_EQ(doc.undo_slot().kind, UndoKind::kGeometry);
  Undo(doc);
  EXPECT_TRUE(SamePixels(layer->bitmap(), original));
  EXPECT_EQ(layer->location(), (Location{10, 20, 110, 70}));
}

TEST_F(RotateDialogTest, ScaledLayerIsResampledToItsOnCardSizeFirst) {
  layer->set_location({10, 20, 210, 120});  // shown at twice its size
  dialog->Activate();
  dialog->SetAngleText("0");
  dialog->Preview();
  EXPECT_EQ(layer->bitmap().width(), 200);
  EXPECT_EQ(layer->bitmap().height(), 100);
  EXPECT_EQ(layer->location(), (Location{10, 20, 210, 120}));
}

TEST_F(RotateDialogTest, AnUnreadableAngleStopsBeforeTheTurn) {
  layer->set_location({10, 20, 210, 120});
  dialog->Activate();
  dialog->SetAngleText("");
  dialog->Preview();
  EXPECT_EQ(errors, std::vector<std::string>{"'' is not a valid integer value"});
  EXPECT_EQ(layer->bitmap().width(), 200) << "restored and rescaled, not turned";
  dialog->Ok();
  EXPECT_EQ(errors.size(), 2u);
  EXPECT_EQ(dialog->result(), QDialog::Accepted) << "OK closes all the same";
  EXPECT_EQ(doc.undo_slot().kind, UndoKind::kGeometry);
  Undo(doc);
  EXPECT_TRUE(SamePixels(layer->bitmap(), original));
}

}  // namespace
}  // namespace velmora
