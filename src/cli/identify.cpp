#include "cli/identify.h"

#include <QCoreApplication>
#include <iostream>

#include "cli/command.h"
#include "cli/console_host.h"
#include "cli/module_target.h"
#include "core/editions.h"
#include "transfer/module_checks.h"

namespace cli {

namespace {

constexpr const char* kIDReadFailed = "Firmware ID read failed.";
constexpr const char* kInvalidID = "Invalid firmware ID.";
constexpr const char* kUsage =
    "usage: ventrel-cli identify [--port DEVICE | --simulate[=EDITION]]\n";

}  // namespace

int RunIdentify(const std::vector<std::string>& arguments) {
  std::vector<std::string> rest = arguments;
  std::string error;
  const std::optional<ModuleTarget> target = TakeModuleTarget(rest, error);
  if (target && !rest.empty()) error = "unexpected argument \"" + rest.front() + "\"";
  if (!target || !rest.empty()) {
    std::cerr << "ventrel-cli identify: " << error << "\n" << kUsage << kTargetHelp;
    return kExitUsage;
  }
  int argc = 1;
  char name[] = "ventrel-cli";
  char* argv[] = {name, nullptr};
  const QCoreApplication application(argc, argv);

  bool abortFlag = false;
  ConsoleHost host("identify", abortFlag);
  ModuleConnection connection(*target, host, abortFlag);
  comm::Link& link = connection.link();

  bool linked = false;
  for (int attempt = 0; attempt < transfer::kReSyncAttempts && !linked; ++attempt) {
    linked = link.ReSync();
  }
  if (!linked) {
    host.Say(transfer::kNoLink);
    return kExitFailed;
  }
  const std::int16_t status = link.ReadStatus();
  if (!link.CommOK) {
    host.Say("Status read failed.");
    return kExitFailed;
  }
  core::ModuleImage image;
  link.ReadFirmwareID(image);
  if (!link.CommOK) {
    host.Say(kIDReadFailed);
    return kExitFailed;
  }

  std::cout << "Firmware ID: " << image.FirmwareID << "\n"
            << "Edition: " << image.ModuleVersion << "\n"
            << "Engine started: " << ((status & comm::kStatusEngineStarted) != 0 ? "yes" : "no")
            << "\n";
  if (image.FirmwareID.empty() || image.ModuleVersion == core::kVersionUnknown) {
    host.Say(kInvalidID);
    return kExitFailed;
  }
  return kExitOK;
}

}  // namespace cli
