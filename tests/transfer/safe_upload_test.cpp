// The upload's safety net against the simulated module: the module read and kept as a
// backup file before anything is written, the summary of changes, the generation guard,
// and every way it stops with the module untouched and in application mode.
#include "transfer/safe_upload.h"

#include <gtest/gtest.h>

#include <tuple>

#include "core/data_file_layout.h"
#include "core/eeprom_map.h"
#include "fakes/temp_folder.h"
#include "files/data_file.h"
#include "transfer/backup_file.h"
#include "transfer/change_summary.h"
#include "transfer/module_read.h"
#include "transfer/upload.h"
#include "transfer_rig.h"

namespace {

namespace fs = std::filesystem;
using core::Answer;
using transfer::Outcome;
using transfertest::TransferRig;

// The backup of a JX module, named after the time, the edition and the firmware ID.
constexpr const char* kJXBackup = "2026-12-07_14-03-22_JX_Quillon-II-JX-V2.4.dat";
constexpr const char* kSummaryHead = "The upload will change in the module (now -> after):";

// 2026-12-07 14:03:22.
std::tm When() {
  std::tm when{};
  std::tie(when.tm_year, when.tm_mon, when.tm_mday, when.tm_hour, when.tm_min, when.tm_sec) =
      std::tuple(126, 11, 7, 14, 3, 22);
  return when;
}

// What a download of the module gives, as the backup must hold it.
core::DataFileBytes DownloadOf(const sim::Memories& memories, const std::string& edition) {
  core::ModuleImage image = transfertest::RegionsOf(memories);
  image.ModuleVersion = edition;
  transfer::PrepareDownloadedData(image);
  return core::EncodeDataFile(image);
}

std::size_t FilesIn(const fs::path& folder) {
  std::error_code error;
  const fs::directory_iterator files(folder, error);
  return static_cast<std::size_t>(std::distance(begin(files), end(files)));
}

void ExpectUntouched(TransferRig& rig, const sim::Memories& before) {
  EXPECT_EQ(rig.module.memories().flash, before.flash);
  EXPECT_EQ(rig.module.memories().eeprom, before.eeprom);
  EXPECT_FALSE(rig.module.InBootLoader());
}

enum class Folder { Usable, None, Blocked };

// Retry on a time-out while reading is the link's Retry, the commands' test.
TEST(SafeUpload, EveryStopLeavesTheModuleUntouchedInApplicationModeAcceptGoesOn) {
  const std::string readFailed = "Upload aborted - the module's FLASH could not be read";
  const struct {
    const char* name;
    sim::Edition module;
    const char* dataEdition;
    const char* fault;
    Answer prompt;  // to a time-out while reading for the backup
    Folder folder;
    bool acceptOtherGeneration;
    bool confirm;
    Outcome outcome;
    // The last box's text starts with this; "" when the last box is the firmware ID.
    std::string lastText;
    bool backupMade;
    bool summarized;
    std::string askedOtherGeneration;
  } cases[] = {
      {"Cancel at the summary", sim::Edition::JX, "JX", "", Answer::OK, Folder::Usable, false,
       false, Outcome::Cancelled, "", true, true, ""},
      {"a backups folder that cannot be made", sim::Edition::JX, "JX", "", Answer::OK,
       Folder::Blocked, false, true, Outcome::Failed, transfer::kBackupFailed, false, false, ""},
      {"Ignore on a time-out while reading", sim::Edition::JX, "JX", "late=19:1500", Answer::Ignore,
       Folder::Usable, false, true, Outcome::Failed, readFailed, false, false, ""},
      {"second-generation data to a first-generation module", sim::Edition::Vosk, "QL2 VOSK", "",
       Answer::OK, Folder::Usable, false, true, Outcome::Cancelled, "", false, false,
       "QL2 VOSK into VOSK"},
      {"the other generation accepted, no backups", sim::Edition::QL2Vosk, "VOSK", "", Answer::OK,
       Folder::None, true, true, Outcome::Completed, transfer::kUploadCompleted, false, true,
       "VOSK into QL2 VOSK"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TransferRig rig(c.module, transfertest::WithFaults({c.fault}));
    fakes::TempFolder folder;
    const fs::path backups = folder.path() / "backups";
    if (c.folder == Folder::Blocked) folder.Write("backups", "a file in the folder's way");
    rig.image = transfertest::HeldData(rig.module.memories(), c.dataEdition, 1);
    const sim::Memories before = rig.module.memories();
    rig.host.answerEvery = [&](core::Buttons buttons) {
      return buttons == core::Buttons::AbortRetryIgnore ? c.prompt : Answer::OK;
    };
    bool summarized = false;
    std::string asked;
    const transfer::UploadSafety safety{
        c.folder == Folder::None ? fs::path() : backups,
        [&](const std::string& data, const std::string& module) {
          asked = data + " into " + module;
          return c.acceptOtherGeneration;
        },
        [&](const std::vector<std::string>& summary, const fs::path& backup) {
          // The module read and kept, nothing written yet.
          summarized = true;
          ExpectUntouched(rig, before);
          EXPECT_EQ(summary.front(), kSummaryHead);
          EXPECT_EQ(backup, c.backupMade ? backups / kJXBackup : fs::path());
          EXPECT_EQ(fs::exists(backup), c.backupMade);
          return c.confirm;
        },
        When};
    const transfer::SafeUploadResult result =
        transfer::SafeUpload(rig.image, rig.link, rig.host, safety);
    EXPECT_EQ(result.outcome, c.outcome);
    EXPECT_EQ(summarized, c.summarized);
    EXPECT_EQ(asked, c.askedOtherGeneration);
    const std::string last = rig.Texts().back();
    EXPECT_TRUE(last.starts_with(c.lastText.empty() ? "Firmware ID: " : c.lastText)) << last;
    EXPECT_FALSE(rig.port.IsOpen());
    if (c.folder == Folder::Usable) {
      EXPECT_EQ(FilesIn(backups), c.backupMade ? 1u : 0u);
    }
    if (c.backupMade) {
      EXPECT_EQ(files::ReadDataFile(result.backup), DownloadOf(before, c.dataEdition));
    }
    if (c.outcome != Outcome::Completed) {
      ExpectUntouched(rig, before);
      EXPECT_EQ(rig.image.ModuleVersion, c.dataEdition) << "the data keep their edition";
    }
  }
}

TEST(BackupFile, NeverReplacesAFileAndNamesWhatItHolds) {
  fakes::TempFolder folder;
  core::ModuleImage module;
  module.ModuleVersion = "QL2 VOSK";
  module.FirmwareID = "Quillon II/Vosk V2.4";
  const std::string stem = "2026-12-07_14-03-22_QL2-VOSK_Quillon-II-Vosk-V2.4";
  const fs::path taken = folder.Write(stem + ".dat", "the user's own file");
  const fs::path first = transfer::SaveBackup(folder.path(), module, When());
  module.EEPROMBuffer[core::kEEPROMRegionFirstByte] = 7;
  const fs::path second = transfer::SaveBackup(folder.path(), module, When());
  EXPECT_EQ(first, folder.path() / (stem + "_2.dat"));
  EXPECT_EQ(second, folder.path() / (stem + "_3.dat"));
  EXPECT_EQ(fakes::ReadFile(taken), "the user's own file");
  EXPECT_NE(files::ReadDataFile(first), files::ReadDataFile(second));
  EXPECT_EQ(FilesIn(folder.path()), 3u) << "no temporary file left behind";
}

TEST(ChangeSummary, SaysWhatChangesOrThatNothingDoes) {
  TransferRig rig;
  core::ModuleImage module = transfertest::RegionsOf(rig.module.memories());
  module.ModuleVersion = "JX";
  core::ModuleImage data = module;
  EXPECT_EQ(transfer::ChangeSummaryLines(compare::CompareTunes(module, data, "", "")),
            std::vector<std::string>{transfer::kModuleHoldsData});
  data.FLASHBuffer[tables::AddressOf(tables::TableId::RearCylTrim, 22, 1, 1).word].LoByte += 4;
  data.EEPROMBuffer[core::kUserDataFirstByte] = 'Z';
  EXPECT_EQ(
      transfer::ChangeSummaryLines(compare::CompareTunes(module, data, "", "")),
      (std::vector<std::string>{
          kSummaryHead, "Front Cylinder Fuel Trim Table: no change.",
          "Rear Cylinder Fuel Trim Table: 1 cell changes, the largest by -196.88.",
          "Retard Table: no change.",
          R"(User data: "Simulated Quillon moduleL289HL" -> "Zimulated Quillon moduleL289HL")"}));
}

}  // namespace
