// The File menu's Open File and Save File commands.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/host.h"
#include "core/module_image.h"
#include "core/window_state.h"
#include "tables/table_editor.h"

namespace files {

inline constexpr const char* kOpenTitle = "Open Data File";

// The file name part of a path as the caption shows it: after the last "\" or "/",
// shortened to "..." and its last 40 characters when longer.
std::string DataSourceTextFor(std::string_view path);

// mnuOpenFile_Click. The image, the open table and the caption change only when the
// chosen file has been read in full; the path read, or nothing. The dialog starts in the
// start folder when one is given (Open Backup: the backups folder).
struct StartFolder {
  std::string path;
};
std::optional<std::string> OpenFile(core::ModuleImage& image, tables::TableEditor& editor,
                                    core::WindowState& window, core::Host& host,
                                    const StartFolder& startFolder = {});

// Open File with the file already chosen (a recent file, the command line, a drop): the
// same question before data in memory are replaced, the same reading and messages. True
// when the file was read.
bool OpenFile(core::ModuleImage& image, tables::TableEditor& editor, core::WindowState& window,
              core::Host& host, const std::string& path);

// mnuSaveFile_Click; the path written, or nothing.
std::optional<std::string> SaveFile(core::ModuleImage& image, tables::TableEditor& editor,
                                    core::WindowState& window, core::Host& host);

}  // namespace files
