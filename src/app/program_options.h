// The desktop program's command line.
#pragma once

#include <string>
#include <vector>

namespace app {

struct ProgramOptions {
  bool showVersion = false;
  bool showHelp = false;
  bool noSplash = false;
  // Set when the command line cannot be used; says what is wrong.
  std::string error;
};

ProgramOptions ParseProgramOptions(const std::vector<std::string>& arguments);

std::string ProgramUsage(const std::string& programName);

}  // namespace app
