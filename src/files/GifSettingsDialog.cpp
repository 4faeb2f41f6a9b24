#include "files/GifSettingsDialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <vector>

#include "files/ExportDialogSupport.h"

namespace velmora {
namespace {

struct DepthChoice {
  GifDepth depth;
  const char* text;
};

constexpr DepthChoice kChoices[] = {{GifDepth::kTwo, "2"},
                                    {GifDepth::kSixteen, "16"},
                                    {GifDepth::k256, "256"},
                                    {GifDepth::kAuto, "Auto"}};

}  // namespace

int64_t CountColours(const Bitmap32& picture) {
  std::vector<uint64_t> seen((1 << 24) / 64, 0);
  int64_t count = 0;
  for (int y = 0; y < picture.height(); ++y) {
    const Color32* row = picture.Row(y);
    for (int x = 0; x < picture.width(); ++x) {
      const uint32_t c = row[x] & 0xFFFFFF;
      uint64_t& word = seen[c >> 6];
      const uint64_t bit = uint64_t{1} << (c & 63);
      count += (word & bit) == 0;
      word |= bit;
    }
  }
  return count;
}

GifSettingsDialog::GifSettingsDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("TGifType");
  setWindowTitle("GIF Settings");
  auto* layout = new QVBoxLayout(this);
  information_ = new QLabel(this);
  information_->setObjectName("Panel1");
  information_->setFrameShape(QFrame::StyledPanel);
  information_->setMargin(4);
  information_->setMinimumWidth(300);
  layout->addWidget(information_);
  auto* group = new QGroupBox("Set amount of colors", this);
  auto* row = new QHBoxLayout(group);
  for (int i = 0; i < 4; ++i) {
    buttons_[i] = new QRadioButton(kChoices[i].text, group);
    row->addWidget(buttons_[i]);
  }
  buttons_[3]->setChecked(true);
  layout->addWidget(group);
  AddSaveRow(this, layout);
}

void GifSettingsDialog::ShowColourCount(const Bitmap32& picture) {
  information_->setText(
      QString("Information: this image contains %1 colors.").arg(CountColours(picture)));
}

QString GifSettingsDialog::information() const { return information_->text(); }

GifDepth GifSettingsDialog::depth() const {
  for (int i = 0; i < 4; ++i) {
    if (buttons_[i]->isChecked()) return kChoices[i].depth;
  }
  return GifDepth::kAuto;
}

void GifSettingsDialog::set_depth(GifDepth depth) {
  for (int i = 0; i < 4; ++i) buttons_[i]->setChecked(kChoices[i].depth == depth);
}

}  // namespace velmora
