// The desktop program's command line.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/module_target.h"

namespace app {

struct ProgramOptions {
  bool showVersion = false;
  bool showHelp = false;
  bool noSplash = false;
  // For this run only, instead of the stored port choice.
  ModuleTarget target;
  // A data file to open at start, made absolute before the program changes its folder.
  std::optional<std::filesystem::path> dataFile;
  // Set when the command line cannot be used; says what is wrong.
  std::string error;
};

ProgramOptions ParseProgramOptions(const std::vector<std::string>& arguments);

std::string ProgramUsage(const std::string& programName);

}  // namespace app
