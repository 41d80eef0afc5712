// Where the modules' backups are kept for the user: the platform's data location,
// "Ventrel/backups" in it (~/.local/share/Ventrel/backups), the same for the desktop
// program and ventrel-cli whatever the branding calls the program.
#pragma once

#include <filesystem>

namespace qtui {

std::filesystem::path BackupFolder();

}  // namespace qtui
