#pragma once

#include <QDialog>
#include <functional>
#include <optional>
#include <string>

#include "document/CardDocument.h"

class QCheckBox;
class QLineEdit;

namespace velmora {

class GaugeBar;

// The integer in the angle field: an optional sign and decimal digits, blanks before them
// allowed. Throws Error("'<text>' is not a valid integer value") for anything else, the empty
// text included.
int AngleFromText(const std::string& text);

// "Rotate" (TPovor): free rotation of the selected bitmap layer. While open it keeps a backup
// of the layer's pixels and location; Preview turns the backup by the angle in the field, OK
// does so once more after recording a "geom" undo step, and every other way of closing puts
// the backup back. The angle field and the gauge follow each other; the pixel work is
// TurnSelectedLayer.
class RotateDialog : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kMinAngle = -180, kMaxAngle = 180;

  explicit RotateDialog(CardDocument& doc, QWidget* parent = nullptr);

  // Takes the backup and shows the dialog modally; true after OK.
  bool Run();
  // What opening the dialog does: the backup of the selected bitmap layer (none without one).
  void Activate();
  bool has_backup() const noexcept { return backup_.has_value(); }

  // The field and the gauge, as if the user typed or moved them.
  void SetAngleText(const QString& text);
  void MoveGauge(int position);
  QString angle_text() const;
  int gauge_position() const;
  void set_interpolate(bool on);
  bool interpolate() const;

  // "Preview": the layer back from the backup, rescaled to 1:1 and turned by the field's angle.
  void Preview();
  // "OK": the layer back from the backup, a "geom" undo step, the turn; the dialog closes even
  // when the angle could not be read.
  void Ok();
  // "Cancel" (Esc and closing the window do the same).
  void Cancel();
  void done(int result) override;

  // How the dialog's messages reach the user; tests replace them. show_error gets the
  // conversion error, show_message the range note.
  std::function<void(const QString&)> show_error;
  std::function<void(const QString&)> show_message;

 private:
  struct Backup {
    uint64_t layer_id = 0;
    Bitmap32 bitmap;
    Location location;
  };

  void OnAngleTextChanged(const QString& text);
  void RestoreBackup();
  // Backup restored, rescaled, turned; a conversion error is shown and stops it.
  void TurnFromBackup(bool remember);

  CardDocument& doc_;
  std::optional<Backup> backup_;
  GaugeBar* angle_gauge_ = nullptr;   // Angle
  QLineEdit* angle_edit_ = nullptr;   // Edit1
  QCheckBox* interpolate_ = nullptr;  // Inter
};

}  // namespace velmora
