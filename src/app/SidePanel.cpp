#include "app/SidePanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QVBoxLayout>

#include "document/ResizeRule.h"
#include "widgets/CollapsibleSection.h"
#include "widgets/GaugeBar.h"
#include "widgets/LinkLabel.h"

namespace velmora {
namespace {

template <typename T>
T* Named(T* widget, const char* name) {
  widget->setObjectName(name);
  return widget;
}

QLabel* Heading(const QString& text, QWidget* parent) {
  auto* l = new QLabel(text, parent);
  QFont f = l->font();
  f.setBold(true);
  l->setFont(f);
  return l;
}

}  // namespace

SidePanel::SidePanel(QWidget* parent) : QWidget(parent) {
  setObjectName("SidePanel");
  setFixedWidth(kWidth);
  // The sections keep their heights; when the window is lower than all of them together the
  // panel scrolls instead of making the window taller.
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  auto* scroll = new QScrollArea(this);
  scroll->setObjectName("SidePanelScroll");
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setWidgetResizable(true);
  scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  outer->addWidget(scroll);
  auto* inner = new QWidget(scroll);
  scroll->setWidget(inner);
  layout_ = new QVBoxLayout(inner);
  layout_->setContentsMargins(0, 0, 0, 0);
  layout_->setSpacing(1);
  QWidget* host = inner;

  // Image.
  image_section = Named(new CollapsibleSection("Image", 104, true, host), "pnlImage");
  {
    QWidget* c = image_section->content();
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel("Image Scale", c));
    scale_combo = Named(new QComboBox(c), "ScaleCombo");
    scale_combo->setEditable(true);
    scale_combo->addItems({"25%", "50%", "75%", "100%", "200%", "300%", "400%", "800%", "1600%"});
    scale_combo->setMaxVisibleItems(9);
    scale_combo->setInsertPolicy(QComboBox::NoInsert);
    scale_combo->setEditText("100%");
    row->addWidget(scale_combo, 1);
    image_section->content_layout()->addLayout(row);
    auto* row2 = new QHBoxLayout;
    image_interpolate = Named(new QCheckBox("Interpolate", c), "ImageInterpolate");
    image_interpolate->setChecked(true);
    row2->addWidget(image_interpolate);
    add_photo_button = Named(new QPushButton("Add New Photo", c), "Button5");
    row2->addWidget(add_photo_button);
    image_section->content_layout()->addLayout(row2);
  }
  layout_->addWidget(image_section);

  // Card Properties.
  card_section = Named(new CollapsibleSection("Card Properties", 328, true, host), "Panel1");
  card_pages = Named(new QTabWidget(card_section->content()), "PageControl1");
  for (const char* tab : {"Background", "Selector", "Clip Art", "Greetings"}) {
    card_pages->addTab(new QWidget(card_pages), tab);
  }
  card_section->content_layout()->addWidget(card_pages);
  layout_->addWidget(card_section);

  // Layer Properties.
  layer_section =
      Named(new CollapsibleSection("Layer Properties", 132, true, host), "pnlBitmapLayer");
  {
    QWidget* c = layer_section->content();
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel("Opacity", c));
    layer_opacity = Named(new GaugeBar(0, 255, 255, c), "LayerOpacity");
    row->addWidget(layer_opacity, 1);
    layer_section->content_layout()->addLayout(row);
    auto* checks = new QHBoxLayout;
    layer_interpolate = Named(new QCheckBox("Interpolate", c), "LayerInterpolate");
    layer_interpolate->setChecked(true);
    keep_proportions = Named(new QCheckBox("Keep Proportions", c), "Propos");
    keep_proportions->setChecked(true);
    cropped = Named(new QCheckBox("Cropped", c), "Cropped");
    cropped->hide();
    checks->addWidget(layer_interpolate);
    checks->addWidget(keep_proportions);
    checks->addStretch(1);
    layer_section->content_layout()->addLayout(checks);
    auto* buttons = new QHBoxLayout;
    delete_button = Named(new QPushButton("Delete", c), "Button8");
    duplicate_button = Named(new QPushButton("Duplicate", c), "Button7");
    mask_button = Named(new QPushButton("Mask", c), "Button9");
    for (QPushButton* b : {delete_button, duplicate_button, mask_button}) buttons->addWidget(b);
    layer_section->content_layout()->addLayout(buttons);
  }
  layer_section->hide();
  layout_->addWidget(layer_section);

  // Start Panel.
  start_section = Named(new CollapsibleSection("Start Panel", 262, true, host), "Start");
  {
    QWidget* c = start_section->content();
    QVBoxLayout* l = start_section->content_layout();
    l->setContentsMargins(16, 10, 16, 10);
    l->setSpacing(6);
    l->addWidget(Heading("Create New Card", c));
    new_project_link = Named(new LinkLabel("New Project", c), "LabNew");
    templates_link = Named(new LinkLabel("Create Using Templates", c), "LabTemplates");
    for (LinkLabel* link : {new_project_link, templates_link}) {
      link->setContentsMargins(12, 0, 0, 0);
      l->addWidget(link);
    }
    l->addSpacing(8);
    l->addWidget(Heading("Open Project", c));
    const char* names[4] = {"Lab1", "Lab2", "Lab3", "Lab4"};
    for (int i = 0; i < 4; ++i) {
      recent_links[i] = Named(new LinkLabel("Empty", c), names[i]);
      recent_links[i]->setContentsMargins(12, 0, 0, 0);
      l->addWidget(recent_links[i]);
    }
    open_other_link = Named(new LinkLabel("Open Another File", c), "LabOpen");
    open_other_link->setContentsMargins(12, 0, 0, 0);
    l->addWidget(open_other_link);
    l->addStretch(1);
  }
  layout_->addWidget(start_section);

  // Crop Canvas.
  crop_section = Named(new CollapsibleSection("Crop Canvas", 98, true, host), "Crops");
  {
    QWidget* c = crop_section->content();
    auto* row = new QHBoxLayout;
    crop_ratios = Named(new QComboBox(c), "CropsP");
    for (const CropRatio& r : CropRatios()) {
      crop_ratios->addItem(QString::fromUtf8(r.text.data(), int(r.text.size())));
    }
    portrait = Named(new QCheckBox("Portrait", c), "Portrait");
    row->addWidget(crop_ratios, 1);
    row->addWidget(portrait);
    crop_section->content_layout()->addLayout(row);
    auto* buttons = new QHBoxLayout;
    crop_ok = Named(new QPushButton(QString::fromUtf8("ОК"), c), "CropOK");
    crop_cancel = Named(new QPushButton("Cancel", c), "CropCancel");
    buttons->addStretch(1);
    buttons->addWidget(crop_ok);
    buttons->addWidget(crop_cancel);
    crop_section->content_layout()->addLayout(buttons);
  }
  crop_section->hide();
  layout_->addWidget(crop_section);

  // Card Settings.
  card_settings_section =
      Named(new CollapsibleSection("Card Settings", 152, true, host), "SetCard");
  card_settings_section->hide();
  layout_->addWidget(card_settings_section);

  layout_->addStretch(1);
  image_section->hide();
  card_section->hide();
}

}  // namespace velmora
