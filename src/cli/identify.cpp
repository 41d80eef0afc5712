#include "cli/identify.h"

#include <iostream>

#include "cli/command.h"
#include "cli/module_session.h"
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
  const std::optional<app::ModuleTarget> target = app::TakeModuleTarget(rest, error);
  if (target && !rest.empty()) error = "unexpected argument \"" + rest.front() + "\"";
  if (!target || !rest.empty()) return TargetUsageError("identify", kUsage, error);

  ModuleSession session("identify", *target);
  ConsoleHost& host = session.host();
  comm::Link& link = session.link();
  if (!transfer::EstablishLink(link)) {
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
