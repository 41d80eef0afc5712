// What the sub-commands that talk to a module share: the usage error that lists the
// module options, and the session with the module once the command line has been read.
#pragma once

#include <QCoreApplication>
#include <string>
#include <string_view>

#include "app/module_target.h"
#include "cli/console_host.h"
#include "link/link.h"
#include "qt/link_devices.h"

namespace cli {

// Says on stderr what is wrong with the command line, then the usage and the module
// options; returns the exit status for a wrong command line.
int TargetUsageError(std::string_view command, std::string_view usage, const std::string& error);

// The Qt application the clock and the serial port need, the console host of the command
// and the link to the module of the target.
class ModuleSession {
 public:
  ModuleSession(const std::string& command, const app::ModuleTarget& target);
  ~ModuleSession();
  ModuleSession(const ModuleSession&) = delete;
  ModuleSession& operator=(const ModuleSession&) = delete;

  ConsoleHost& host() { return host_; }
  comm::Link& link() { return link_; }

 private:
  // QCoreApplication keeps these for as long as it lives.
  int argc_ = 1;
  char name_[sizeof "ventrel-cli"] = "ventrel-cli";
  char* argv_[2] = {name_, nullptr};
  QCoreApplication application_;
  bool abortFlag_ = false;
  ConsoleHost host_;
  comm::Link link_{host_, abortFlag_};
  qtui::LinkDevices devices_{link_};
};

}  // namespace cli
