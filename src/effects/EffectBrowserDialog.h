#pragma once

#include <QDialog>
#include <vector>

#include "document/CardDocument.h"
#include "effects/EffectTable.h"
#include "graphics/Bitmap32.h"
#include "graphics/Random.h"

class QButtonGroup;
class QToolButton;

namespace velmora {

// "Effect Browser" (TBrowser): the nine entries of BrowserEffects() as a 3 x 3 grid of buttons
// (FView), each showing its preview of EffectTarget with its title below, in the table's order.
// The previews are built in memory on every opening and draw from the program's generator.
// "OK" (Button4) closes with the chosen entry, if any; a double click on a preview chooses it and
// closes; "Cancel", Esc and closing the window choose nothing. The dialog changes no pixel
// itself: its caller records the undo step and applies chosen() (ApplyBrowserEffect).
class EffectBrowserDialog : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kColumns = 3;

  EffectBrowserDialog(const CardDocument& doc, Random& random, QWidget* parent = nullptr);

  // Opens the dialog (Activate) and shows it modally; true after OK or a double click.
  bool Run();
  // What opening does: no entry chosen, the previews of the target built and shown. Throws
  // Error when they cannot be made.
  void Activate();

  // The entry at list position `index` (-1: none) becomes the chosen one, as a click does.
  void Choose(int index);
  // A double click on the preview at `index`: chosen, and the dialog closes with OK.
  void ChooseAndClose(int index);
  // The chosen entry, or null.
  const EffectEntry* chosen() const;

  // The previews of the last opening, in list order.
  const std::vector<Bitmap32>& thumbnails() const noexcept { return thumbnails_; }
  QToolButton* thumbnail_button(int index) const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  const CardDocument& doc_;
  Random& random_;
  std::vector<Bitmap32> thumbnails_;
  QButtonGroup* view_ = nullptr;  // FView: the buttons, by list position
};

}  // namespace velmora
