// The View menu's two switches, remembered per user: heat-map colours and change marks,
// both on until the user turns them off.
#pragma once

#include "core/host.h"
#include "tables/table_editor.h"

namespace tables {

// Applies the user's remembered choices to the editor.
void LoadViewOptions(TableEditor& editor, core::SettingsStore& settings);
// Remembers the editor's present choices.
void SaveViewOptions(const TableEditor& editor, core::SettingsStore& settings);

}  // namespace tables
