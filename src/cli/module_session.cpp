#include "cli/module_session.h"

#include <iostream>

#include "cli/command.h"
#include "cli/port_advice.h"

namespace cli {

int TargetUsageError(std::string_view command, std::string_view usage, const std::string& error) {
  std::cerr << "ventrel-cli " << command << ": " << error << "\n"
            << usage << app::kModuleTargetHelp
            << "  Without either, the port chosen in the desktop program's Port Setup is used.\n";
  return kExitUsage;
}

ModuleSession::ModuleSession(const std::string& command, const app::ModuleTarget& target)
    : application_(argc_, argv_), host_(command, abortFlag_) {
  link_.SetPortAdvice(CommandLinePortAdvice);
  devices_.Use(target);
}

ModuleSession::~ModuleSession() { link_.ClosePort(); }

}  // namespace cli
