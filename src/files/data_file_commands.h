// The File menu's Open File and Save File commands.
#pragma once

#include <string>
#include <string_view>

#include "core/host.h"
#include "core/module_image.h"
#include "core/window_state.h"
#include "tables/table_editor.h"

namespace files {

// The file name part of a path as the caption shows it: after the last "\" or "/",
// shortened to "..." and its last 40 characters when longer.
std::string DataSourceTextFor(std::string_view path);

// mnuOpenFile_Click. The image, the open table and the caption change only when the
// chosen file has been read in full. The dialog starts in startFolder when one is given
// (Open Backup: the backups folder).
void OpenFile(core::ModuleImage& image, tables::TableEditor& editor, core::WindowState& window,
              core::Host& host, const std::string& startFolder = {});

// mnuSaveFile_Click; true when the file was written.
bool SaveFile(core::ModuleImage& image, tables::TableEditor& editor, core::WindowState& window,
              core::Host& host);

}  // namespace files
