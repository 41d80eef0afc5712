#include "transfer/safe_upload.h"

#include <chrono>

#include "compare/tune_comparison.h"
#include "core/editions.h"
#include "core/failure.h"
#include "transfer/backup_file.h"
#include "transfer/change_summary.h"
#include "transfer/edition_compatibility.h"
#include "transfer/module_read.h"
#include "transfer/upload.h"

namespace transfer {

namespace {

constexpr RegionReadTexts kModuleRead = {
    {kUploadTitle, "Upload aborted - ATmega failed to enter boot load mode.",
     "Upload aborted - ATmega failed to exit boot load mode."},
    "Upload aborted - the module's FLASH could not be read for the backup. Nothing was written "
    "to it.",
    "Upload aborted - the module's EEPROM could not be read for the backup. Nothing was "
    "written to it.",
};
constexpr const char* kLineBreak = "\r\n";
constexpr const char* kModuleName = "the module";
constexpr const char* kDataName = "the data to upload";

std::tm LocalTimeNow() {
  const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  std::tm local{};
  localtime_r(&now, &local);
  return local;
}

const char* GenerationOf(const std::string& edition) {
  return core::IsSecondGeneration(edition) ? "the second generation (Quillon II)"
                                           : "the first generation";
}

// The module's data as a download leaves them, with the identity the checks read.
std::optional<core::ModuleImage> ReadModuleData(const core::ModuleImage& identity, comm::Link& link,
                                                core::Host& host) {
  core::ModuleImage module;
  if (!ReadRegions(module, link, host, kModuleRead)) return std::nullopt;
  module.FirmwareID = identity.FirmwareID;
  module.ModuleVersion = identity.ModuleVersion;
  PrepareDownloadedData(module);
  return module;
}

bool Backed(const core::ModuleImage& module, const UploadSafety& safety, core::Host& host,
            SafeUploadResult& result) {
  if (safety.backupFolder.empty()) return true;
  try {
    result.backup =
        SaveBackup(safety.backupFolder, module, safety.now ? safety.now() : LocalTimeNow());
    return true;
  } catch (const core::Error& e) {
    host.MsgBox(std::string(kBackupFailed) + kLineBreak + kLineBreak + e.failure().description,
                kUploadTitle, core::Buttons::OK, core::Icon::Exclamation);
    return false;
  }
}

}  // namespace

SafeUploadResult SafeUpload(core::ModuleImage& image, comm::Link& link, core::Host& host,
                            const UploadSafety& safety) {
  SafeUploadResult result;
  result.outcome = Upload(image, link, host, [&](const std::string& dataEdition) {
    const std::string& moduleEdition = image.ModuleVersion;
    if (CrossesGeneration(moduleEdition, dataEdition) &&
        !(safety.acceptOtherGeneration &&
          safety.acceptOtherGeneration(dataEdition, moduleEdition))) {
      return Outcome::Cancelled;
    }
    const std::optional<core::ModuleImage> module = ReadModuleData(image, link, host);
    if (!module || !Backed(*module, safety, host, result)) return Outcome::Failed;
    // The data to upload are read in the layout of their own edition.
    core::ModuleImage data = image;
    data.ModuleVersion = dataEdition;
    result.summary =
        ChangeSummaryLines(compare::CompareTunes(*module, data, kModuleName, kDataName));
    if (!safety.confirmChanges || !safety.confirmChanges(result.summary, result.backup)) {
      return Outcome::Cancelled;
    }
    return Outcome::Completed;
  });
  return result;
}

bool AskOtherGeneration(core::Host& host, const std::string& dataEdition,
                        const std::string& moduleEdition) {
  const std::string text =
      "The data to upload are " + dataEdition + " data, of " + GenerationOf(dataEdition) +
      ", but the module is a " + moduleEdition + " module, of " + GenerationOf(moduleEdition) +
      ". The generations keep their tables and parameters in different places, so the module "
      "would read these data wrongly." +
      kLineBreak + kLineBreak + "Upload the " + dataEdition + " data into the " + moduleEdition +
      " module anyway?";
  return host.MsgBox(text, kUploadTitle, core::Buttons::UploadCancel, core::Icon::Exclamation) ==
         core::Answer::OK;
}

bool AskToUpload(core::Host& host, const std::vector<std::string>& summary,
                 const std::filesystem::path& backup) {
  std::string text;
  for (const std::string& line : summary) text += line + kLineBreak;
  text += kLineBreak;
  if (!backup.empty())
    text += "The module's data have been backed up to " + backup.string() + "." + kLineBreak +
            kLineBreak;
  text += "Upload these data to the module?";
  return host.MsgBox(text, kUploadTitle, core::Buttons::UploadCancel, core::Icon::Question) ==
         core::Answer::OK;
}

}  // namespace transfer
