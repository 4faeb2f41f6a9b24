#pragma once

namespace velmora {

class MainWindow;

// The geometry commands: Selection > Rotate and Flip (and the layer pop-up's), Image > Image
// Size and Crop Canvas with the side panel's "Crop Canvas" section, and Process > Perspective.
// Creates the Rotate, Image Size and Perspective Correction dialogs, parented to the window.
void InstallGeometryCommands(MainWindow& window);

}  // namespace velmora
