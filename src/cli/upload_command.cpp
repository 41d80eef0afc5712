// ventrel-cli upload: a data file into a module, by the same command as the desktop
// program's Upload Data To Quillon.
#include <filesystem>
#include <iostream>

#include "cli/command.h"
#include "cli/data_file_loading.h"
#include "cli/module_session.h"
#include "cli/transfer_commands.h"
#include "qt/backup_folder.h"
#include "transfer/safe_upload.h"

namespace cli {

namespace {

constexpr const char* kUsage =
    "usage: ventrel-cli upload [--port DEVICE | --simulate[=EDITION]] [--no-backup] [--dry-run]\n"
    "                          [--allow-other-generation] IN.dat\n"
    "  --no-backup               do not keep the module's data in the backups folder first\n"
    "  --dry-run                 read the module and print what would change; write nothing\n"
    "  --allow-other-generation  upload data of the other generation than the module's\n";
constexpr const char* kCommand = "upload";

int Usage(const std::string& error) { return TargetUsageError(kCommand, kUsage, error); }

struct UploadOptions {
  bool noBackup = false;
  bool dryRun = false;
  bool allowOtherGeneration = false;
  std::string in;
};

// The options and the one data file; the error when the command line is wrong.
std::optional<UploadOptions> ReadOptions(const std::vector<std::string>& rest, std::string& error) {
  UploadOptions options;
  for (const std::string& argument : rest) {
    if (argument == "--no-backup") {
      options.noBackup = true;
    } else if (argument == "--dry-run") {
      options.dryRun = true;
    } else if (argument == "--allow-other-generation") {
      options.allowOtherGeneration = true;
    } else if (options.in.empty() && !argument.starts_with("--")) {
      options.in = argument;
    } else {
      error = "unexpected argument \"" + argument + "\"";
      return std::nullopt;
    }
  }
  if (options.in.empty()) {
    error = "no data file given";
    return std::nullopt;
  }
  return options;
}

// Nobody is there to confirm: the summary is printed, and the upload goes on unless this
// is a dry run.
transfer::UploadSafety SafetyFor(const UploadOptions& options, ConsoleHost& host) {
  transfer::UploadSafety safety;
  // A dry run writes nothing, so there is nothing to keep a backup against.
  if (!options.noBackup && !options.dryRun) safety.backupFolder = qtui::BackupFolder();
  safety.acceptOtherGeneration = [&options, &host](const std::string& data,
                                                   const std::string& module) {
    if (options.allowOtherGeneration) return true;
    host.Say(data + " data are of the other generation than this " + module +
             " module, which would read their tables and parameters wrongly. Nothing was "
             "written; give --allow-other-generation to upload them anyway.");
    return false;
  };
  safety.confirmChanges = [&options](const std::vector<std::string>& summary,
                                     const std::filesystem::path& backup) {
    for (const std::string& line : summary) std::cout << line << "\n";
    if (!backup.empty()) std::cout << "Backup of the module: " << backup.string() << "\n";
    std::cout.flush();
    return !options.dryRun;
  };
  return safety;
}

}  // namespace

int RunUpload(const std::vector<std::string>& arguments) {
  std::vector<std::string> rest = arguments;
  std::string error;
  const std::optional<app::ModuleTarget> target = app::TakeModuleTarget(rest, error);
  if (!target) return Usage(error);
  const std::optional<UploadOptions> options = ReadOptions(rest, error);
  if (!options) return Usage(error);
  std::optional<core::ModuleImage> image = LoadDataFile(kCommand, options->in);
  if (!image) return kExitFailed;

  ModuleSession session(kCommand, *target);
  const std::string dataEdition = image->ModuleVersion;
  const transfer::SafeUploadResult result = transfer::SafeUpload(
      *image, session.link(), session.host(), SafetyFor(*options, session.host()));
  // A dry run ends at the summary, once the module has been read.
  if (options->dryRun && result.outcome == transfer::Outcome::Cancelled &&
      !result.summary.empty()) {
    std::cout << "Dry run: nothing was written to the module.\n";
    return kExitOK;
  }
  if (result.outcome != transfer::Outcome::Completed) return kExitFailed;
  std::cout << "Uploaded " << dataEdition << " data from " << options->in
            << " (module Firmware ID: " << image->FirmwareID << ")\n";
  return kExitOK;
}

}  // namespace cli
