// The open and save file dialogs of the data file commands, with their retry and
// replace questions.
#pragma once

#include <string>

#include "core/host.h"

namespace files {

inline constexpr const char* kAllFilesFilter = "All Files (*.*)|*.*";
inline constexpr const char* kDataFileFilter = "Quillon data files (*.dat)|*.dat";
inline constexpr const char* kDataFileSuffix = ".dat";

// The chosen path, or "" when the dialog was dismissed. An empty filter is replaced by
// the all-files filter. Throws core::Error (File Open) "Canceled File Open" when the user
// cancels the "File not found." question, "Aborted File Open" on Abort at the error prompt.
// The dialog starts in startFolder when one is given.
std::string FileOpen(core::Host& host, const std::string& fileTitle, std::string& filter,
                     const std::string& notExistMessage, const std::string& startFolder = {});

// As FileOpen for saving; a name typed without a suffix gets suffix (".dat"). An empty
// existMessage is replaced by "Replace existing file?". Throws "Canceled File Save" or
// "Aborted File Save" (File Save).
std::string FileSave(core::Host& host, const std::string& fileTitle, std::string& filter,
                     std::string& existMessage, const char* suffix = kDataFileSuffix);

}  // namespace files
