// Upload Data To Quillon with a safety net: once the module has passed the upload's
// checks, its data are read, kept as a backup file and set against the data to upload,
// and only then, if the caller agrees to the changes, is anything written.
#pragma once

#include <ctime>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/host.h"
#include "core/module_image.h"
#include "link/link.h"
#include "transfer/outcome.h"

namespace transfer {

inline constexpr const char* kBackupFailed =
    "Upload stopped - the module's data could not be backed up, so nothing was written to "
    "it.";

struct UploadSafety {
  // Where the module's data are kept before writing; empty: no backup is made.
  std::filesystem::path backupFolder;
  // Asked for data of the other generation than the module's; false: nothing is written.
  std::function<bool(const std::string& dataEdition, const std::string& moduleEdition)>
      acceptOtherGeneration;
  // Shown what the upload will change and the backup made (empty when none); false:
  // nothing is written.
  std::function<bool(const std::vector<std::string>& summary, const std::filesystem::path& backup)>
      confirmChanges;
  // The local time a backup is named after.
  std::function<std::tm()> now;
};

struct SafeUploadResult {
  Outcome outcome = Outcome::Failed;
  // The backup of the module; empty when none was made.
  std::filesystem::path backup;
  // What the upload changes in the module; empty when the module was not read.
  std::vector<std::string> summary;
};

// The upload's steps with the safety net between its checks and its writing. A failed
// read ends as a failed download does (the module back in application mode); a backup
// that cannot be written or read back stops the upload with kBackupFailed and why.
SafeUploadResult SafeUpload(core::ModuleImage& image, comm::Link& link, core::Host& host,
                            const UploadSafety& safety);

// The desktop program's questions, as message boxes under the upload's title with Upload
// and Cancel, Cancel the default: a customer's tune is overwritten only by a deliberate
// choice.
bool AskOtherGeneration(core::Host& host, const std::string& dataEdition,
                        const std::string& moduleEdition);
bool AskToUpload(core::Host& host, const std::vector<std::string>& summary,
                 const std::filesystem::path& backup);

}  // namespace transfer
