#pragma once

namespace velmora {

class MainWindow;

// The colour and effect commands: Process > Grayscale, Invert, Colorize, Sepia and Effect
// Browser, Image > Brightness / Contrast and Color Balance (and the tool buttons that share
// their items). Creates the Brightness / Contrast, Color Balance and Effect Browser dialogs and
// the colour dialog AllColor, parented to the window.
void InstallEffectCommands(MainWindow& window);

}  // namespace velmora
