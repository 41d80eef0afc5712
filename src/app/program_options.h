// The desktop program's command line.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "sim/editions.h"

namespace app {

struct ProgramOptions {
  bool showVersion = false;
  bool showHelp = false;
  bool noSplash = false;
  // For this run only, instead of the stored port choice: a serial device, or the
  // built-in simulated module of an edition.
  std::optional<std::string> port;
  std::optional<sim::Edition> simulate;
  // Set when the command line cannot be used; says what is wrong.
  std::string error;
};

ProgramOptions ParseProgramOptions(const std::vector<std::string>& arguments);

std::string ProgramUsage(const std::string& programName);

}  // namespace app
