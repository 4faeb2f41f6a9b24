#pragma once

namespace velmora {

class MainWindow;

// Connects the commands that live in their own modules (app/*Commands.cpp) to the window's menu
// items, tool buttons and side panel, and creates their dialogs. Called once, at the end of the
// window's construction.
void InstallCommandModules(MainWindow& window);

}  // namespace velmora
