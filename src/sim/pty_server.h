// Serves the simulated module on a new pseudo-terminal, with the module's wire timing.
#pragma once

#include <ostream>

#include "sim/quillon_module.h"

namespace sim {

// Prints the terminal's device path as the first line of out, then answers what comes
// in until SIGTERM arrives or standard input closes. With a log, every received byte is
// reported there. Returns the exit status.
int ServePty(QuillonModule& module, std::ostream& out, std::ostream* log);

}  // namespace sim
