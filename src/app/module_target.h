// Where a program finds the module for one run, from its command line: a serial device,
// or the built-in simulated module of an edition; otherwise the port chosen in Port Setup.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "sim/editions.h"

namespace app {

inline constexpr const char* kModuleTargetHelp =
    "  --port DEVICE         the serial device for this run, e.g. /dev/ttyUSB0 or a\n"
    "                        pseudo-terminal; the port chosen in Port Setup stays stored\n"
    "  --simulate[=EDITION]  the built-in simulated module: vosk, kq, ql2-vosk, ql2-kq or\n"
    "                        jx (default jx)\n";

struct ModuleTarget {
  std::optional<std::string> device;
  std::optional<sim::Edition> simulated;
};

// Takes --port DEVICE, --port=DEVICE, --simulate and --simulate=EDITION out of arguments
// and leaves the rest. Nothing, with error saying why, when they are wrong.
std::optional<ModuleTarget> TakeModuleTarget(std::vector<std::string>& arguments,
                                             std::string& error);

}  // namespace app
