// Where the program's own files lie (chart templates, help pages, logo, Ventrel.cfg):
// beside the executable in a build, in ../share/ventrel beside its bin folder once installed.
#pragma once

#include <filesystem>

namespace app {

inline constexpr const char* kInstalledDataFolder = "share/ventrel";

// The folder beside the executable when it holds the chart templates, else the installed
// data folder when there is one, else the executable's folder again (so that messages
// about a missing file name the place where it was looked for).
std::filesystem::path DataFolder(const std::filesystem::path& executableFolder);

}  // namespace app
