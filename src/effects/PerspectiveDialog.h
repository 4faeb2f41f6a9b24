#pragma once

#include <QDialog>
#include <functional>
#include <optional>

#include "document/CardDocument.h"
#include "effects/PerspectiveCorrection.h"

class QCheckBox;
class QFrame;
class QTimer;
class QToolButton;

namespace velmora {

class PerspectivePreview;

// "Perspective Correction" (TProGeomo): the selected bitmap layer, or else the base image, is
// copied when the dialog opens; a reduced copy is shown on a chequer in the preview "Dst", where
// the user drags its corners (one corner, or all four from anywhere else) and the picture
// follows by the projective mapping. A dashed outline moves along the corners while the dialog
// is shown (a timer that runs only then and repaints only the outline). OK applies the mapping
// to the full-size copy (ApplyPerspective); Cancel changes nothing.
class PerspectiveDialog : public QDialog {
  Q_OBJECT

 public:
  explicit PerspectiveDialog(CardDocument& doc, QWidget* parent = nullptr);
  ~PerspectiveDialog() override;

  // Activate, then the modal loop; true after OK.
  bool Run();
  // What opening does: the full-size copy, the preview source, the corners reset, the preview
  // rendered; the background colour is offered only for the base image.
  void Activate();

  // The mouse on the preview (preview pixels), as the preview's own events call them.
  void PressAt(int x, int y);
  void DragTo(int x, int y);
  void ReleaseMouse();
  // "Reset": the corners back to the picture's own.
  void Reset();
  // "Interpolation".
  void SetInterpolation(bool on);
  bool interpolation() const;
  // The background colour for the base image (opaque; white at first).
  void SetBackground(Color32 colour);
  Color32 background() const noexcept { return background_; }
  bool background_enabled() const;
  // The colour button: asks choose_colour and takes its answer.
  void ChooseBackground();
  // "OK": applies and closes; an error is shown and the dialog stays open.
  void Ok();

  const Corners& corners() const noexcept { return drag_.corners(); }
  const Bitmap32& preview_source() const noexcept { return source_; }
  // The rendered preview without the outline, and the picture on screen with it.
  const Bitmap32& rendered() const noexcept { return rendered_; }
  const Bitmap32& frame() const noexcept { return frame_; }
  double dash_offset() const noexcept { return dash_offset_; }
  bool animating() const;
  // One step of the outline's animation (what the timer does).
  void AnimateOutline();

  void done(int result) override;

  // Replaceable for tests: the colour dialog and the error box.
  std::function<std::optional<Color32>(Color32 current)> choose_colour;
  std::function<void(const QString&)> show_error;

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void Render();
  void ShowFrame();
  void ShowBackground();

  CardDocument& doc_;
  Bitmap32 full_;      // the full-size copy
  Bitmap32 source_;    // the preview source
  Bitmap32 rendered_;  // chequer and mapped source
  Bitmap32 frame_;     // rendered_ with the outline, as shown
  CornerDrag drag_;
  double dash_offset_ = 0;
  Color32 background_ = 0xFFFFFFFF;
  PerspectivePreview* preview_ = nullptr;     // Dst
  QCheckBox* interpolation_ = nullptr;        // CheckBox1
  QFrame* background_panel_ = nullptr;        // Panel1
  QFrame* background_swatch_ = nullptr;       // the colour, inside Panel1
  QToolButton* background_button_ = nullptr;  // SpeedButton1
  QTimer* ants_timer_ = nullptr;
};

}  // namespace velmora
