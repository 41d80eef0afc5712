// ventrel-cli verify: whether the connected module holds a data file's data, read as a
// download reads it, never writing to the module.
#include <iostream>

#include "cli/command.h"
#include "cli/compare_commands.h"
#include "cli/data_file_loading.h"
#include "cli/module_session.h"
#include "transfer/module_read.h"

namespace cli {

namespace {

constexpr const char* kCommand = "verify";
constexpr const char* kUsage =
    "usage: ventrel-cli verify [--port DEVICE | --simulate[=EDITION]] FILE.dat [--csv]\n";

}  // namespace

int RunVerify(const std::vector<std::string>& arguments) {
  std::vector<std::string> rest = arguments;
  std::string error;
  const std::optional<app::ModuleTarget> target = app::TakeModuleTarget(rest, error);
  if (!target) return TargetUsageError(kCommand, kUsage, error);
  bool csv = false;
  std::string file;
  for (const std::string& argument : rest) {
    if (argument == "--csv") {
      csv = true;
    } else if (file.empty() && !argument.starts_with("--")) {
      file = argument;
    } else {
      return TargetUsageError(kCommand, kUsage, "unexpected argument \"" + argument + "\"");
    }
  }
  if (file.empty()) return TargetUsageError(kCommand, kUsage, "no data file given");
  const std::optional<core::ModuleImage> data = LoadDataFile(kCommand, file);
  if (!data) return kExitNotCompared;

  ModuleSession session(kCommand, *target);
  const std::optional<core::ModuleImage> module =
      transfer::ReadModule(session.link(), session.host());
  if (!module) {
    session.host().Say("the module could not be read, so nothing was compared");
    return kExitNotCompared;
  }
  // The module's data as an upload of the file would have left them: second against first.
  return PrintComparison(
      compare::CompareTunes(*data, *module, file, "the module " + module->FirmwareID), csv);
}

}  // namespace cli
