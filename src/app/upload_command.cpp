#include "app/upload_command.h"

#include "app/splash.h"

namespace app {

namespace {

constexpr const char* kOn = "1";
constexpr const char* kOff = "0";

}  // namespace

bool BackUpBeforeUpload(core::SettingsStore* settings) {
  if (!settings) return true;
  return settings->GetSetting(kApplicationTitle, kUploadSettingsSection, kBackUpModuleKey, kOn) !=
         kOff;
}

void SetBackUpBeforeUpload(core::SettingsStore* settings, bool on) {
  if (settings) {
    settings->SaveSetting(kApplicationTitle, kUploadSettingsSection, kBackUpModuleKey,
                          on ? kOn : kOff);
  }
}

transfer::Outcome UploadFromWindow(Session& session, const std::filesystem::path& backupFolder) {
  // The entry still open in the grid is ended as Enter would; a refused one stops here.
  if (!session.editor.EndOpenEntry()) return transfer::Outcome::Cancelled;
  const bool tableUnsaved = session.editor.TableIsOpen() && session.editor.TableEdited();
  core::Host& host = session.host;
  transfer::UploadSafety safety;
  if (BackUpBeforeUpload(session.settings)) safety.backupFolder = backupFolder;
  safety.acceptOtherGeneration = [&host](const std::string& data, const std::string& module) {
    return transfer::AskOtherGeneration(host, data, module);
  };
  safety.confirmChanges = [&](const std::vector<std::string>& summary,
                              const std::filesystem::path& backup) {
    std::vector<std::string> shown = summary;
    if (tableUnsaved) shown.emplace_back(kUnsavedTableNote);
    return transfer::AskToUpload(host, shown, backup);
  };
  return transfer::SafeUpload(session.image, session.link, host, safety).outcome;
}

}  // namespace app
