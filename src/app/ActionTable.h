#pragma once

// The main window's menu items, tool buttons and context-menu items as tables: each item by its
// form name, with its caption, shortcut, icon and hint, and each menu as a list of item names.

#include <optional>
#include <span>
#include <string_view>

#include "widgets/Icons.h"

namespace velmora {

struct ActionSpec {
  std::string_view name;      // the form name, used as the QAction's object name
  std::string_view text;      // the caption
  std::string_view shortcut;  // QKeySequence text, empty for none
  std::optional<IconId> icon;
  std::string_view hint;  // tool tip where it differs from the caption
};

// A menu: its form name, caption and entries. An entry is an action name, "-" for a separator,
// or ">name" for a submenu defined in the same table.
struct MenuSpec {
  std::string_view name;
  std::string_view title;
  std::span<const std::string_view> entries;
};

std::span<const ActionSpec> MainActions();
// The menu bar's menus in order, then their submenus, then the layer pop-up menu and its
// submenus. Top-level menus are those not named by a ">" entry; "LayerPopup" is the pop-up.
std::span<const MenuSpec> MainMenus();
// The tool bar: action names (a tool button's own form name after a '=', e.g. "Save1=SaveIt"),
// "-" for separators.
std::span<const std::string_view> ToolBarEntries();

}  // namespace velmora
