// Access keys must be unambiguous, or Alt+key no longer reaches the command it names.
#include "app/menu_tree.h"

#include <gtest/gtest.h>

#include <cctype>
#include <set>

namespace {

// The access key of a caption ("Print Set&up" -> 'U'), or 0 when it has none.
char AccessKey(std::string_view caption) {
  const auto at = caption.find('&');
  if (at == std::string_view::npos || at + 1 >= caption.size()) return 0;
  return static_cast<char>(std::toupper(static_cast<unsigned char>(caption[at + 1])));
}

TEST(MenuTree, AccessKeysAreUniqueWithinEachMenuAndTheBar) {
  std::set<char> barKeys;
  for (const auto& menu : app::MainMenus()) {
    EXPECT_TRUE(barKeys.insert(AccessKey(menu.caption)).second) << menu.caption;
    std::set<char> keys;
    for (const auto& item : menu.items) {
      const char key = AccessKey(item.caption);
      if (key != 0) {
        EXPECT_TRUE(keys.insert(key).second) << item.caption;
      }
    }
  }
}

TEST(MenuTree, GridContextMenuIsNotInTheMenuBar) {
  for (const auto& menu : app::MainMenus()) EXPECT_NE(menu.name, app::PopUpEdit3DMenu().name);
}

}  // namespace
