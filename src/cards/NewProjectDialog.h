#pragma once

#include <QDialog>
#include <string_view>

#include "cards/NewProjectSize.h"

class QComboBox;
class QFrame;
class QLabel;
class QRadioButton;
class QSpinBox;
class QTimer;

namespace velmora {

// "New Project" (TTemplates): page-size templates, width and height in pixels or inches at a
// resolution, orientation, memory size and a proportional preview. Created once by the main
// window and reused, so it shows its last values when opened again. The work is done by
// NewProjectSize; the dialog holds the controls and mirrors its state.
class NewProjectDialog : public QDialog {
  Q_OBJECT

 public:
  explicit NewProjectDialog(QWidget* parent = nullptr);

  // Shows the dialog modally; true when the user pressed "Create project".
  bool Run();
  // The size for the new canvas, valid after "Create project".
  int ProjectWidth() const { return size_.project_size().width; }
  int ProjectHeight() const { return size_.project_size().height; }
  const NewProjectSize& size_state() const { return size_; }

  // What picking a template in the list does (by its stable id).
  void ChooseTemplate(std::string_view id);
  // What Timer1 does when it fires 50 ms after an edit of the width or height.
  void RecomputeNow();
  // "Create project": a recompute still waiting for the timer is run first.
  void accept() override;

 private:
  void BuildControls();
  void ConnectControls();
  // Puts the state into the controls (without re-entering the handlers), moves the preview
  // and arms or stops Timer1.
  void ShowState();

  NewProjectSize size_;
  QComboBox* template_list_ = nullptr;        // Shabl
  QSpinBox* width_edit_ = nullptr;            // WI
  QSpinBox* height_edit_ = nullptr;           // HE
  QComboBox* unit_list_ = nullptr;            // CEP
  QLabel* unit_label_ = nullptr;              // Label3
  QRadioButton* portrait_button_ = nullptr;   // Book
  QRadioButton* landscape_button_ = nullptr;  // Alba
  QSpinBox* resolution_edit_ = nullptr;       // Resol
  QLabel* size_label_ = nullptr;              // Label7
  QFrame* page_preview_ = nullptr;            // SP
  QTimer* recompute_timer_ = nullptr;         // Timer1
};

}  // namespace velmora
