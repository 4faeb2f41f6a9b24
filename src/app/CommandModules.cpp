#include "app/CommandModules.h"

#include "app/EffectCommands.h"
#include "app/GeometryCommands.h"
#include "app/MainWindow.h"

namespace velmora {

void InstallCommandModules(MainWindow& window) {
  // One line per module, in the order their dialogs are created.
  InstallGeometryCommands(window);
  InstallEffectCommands(window);
}

}  // namespace velmora
