#include "app/upload_command.h"

#include "app/splash.h"
#include "core/settings_switch.h"

namespace app {

bool BackUpBeforeUpload(core::SettingsStore* settings) {
  return !settings ||
         core::SwitchIsOn(*settings, kApplicationTitle, kUploadSettingsSection, kBackUpModuleKey);
}

void SetBackUpBeforeUpload(core::SettingsStore* settings, bool on) {
  if (settings) {
    core::SaveSwitch(*settings, kApplicationTitle, kUploadSettingsSection, kBackUpModuleKey, on);
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
