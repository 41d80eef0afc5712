// Upload Data To Quillon as the desktop program runs it: the entry open in the grid ended
// first, the user asked about data of the other generation and about the changes, and
// the module backed up unless the user has turned that off.
#pragma once

#include <filesystem>

#include "app/session.h"
#include "core/host.h"
#include "transfer/safe_upload.h"

namespace app {

// Remembered for the user: application "Ventrel", section "Upload", key "BackUpModule".
inline constexpr const char* kUploadSettingsSection = "Upload";
inline constexpr const char* kBackUpModuleKey = "BackUpModule";
inline constexpr const char* kUnsavedTableNote =
    "The open table has entries not saved to the buffer: they are not uploaded. Choose "
    "Cancel, then Save Table Edits To Buffer, to upload them.";

// On unless the user turned it off; without a store, on.
bool BackUpBeforeUpload(core::SettingsStore* settings);
void SetBackUpBeforeUpload(core::SettingsStore* settings, bool on);

// mnuUpload_Click; backups go into backupFolder.
transfer::Outcome UploadFromWindow(Session& session, const std::filesystem::path& backupFolder);

}  // namespace app
