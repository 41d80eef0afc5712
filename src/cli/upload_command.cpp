// ventrel-cli upload: a data file into a module, by the same command as the desktop
// program's Upload Data To Quillon.
#include <iostream>

#include "cli/command.h"
#include "cli/data_file_loading.h"
#include "cli/module_session.h"
#include "cli/transfer_commands.h"
#include "transfer/upload.h"

namespace cli {

namespace {

constexpr const char* kUsage =
    "usage: ventrel-cli upload [--port DEVICE | --simulate[=EDITION]] IN.dat\n";
constexpr const char* kCommand = "upload";

int Usage(const std::string& error) { return TargetUsageError(kCommand, kUsage, error); }

}  // namespace

int RunUpload(const std::vector<std::string>& arguments) {
  std::vector<std::string> rest = arguments;
  std::string error;
  const std::optional<app::ModuleTarget> target = app::TakeModuleTarget(rest, error);
  if (!target) return Usage(error);
  if (rest.empty()) return Usage("no data file given");
  const bool option = rest.front().starts_with("--");
  if (rest.size() > 1 || option) {
    return Usage("unexpected argument \"" + rest[option ? 0 : 1] + "\"");
  }
  std::optional<core::ModuleImage> image = LoadDataFile(kCommand, rest.front());
  if (!image) return kExitFailed;

  ModuleSession session(kCommand, *target);
  const std::string dataEdition = image->ModuleVersion;
  if (transfer::Upload(*image, session.link(), session.host()) != transfer::Outcome::Completed) {
    return kExitFailed;
  }
  std::cout << "Uploaded " << dataEdition << " data from " << rest.front()
            << " (module Firmware ID: " << image->FirmwareID << ")\n";
  return kExitOK;
}

}  // namespace cli
