// The module's data kept on disk before an upload overwrites them: a data file of its own
// in the backups folder, named so that the user can tell backups apart.
#pragma once

#include <ctime>
#include <filesystem>
#include <string>
#include <string_view>

#include "core/module_image.h"

namespace transfer {

// "2026-12-07_14-03-22_JX_Quillon-II-JX-V5.1.dat": when it was made, the module's
// edition and firmware ID; anything a file name should not hold becomes "-".
std::string BackupFileName(const std::tm& when, std::string_view moduleVersion,
                           std::string_view firmwareID);

// Writes module as a new data file in folder (made when missing) and reads it back. An
// existing file is never replaced: a taken name gets "_2", "_3", ... before ".dat".
// Returns the file's path; throws core::Error (File Save) saying what failed.
std::filesystem::path SaveBackup(const std::filesystem::path& folder,
                                 const core::ModuleImage& module, const std::tm& when);

}  // namespace transfer
