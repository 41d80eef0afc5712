// The upload's safety net against the simulated module: the module read and kept as a
// backup file before anything is written, the summary of changes, the generation guard,
// and every way it stops with the module untouched and in application mode.
#include "transfer/safe_upload.h"

#include <gtest/gtest.h>

#include "core/data_file_layout.h"
#include "core/eeprom_map.h"
#include "fakes/temp_folder.h"
#include "files/data_file.h"
#include "transfer/backup_file.h"
#include "transfer/change_summary.h"
#include "transfer/edition_compatibility.h"
#include "transfer/module_read.h"
#include "transfer/upload.h"
#include "transfer_rig.h"

namespace {

namespace fs = std::filesystem;
using core::Answer;
using transfer::Outcome;
using transfertest::TransferRig;

// 2026-12-07 14:03:22.
std::tm When() {
  std::tm when{};
  when.tm_year = 126;
  when.tm_mon = 11;
  when.tm_mday = 7;
  when.tm_hour = 14;
  when.tm_min = 3;
  when.tm_sec = 22;
  return when;
}

// What a download of the module gives, as the backup must hold it.
core::DataFileBytes DownloadOf(const sim::Memories& memories, const std::string& edition) {
  core::ModuleImage image = transfertest::RegionsOf(memories);
  image.ModuleVersion = edition;
  transfer::PrepareDownloadedData(image);
  return core::EncodeDataFile(image);
}

std::vector<fs::path> FilesIn(const fs::path& folder) {
  std::vector<fs::path> found;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder, error)) found.push_back(entry.path());
  return found;
}

TEST(SafeUpload, ChecksThenBackupReadBackThenSummaryThenWriting) {
  TransferRig rig;
  fakes::TempFolder folder;
  rig.image = transfertest::HeldData(rig.module.memories(), "JX", 1);
  const sim::Memories before = rig.module.memories();
  rig.host.ExpectBox(Answer::OK);
  rig.host.ExpectBox(Answer::OK);
  bool asked = false;
  transfer::UploadSafety safety{folder.path() / "backups", {}, {}, When};
  safety.confirmChanges = [&](const std::vector<std::string>& summary, const fs::path& backup) {
    asked = true;
    // By now: the checks' one box, the module read, its backup on disk, nothing written.
    EXPECT_EQ(rig.Texts(), std::vector<std::string>{"Firmware ID: Quillon II JX V2.4"});
    EXPECT_EQ(rig.module.memories().flash, before.flash);
    EXPECT_EQ(rig.module.memories().eeprom, before.eeprom);
    EXPECT_FALSE(rig.module.InBootLoader());
    EXPECT_EQ(backup, folder.path() / "backups" / "2026-12-07_14-03-22_JX_Quillon-II-JX-V2.4.dat");
    EXPECT_EQ(files::ReadDataFile(backup), DownloadOf(before, "JX"));
    EXPECT_EQ(summary.front(), "The upload will change in the module (now -> after):");
    for (const auto& progress : rig.host.progress) {
      EXPECT_FALSE(progress.caption.starts_with("Programming")) << progress.caption;
    }
    return true;
  };
  const transfer::SafeUploadResult result =
      transfer::SafeUpload(rig.image, rig.link, rig.host, safety);
  EXPECT_TRUE(asked);
  EXPECT_EQ(result.outcome, Outcome::Completed);
  EXPECT_EQ(rig.Texts().back(), transfer::kUploadCompleted);
  EXPECT_EQ(transfertest::RegionsOf(rig.module.memories()).EEPROMBuffer, rig.image.EEPROMBuffer);
  EXPECT_EQ(files::ReadDataFile(result.backup), DownloadOf(before, "JX")) << "kept as written";
}

enum class Folder { Usable, None, Blocked };

struct StopCase {
  const char* name;
  sim::Edition module;
  const char* dataEdition;
  const char* fault;
  std::vector<Answer> promptAnswers;
  Folder folder;
  bool acceptOtherGeneration;
  bool confirm;
  Outcome outcome;
  // The last box's text starts with this; "" when the last box is the firmware ID.
  std::string lastText;
  bool backupMade;
  bool moduleRead;
};

TEST(SafeUpload, EveryStopLeavesTheModuleUntouchedInApplicationMode) {
  const std::string backupReadFailed =
      "Upload aborted - the module's FLASH could not be read for the backup.";
  // clang-format off
  const StopCase cases[] = {
      {"Cancel at the summary", sim::Edition::JX, "JX", "", {}, Folder::Usable, false, false,
       Outcome::Cancelled, "", true, true},
      {"a backups folder that cannot be made", sim::Edition::JX, "JX", "", {}, Folder::Blocked,
       false, true, Outcome::Failed, transfer::kBackupFailed, false, true},
      {"Ignore on a time-out while reading for the backup", sim::Edition::JX, "JX", "late=19:1500",
       {Answer::Ignore}, Folder::Usable, false, true, Outcome::Failed, backupReadFailed, false,
       false},
      {"Abort on a time-out while reading for the backup", sim::Edition::JX, "JX", "late=19:1500",
       {Answer::Abort}, Folder::Usable, false, true, Outcome::Failed, backupReadFailed, false,
       false},
      {"second-generation data refused by a first-generation module", sim::Edition::Vosk,
       "QL2 VOSK", "", {}, Folder::Usable, false, true, Outcome::Cancelled, "", false, false},
      {"first-generation data refused by a second-generation module", sim::Edition::QL2Vosk, "KQ",
       "", {}, Folder::Usable, false, true, Outcome::Cancelled, "", false, false},
  };
  // clang-format on
  for (const StopCase& c : cases) {
    SCOPED_TRACE(c.name);
    TransferRig rig(c.module, transfertest::WithFaults({c.fault}));
    fakes::TempFolder folder;
    const fs::path backups = folder.path() / "backups";
    if (c.folder == Folder::Blocked) folder.Write("backups", "a file in the folder's way");
    rig.image = transfertest::HeldData(rig.module.memories(), c.dataEdition, 1);
    const sim::Memories before = rig.module.memories();
    rig.host.answerEvery = [&, prompt = std::size_t{0}](core::Buttons buttons) mutable {
      if (buttons != core::Buttons::AbortRetryIgnore) return Answer::OK;
      return c.promptAnswers.at(prompt++);
    };
    bool read = false;
    const transfer::UploadSafety safety{
        c.folder == Folder::None ? fs::path() : backups,
        [&](const std::string&, const std::string&) { return c.acceptOtherGeneration; },
        [&](const std::vector<std::string>&, const fs::path&) {
          read = true;
          return c.confirm;
        },
        When};
    const transfer::SafeUploadResult result =
        transfer::SafeUpload(rig.image, rig.link, rig.host, safety);
    EXPECT_EQ(result.outcome, c.outcome);
    EXPECT_EQ(read, c.moduleRead && c.folder != Folder::Blocked);
    const std::string last = rig.Texts().back();
    EXPECT_TRUE(c.lastText.empty() ? last.starts_with("Firmware ID: ")
                                   : last.starts_with(c.lastText))
        << last;
    EXPECT_EQ(rig.module.memories().flash, before.flash);
    EXPECT_EQ(rig.module.memories().eeprom, before.eeprom);
    EXPECT_FALSE(rig.module.InBootLoader());
    EXPECT_FALSE(rig.port.IsOpen());
    EXPECT_EQ(rig.image.ModuleVersion, c.dataEdition) << "the data keep their edition";
    EXPECT_EQ(!result.backup.empty(), c.backupMade);
    if (c.folder == Folder::Usable) {
      EXPECT_EQ(FilesIn(backups).size(), c.backupMade ? 1u : 0u);
    }
    EXPECT_EQ(rig.CommandsSent(comm::kCmdErasePage), 0u);
  }
}

TEST(SafeUpload, RetryWhileReadingForTheBackupGoesOnToAFullBackupAndUpload) {
  TransferRig rig(sim::Edition::JX, transfertest::WithFaults({"late=19:1500"}));
  fakes::TempFolder folder;
  rig.image = transfertest::HeldData(rig.module.memories(), "JX", 1);
  const core::DataFileBytes before = DownloadOf(rig.module.memories(), "JX");
  rig.host.answerEvery = [](core::Buttons buttons) {
    return buttons == core::Buttons::AbortRetryIgnore ? Answer::Retry : Answer::OK;
  };
  const transfer::SafeUploadResult result = transfer::SafeUpload(
      rig.image, rig.link, rig.host,
      {folder.path(), {}, [](const auto&, const auto&) { return true; }, When});
  EXPECT_EQ(result.outcome, Outcome::Completed);
  EXPECT_EQ(files::ReadDataFile(result.backup), before);
}

TEST(SafeUpload, DataOfTheOtherGenerationGoOnlyWhenAccepted) {
  // Per module edition, for data of VOSK, KQ, QL2 VOSK, QL2 KQ, JX and none: 'x' crosses.
  const char* data[] = {"VOSK", "KQ", "QL2 VOSK", "QL2 KQ", "JX", ""};
  const struct {
    const char* module;
    const char* crossings;
  } rows[] = {{"VOSK", "..xxx."},
              {"KQ", "..xxx."},
              {"QL2 VOSK", "xx...."},
              {"QL2 KQ", "xx...."},
              {"JX", "xx...."}};
  for (const auto& row : rows) {
    for (std::size_t i = 0; i < std::size(data); ++i) {
      EXPECT_EQ(transfer::CrossesGeneration(row.module, data[i]), row.crossings[i] == 'x')
          << data[i] << " data to a " << row.module << " module";
    }
  }
  TransferRig rig(sim::Edition::QL2Vosk);
  rig.image = transfertest::HeldData(rig.module.memories(), "VOSK", 1);
  rig.host.ExpectBox(Answer::OK);
  rig.host.ExpectBox(Answer::OK);
  std::string asked;
  const transfer::SafeUploadResult result =
      transfer::SafeUpload(rig.image, rig.link, rig.host,
                           {{},
                            [&](const std::string& dataEdition, const std::string& moduleEdition) {
                              asked = dataEdition + " into " + moduleEdition;
                              return true;
                            },
                            [](const auto&, const auto&) { return true; },
                            When});
  EXPECT_EQ(asked, "VOSK into QL2 VOSK");
  EXPECT_EQ(result.outcome, Outcome::Completed);
}

TEST(BackupFile, NeverReplacesAFileAndNamesWhatItHolds) {
  fakes::TempFolder folder;
  core::ModuleImage module;
  module.ModuleVersion = "QL2 VOSK";
  module.FirmwareID = "Quillon II/Vosk V2.4";
  const std::string name = "2026-12-07_14-03-22_QL2-VOSK_Quillon-II-Vosk-V2.4.dat";
  EXPECT_EQ(transfer::BackupFileName(When(), module.ModuleVersion, module.FirmwareID), name);
  const fs::path taken = folder.Write(name, "the user's own file");
  const fs::path first = transfer::SaveBackup(folder.path(), module, When());
  module.EEPROMBuffer[core::kEEPROMRegionFirstByte] = 7;
  const fs::path second = transfer::SaveBackup(folder.path(), module, When());
  EXPECT_EQ(first.filename(), "2026-12-07_14-03-22_QL2-VOSK_Quillon-II-Vosk-V2.4_2.dat");
  EXPECT_EQ(second.filename(), "2026-12-07_14-03-22_QL2-VOSK_Quillon-II-Vosk-V2.4_3.dat");
  EXPECT_EQ(files::ReadTextFile(taken, 100), "the user's own file");
  EXPECT_NE(files::ReadDataFile(first), files::ReadDataFile(second));
  EXPECT_EQ(FilesIn(folder.path()).size(), 3u) << "no temporary file left behind";
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
  const std::vector<std::string> lines =
      transfer::ChangeSummaryLines(compare::CompareTunes(module, data, "", ""));
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[1], "Front Cylinder Fuel Trim Table: no change.");
  EXPECT_TRUE(
      lines[2].starts_with("Rear Cylinder Fuel Trim Table: 1 cell changes, the largest by "))
      << lines[2];
  EXPECT_EQ(lines[3], "Retard Table: no change.");
  EXPECT_TRUE(lines[4].starts_with("User data: \"Simulated")) << lines[4];
  EXPECT_NE(lines[4].find(" -> \"Zimulated"), std::string::npos) << lines[4];
}

}  // namespace
