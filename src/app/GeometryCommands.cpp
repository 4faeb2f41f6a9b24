#include "app/GeometryCommands.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>

#include "app/MainWindow.h"
#include "app/SidePanel.h"
#include "effects/CropCanvas.h"
#include "effects/GeometryTransforms.h"
#include "effects/ImageSizeDialog.h"
#include "effects/PerspectiveDialog.h"
#include "effects/RotateDialog.h"
#include "widgets/LayerView.h"

namespace velmora {
namespace {

// Connects the items with these form names to `command`, run with errors reported, and marks
// them available.
void Bind(MainWindow& window, std::initializer_list<const char*> names,
          const std::function<void()>& command) {
  for (const char* name : names) {
    QObject::connect(window.action(name), &QAction::triggered, &window,
                     [&window, command] { window.RunReported(command); });
    window.MarkAvailable(name);
  }
}

}  // namespace

void InstallGeometryCommands(MainWindow& window) {
  CardDocument& doc = window.document();
  auto* rotate = new RotateDialog(doc, &window);
  auto* image_size = new ImageSizeDialog(&window);
  auto* perspective = new PerspectiveDialog(doc, &window);

  // The two menus name the flips the other way round: the main menu's "Vertical" and the
  // pop-up's "Horizontal" both flip top to bottom.
  Bind(window, {"N901", "N905"}, [&doc] { RotateLayer90(doc, TurnDirection::kClockwise); });
  Bind(window, {"N902", "N904"}, [&doc] { RotateLayer90(doc, TurnDirection::kCounterclockwise); });
  Bind(window, {"N24", "N65"}, [&doc] { FlipLayer(doc, FlipDirection::kTopToBottom); });
  Bind(window, {"N53", "N60"}, [&doc] { FlipLayer(doc, FlipDirection::kLeftToRight); });
  Bind(window, {"N13", "N58"}, [&doc, rotate] {
    if (doc.SelectedBitmap()) rotate->Run();
  });
  Bind(window, {"N37"}, [&doc, image_size] {
    const Bitmap32& base = doc.base_image();
    if (!doc.HasCard() || !image_size->Run(base.width(), base.height())) return;
    ResizeImage(doc, image_size->width(), image_size->height(), image_size->method().filter);
  });
  Bind(window, {"N114"}, [&window, &doc] {
    const QPoint c = window.view()->ViewCentre();
    StartCropCanvas(doc, {double(c.x()), double(c.y())});
  });
  Bind(window, {"N124"}, [&doc, perspective] {
    if (doc.HasCard()) perspective->Run();
  });

  SidePanel* panel = window.side_panel();
  const auto fit = [&doc, panel] {
    FitCropToRatio(doc, panel->crop_ratios->currentIndex(), panel->portrait->isChecked());
  };
  QObject::connect(panel->crop_ratios, &QComboBox::currentIndexChanged, &window, fit);
  QObject::connect(panel->portrait, &QCheckBox::clicked, &window, fit);
  QObject::connect(panel->crop_ok, &QPushButton::clicked, &window,
                   [&window, &doc] { window.RunReported([&doc] { ApplyCropCanvas(doc); }); });
  QObject::connect(panel->crop_cancel, &QPushButton::clicked, &window,
                   [&doc] { CancelCropCanvas(doc); });
  panel->crop_ok->setEnabled(true);
  panel->crop_cancel->setEnabled(true);
}

}  // namespace velmora
