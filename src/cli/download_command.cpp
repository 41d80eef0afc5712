// ventrel-cli download: a module's data into a new data file, by the same command as the
// desktop program's Download Data From Quillon.
#include <filesystem>
#include <iostream>

#include "cli/command.h"
#include "cli/module_session.h"
#include "cli/transfer_commands.h"
#include "core/failure.h"
#include "core/window_state.h"
#include "files/data_file.h"
#include "tables/table_editor.h"
#include "transfer/download.h"

namespace cli {

namespace {

constexpr const char* kUsage =
    "usage: ventrel-cli download [--port DEVICE | --simulate[=EDITION]] [--force] OUT.dat\n";
constexpr const char* kCommand = "download";

// No window: the caption and the menu have nowhere to go.
class NoWindow : public core::WindowView {
 public:
  void SetCaption(const std::string&) override {}
  void SetRetardTableCommandVisible(bool) override {}
};

int Usage(const std::string& error) { return TargetUsageError(kCommand, kUsage, error); }

// Said before the module is touched: a download that cannot be kept is not worth making.
std::string OutputProblem(const std::filesystem::path& out, bool force) {
  std::error_code error;
  if (!force && std::filesystem::exists(out, error)) {
    return out.string() + " already exists; give --force to replace it, or another name";
  }
  const std::filesystem::path folder = out.has_parent_path() ? out.parent_path() : ".";
  if (!std::filesystem::is_directory(folder, error)) {
    return "cannot write " + out.string() + ": the folder " + folder.string() + " does not exist";
  }
  return {};
}

}  // namespace

int RunDownload(const std::vector<std::string>& arguments) {
  std::vector<std::string> rest = arguments;
  std::string error;
  const std::optional<app::ModuleTarget> target = app::TakeModuleTarget(rest, error);
  if (!target) return Usage(error);
  bool force = false;
  std::string out;
  for (const std::string& argument : rest) {
    if (argument == "--force") {
      force = true;
    } else if (out.empty() && !argument.starts_with("--")) {
      out = argument;
    } else {
      return Usage("unexpected argument \"" + argument + "\"");
    }
  }
  if (out.empty()) return Usage("no output file given");
  if (const std::string problem = OutputProblem(out, force); !problem.empty()) {
    std::cerr << "ventrel-cli download: " << problem << "\n";
    return kExitFailed;
  }

  ModuleSession session(kCommand, *target);
  ConsoleHost& host = session.host();
  core::ModuleImage image;
  NoWindow view;
  core::WindowState window(view);
  tables::TableEditor editor(image, window, host, {});
  if (transfer::Download(image, session.link(), editor, window, host) !=
      transfer::Outcome::Completed) {
    return kExitFailed;
  }
  try {
    files::WriteDataFile(out, core::EncodeDataFile(image));
  } catch (const core::Error& e) {
    host.Say(e.failure().description);
    return kExitFailed;
  }
  std::cout << "Downloaded " << image.ModuleVersion << " data (Firmware ID: " << image.FirmwareID
            << ") to " << out << "\n";
  return kExitOK;
}

}  // namespace cli
