// The keys by which desktop programs run their common commands, bound to the main
// window's commands of the same meaning.
#pragma once

#include <string_view>

#include "app/menu_tree.h"

namespace app {

struct CommandShortcut {
  std::string_view command;
  // In the portable form "Ctrl+O".
  std::string_view keys;
};

inline constexpr CommandShortcut kCommandShortcuts[] = {
    {menu::kOpenFile, "Ctrl+O"}, {menu::kSaveFile, "Ctrl+S"}, {menu::kPrint3DTable, "Ctrl+P"},
    {menu::kExit, "Ctrl+Q"},     {menu::kHelpContents, "F1"},
};

}  // namespace app
