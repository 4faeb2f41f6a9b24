#include "app/EffectCommands.h"

#include <QAction>
#include <QColorDialog>
#include <functional>
#include <memory>

#include "app/MainWindow.h"
#include "app/SidePanel.h"
#include "document/UndoRedo.h"
#include "effects/BrightnessContrastDialog.h"
#include "effects/ColorBalanceDialog.h"
#include "effects/Colorize.h"
#include "effects/EffectBrowserDialog.h"
#include "effects/EffectTarget.h"
#include "widgets/GaugeBar.h"

namespace velmora {
namespace {

constexpr int kFullOpacity = 255;

// The opacity gauge at full opacity for as long as it lives, then back at its value: through
// the gauge's change handler the selected layer is shown fully opaque while a dialog is open.
class FullOpacityWhileOpen {
 public:
  explicit FullOpacityWhileOpen(GaugeBar* gauge) : gauge_(gauge), saved_(gauge->value()) {
    if (saved_ != kFullOpacity) gauge_->setValue(kFullOpacity);
  }
  ~FullOpacityWhileOpen() { gauge_->setValue(saved_); }
  FullOpacityWhileOpen(const FullOpacityWhileOpen&) = delete;
  FullOpacityWhileOpen& operator=(const FullOpacityWhileOpen&) = delete;

 private:
  GaugeBar* gauge_;
  int saved_;
};

// Brightness / Contrast and Color Balance: one undo step for whatever the dialog ends with (after
// Cancel it restores the same picture), and the layer fully opaque while the dialog is open.
void RunAdjustment(MainWindow& window, AdjustmentDialog& dialog) {
  CardDocument& doc = window.document();
  if (!EffectTargetPixels(doc)) return;
  RememberEffect(doc);
  {
    const FullOpacityWhileOpen opaque(window.side_panel()->layer_opacity);
    dialog.Run();
  }
  window.UpdateMenus();  // Undo, even when OK came before any preview
}

QColor QColorOf(Color32 c) { return QColor::fromRgb(c | 0xFF000000u); }

struct Command {
  const char* name;
  std::function<void()> run;
};

}  // namespace

void InstallEffectCommands(MainWindow& window) {
  CardDocument& doc = window.document();
  auto* brightness_contrast = new BrightnessContrastDialog(doc, &window);
  auto* color_balance = new ColorBalanceDialog(doc, &window);
  auto* browser = new EffectBrowserDialog(doc, window.random(), &window);
  // AllColor offers the colour chosen last: Sepia's hue at start and after every Sepia.
  auto* all_color = new QColorDialog(&window);
  all_color->setObjectName("AllColor");
  all_color->setOption(QColorDialog::DontUseNativeDialog);
  const auto remembered = std::make_shared<Color32>(kSepiaColor);

  const Command commands[] = {
      {"N77", [&doc] { ApplyProcessEffect(doc, ProcessEffect::kGrayscale); }},
      {"N84", [&doc] { ApplyProcessEffect(doc, ProcessEffect::kInvert); }},
      {"N49",
       [&doc, all_color, remembered] {
         if (!EffectTargetPixels(doc)) return;
         all_color->setCurrentColor(QColorOf(*remembered));
         if (all_color->exec() != QDialog::Accepted) return;  // nothing changed, no undo step
         *remembered = all_color->selectedColor().rgb() & 0x00FFFFFFu;
         ColorizeTarget(doc, *remembered);
       }},
      {"N111",
       [&doc, remembered] {
         *remembered = kSepiaColor;
         SepiaTarget(doc);
       }},
      {"N72",
       [&window, &doc, browser] {
         if (!EffectTargetPixels(doc) || !browser->Run()) return;
         ApplyBrowserEffect(doc, browser->chosen(), window.random());
         window.UpdateMenus();
       }},
      {"N38", [&window, brightness_contrast] { RunAdjustment(window, *brightness_contrast); }},
      {"N39", [&window, color_balance] { RunAdjustment(window, *color_balance); }},
  };
  for (const Command& c : commands) {
    QObject::connect(window.action(c.name), &QAction::triggered, &window,
                     [&window, run = c.run] { window.RunReported(run); });
    window.MarkAvailable(c.name);
  }
}

}  // namespace velmora
