// Open File and Save File as the main window runs them, and the other ways a data file is
// named to the window (Open Recent, the command line, a file dropped on it): each keeps
// the recent files up to date.
#pragma once

#include <filesystem>
#include <vector>

#include "app/session.h"

namespace app {

inline constexpr const char* kOpenRecentTitle = "Open Recent";

// The dialog starts in startFolder when one is given (Open Backup: the backups folder).
void OpenFile(Session& session, const std::filesystem::path& startFolder = {});
// True when the file was written.
bool SaveFile(Session& session);

// A file of the Open Recent list; one that has gone is taken off the list with a message.
void OpenRecentFile(Session& session, const std::filesystem::path& file);

// Files named on the command line or dropped on the window: exactly one existing .dat
// file is opened as Open File opens it; anything else is refused with a message.
void OpenNamedFiles(Session& session, const std::vector<std::filesystem::path>& files);

}  // namespace app
