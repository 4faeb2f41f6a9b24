#pragma once

#include <QWidget>
#include <array>

class QCheckBox;
class QComboBox;
class QPushButton;
class QTabWidget;
class QVBoxLayout;

namespace velmora {

class CollapsibleSection;
class GaugeBar;
class LinkLabel;

// The main window's side panel: a stack of sections aligned to the top, 336 pixels wide. It only
// holds the controls; the window connects them to its commands.
class SidePanel : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kWidth = 336;

  explicit SidePanel(QWidget* parent = nullptr);

  // "Image": zoom, interpolation of the whole picture, Add New Photo.
  CollapsibleSection* image_section;  // pnlImage
  QComboBox* scale_combo;             // ScaleCombo
  QCheckBox* image_interpolate;       // ImageInterpolate
  QPushButton* add_photo_button;      // Button5

  // "Card Properties": the card's own pages.
  CollapsibleSection* card_section;  // Panel1
  QTabWidget* card_pages;            // PageControl1

  // "Layer Properties".
  CollapsibleSection* layer_section;  // pnlBitmapLayer
  GaugeBar* layer_opacity;            // LayerOpacity
  QCheckBox* layer_interpolate;       // LayerInterpolate
  QCheckBox* keep_proportions;        // Propos
  QCheckBox* cropped;                 // Cropped (hidden)
  QPushButton* delete_button;         // Button8
  QPushButton* duplicate_button;      // Button7
  QPushButton* mask_button;           // Button9

  // "Start Panel".
  CollapsibleSection* start_section;  // Start
  LinkLabel* new_project_link;
  LinkLabel* templates_link;
  std::array<LinkLabel*, 4> recent_links;  // Lab1 .. Lab4
  LinkLabel* open_other_link;

  // "Crop Canvas".
  CollapsibleSection* crop_section;  // Crops
  QComboBox* crop_ratios;            // CropsP
  QCheckBox* portrait;               // Portrait
  QPushButton* crop_ok;
  QPushButton* crop_cancel;

  // "Card Settings" (the card wizard's placement panel).
  CollapsibleSection* card_settings_section;  // SetCard

 private:
  QVBoxLayout* layout_;
};

}  // namespace velmora
