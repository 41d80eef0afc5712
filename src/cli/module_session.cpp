#include "cli/module_session.h"

#include <iostream>

#include "cli/command.h"

namespace cli {

int TargetUsageError(std::string_view command, std::string_view usage, const std::string& error) {
  std::cerr << "ventrel-cli " << command << ": " << error << "\n" << usage << kTargetHelp;
  return kExitUsage;
}

ModuleSession::ModuleSession(const std::string& command, const ModuleTarget& target)
    : application_(argc_, argv_),
      host_(command, abortFlag_),
      connection_(target, host_, abortFlag_) {}

}  // namespace cli
