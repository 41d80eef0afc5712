// The main window's menus: names, captions with their access keys, and order.
#pragma once

#include <string_view>
#include <vector>

namespace app {

struct MenuItemSpec {
  std::string_view name;
  // "-" for a separator; "&" marks the access key.
  std::string_view caption;
};

struct MenuSpec {
  std::string_view name;
  std::string_view caption;
  std::vector<MenuItemSpec> items;
};

inline constexpr std::string_view kSeparatorCaption = "-";

// The four menus of the menu bar, in order.
const std::vector<MenuSpec>& MainMenus();

// The grid's context menu; never shown in the menu bar.
const MenuSpec& PopUpEdit3DMenu();

}  // namespace app
