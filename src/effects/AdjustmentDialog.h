#pragma once

#include <QDialog>
#include <QString>
#include <vector>

#include "document/CardDocument.h"
#include "effects/AdjustmentPreview.h"

class QGridLayout;
class QLayout;

namespace velmora {

class GaugeBar;

// What the Brightness / Contrast and Color Balance dialogs share: gauges that start at 0 on
// every opening, a PreviewBackup of EffectTarget taken on opening, "Reset" (every gauge 0, the
// target back from the copy), "OK" keeping what the target shows, and every other way of closing
// ("Cancel", Esc, the window's close button) putting the copy back. Previews happen when a gauge
// is released, never while it moves.
class AdjustmentDialog : public QDialog {
  Q_OBJECT

 public:
  // Opens the dialog (Activate) and shows it modally; true after OK.
  bool Run();
  // What opening does: every gauge := 0, the PreviewBackup taken.
  void Activate();
  // "Reset" (Button3).
  void Reset();
  void done(int result) override;

  const PreviewBackup& backup() const noexcept { return backup_; }

 protected:
  AdjustmentDialog(CardDocument& doc, const char* form_name, const QString& caption,
                   QWidget* parent);

  // A gauge at `row` of `grid`: `left` label, the gauge, and `right` label where given.
  GaugeBar* AddGauge(QGridLayout* grid, int row, const char* form_name, int limit,
                     const QString& left, const QString& right = QString());
  // The row of "Reset", "OK" and "Cancel" under the dialog's content.
  QLayout* MakeButtons();
  PreviewBackup& preview() noexcept { return backup_; }

 private:
  PreviewBackup backup_;
  std::vector<GaugeBar*> gauges_;
};

}  // namespace velmora
