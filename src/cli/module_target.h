// Where a sub-command finds the module: a serial device, the simulated module of an
// edition, or else the port chosen in the desktop program's Port Setup.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/host.h"
#include "link/link.h"
#include "qt/qt_clock.h"
#include "sim/editions.h"

namespace sim {
class QuillonModule;
}

namespace cli {

inline constexpr const char* kTargetHelp =
    "  --port DEVICE         the serial device, e.g. /dev/ttyUSB0 or a pseudo-terminal\n"
    "  --simulate[=EDITION]  the simulated module with its example data; EDITION is vosk,\n"
    "                        kq, ql2-vosk, ql2-kq or jx (default jx)\n"
    "  Without either, the port chosen in the desktop program's Port Setup is used.\n";

struct ModuleTarget {
  std::optional<std::string> device;
  std::optional<sim::Edition> simulated;
};

// Takes --port and --simulate out of arguments and leaves the rest. Nothing, with error
// saying why, when they are wrong.
std::optional<ModuleTarget> TakeModuleTarget(std::vector<std::string>& arguments,
                                             std::string& error);

// The module link for a target, with its clock and port. Needs a QCoreApplication.
class ModuleConnection {
 public:
  ModuleConnection(const ModuleTarget& target, core::Host& host, bool& abortFlag);
  ~ModuleConnection();
  ModuleConnection(const ModuleConnection&) = delete;
  ModuleConnection& operator=(const ModuleConnection&) = delete;

  comm::Link& link() { return link_; }

 private:
  qtui::QtClock clock_;
  std::unique_ptr<sim::QuillonModule> module_;
  std::unique_ptr<core::SerialPort> port_;
  comm::Link link_;
};

}  // namespace cli
