// Upload Data To Quillon against the simulated module: which data each edition takes,
// each step's refusal and message, FirmwareID and ModuleVersion after each outcome, and
// that "Upload completed." always means both regions were read back equal. Then its safety
// net: the module read and kept as a backup file before anything is written, the summary
// of changes, the generation guard, and every way it stops with the module untouched.
#include "transfer/upload.h"

#include <gtest/gtest.h>

#include <tuple>

#include "core/data_file_layout.h"
#include "core/eeprom_map.h"
#include "fakes/temp_folder.h"
#include "files/data_file.h"
#include "transfer/backup_file.h"
#include "transfer/change_summary.h"
#include "transfer/edition_compatibility.h"
#include "transfer/module_checks.h"
#include "transfer/module_read.h"
#include "transfer/safe_upload.h"
#include "transfer_rig.h"

namespace {

namespace fs = std::filesystem;
using core::Answer;
using transfer::Outcome;
using transfertest::TransferRig;

constexpr const char* kTimeout = "RS-232 timeout. Check cable and click Abort.";
constexpr const char* kCompleted =
    "Upload completed. Remember to cycle run/stop switch off for 5 seconds\r\n"
    "and then on again before starting engine.";
constexpr const char* kVoskToKQ = "Cannot upload vosk data to KQ version";
constexpr const char* kStandardToJX = "Cannot standard Quillon data to JX version";

Outcome Upload(TransferRig& rig) { return transfer::Upload(rig.image, rig.link, rig.host); }

// Data of the given edition that differ from the module's own in every byte.
void HoldDataFor(TransferRig& rig, const char* dataEdition) {
  rig.image = transfertest::HeldData(rig.module.memories(), dataEdition, 1);
}

// Received bytes of an upload to a Quillon II: the checks (1 to 4), the entry key (5 to 9),
// then per page SetAddress, ErasePage, the page load (0x17 and 128 bytes), WritePage.
constexpr std::size_t kEntryKey = 5;
constexpr std::size_t kFirstSetAddress = 9;
constexpr std::size_t kFirstPageLoad = 13;
constexpr std::size_t kFirstEEPROMWrite = 2635;
constexpr std::size_t kExitKey = 2878;

std::vector<comm::Byte> WireOfCleanUpload(const core::ModuleImage& image) {
  TransferRig rig(sim::Edition::QL2Vosk);
  core::ModuleImage copy = image;
  rig.host.ExpectBoxes({Answer::OK, Answer::OK});
  EXPECT_EQ(transfer::Upload(copy, rig.link, rig.host), Outcome::Completed);
  return rig.port.written();
}

TEST(EditionCompatibility, RestrictedEditionsAreTestedFirstThenTheGenerationCrossing) {
  // Per module edition, for data of VOSK, KQ, QL2 VOSK, QL2 KQ, JX and none: '.' accepted,
  // 'K' the KQ refusal, 'J' the JX refusal; then 'x' where the data cross a generation.
  const char* data[] = {"VOSK", "KQ", "QL2 VOSK", "QL2 KQ", "JX", ""};
  const std::tuple<const char*, const char*, const char*> rows[] = {
      {"VOSK", "......", "..xxx."},   {"KQ", "K.KKKK", "..xxx."}, {"QL2 VOSK", "......", "xx...."},
      {"QL2 KQ", "KKK.KK", "xx...."}, {"JX", "JJJJ.J", "xx...."},
  };
  for (const auto& [module, verdicts, crossings] : rows) {
    for (std::size_t i = 0; i < std::size(data); ++i) {
      const auto refusal = transfer::UploadRefusal(module, data[i]);
      const char verdict = !refusal                    ? '.'
                           : *refusal == kVoskToKQ     ? 'K'
                           : *refusal == kStandardToJX ? 'J'
                                                       : '?';
      EXPECT_EQ(verdict, verdicts[i]) << module << " module, " << data[i] << " data";
      EXPECT_EQ(transfer::CrossesGeneration(module, data[i]), crossings[i] == 'x')
          << data[i] << " data to a " << module << " module";
    }
  }
}

// The two questions before writing: Upload goes on, Cancel stops, and the backup is named
// only when one was made.
TEST(SafeUpload, TheGenerationQuestionAndTheSummaryQuestionSayWhatTheyAsk) {
  fakes::ScriptedHost host;
  host.ExpectBoxes({Answer::OK, Answer::Cancel, Answer::OK});
  EXPECT_TRUE(transfer::AskOtherGeneration(host, "JX", "VOSK"));
  EXPECT_FALSE(transfer::AskToUpload(host, {"2 cells differ."}, "/b/kept.dat"));
  EXPECT_TRUE(transfer::AskToUpload(host, {"2 cells differ."}, {}));
  const auto Box = [](std::string text, core::Icon icon) {
    return fakes::MessageBoxRecord{std::move(text), transfer::kUploadTitle,
                                   core::Buttons::UploadCancel, icon};
  };
  EXPECT_EQ(
      host.boxes,
      (std::vector{
          Box("The data to upload are JX data, of the second generation (Quillon II), but "
              "the module is a VOSK module, of the first generation. The generations keep "
              "their tables and parameters in different places, so the module would read "
              "these data wrongly.\r\n\r\nUpload the JX data into the VOSK module anyway?",
              core::Icon::Exclamation),
          Box("2 cells differ.\r\n\r\nThe module's data have been backed up to "
              "/b/kept.dat.\r\n\r\nUpload these data to the module?",
              core::Icon::Question),
          Box("2 cells differ.\r\n\r\nUpload these data to the module?", core::Icon::Question)}));
}

// A refusal of the table above as the upload shows it; the texts of both refusals are
// the table's, data taken are every other upload's.
TEST(Upload, AModuleRefusesDataItsEditionCannotRunBeforeItsBootLoader) {
  TransferRig rig(sim::Edition::KQ);
  HoldDataFor(rig, "JX");
  const core::ModuleImage was = transfertest::RegionsOf(rig.module.memories());
  rig.host.ExpectBoxes({Answer::OK, Answer::OK});
  EXPECT_EQ(Upload(rig), Outcome::Failed);
  EXPECT_EQ(rig.host.boxes.back(), (fakes::MessageBoxRecord{kVoskToKQ, "Upload Data",
                                                            core::Buttons::OK, core::Icon::None}));
  const core::ModuleImage held = transfertest::RegionsOf(rig.module.memories());
  EXPECT_EQ(held.FLASHBuffer, was.FLASHBuffer);
  EXPECT_EQ(held.EEPROMBuffer, was.EEPROMBuffer);
  EXPECT_EQ(rig.CommandsSent(comm::kCmdBootLoadKey), 0u) << "no boot loader entered";
  EXPECT_EQ(rig.image.ModuleVersion, "JX") << "refused data keep their edition";
}

// Either memory empty is enough; the second of the two is checked.
TEST(Upload, AnEmptyImageHasNothingToUpload) {
  TransferRig rig;
  HoldDataFor(rig, "JX");
  rig.image.EEPROMBufferEmpty = true;
  rig.host.ExpectBox(Answer::OK);
  EXPECT_EQ(Upload(rig), Outcome::Failed);
  EXPECT_EQ(rig.Texts(), std::vector<std::string>{"No data available for uploading."});
  EXPECT_TRUE(rig.port.written().empty());
}

// JX data into a Quillon II Vosk module, which takes them: its edition shows in
// ModuleVersion only once the upload has gone past the checks. The link check and the
// status read are shared with the download and tested there.
TEST(Upload, EachFailingStepSaysSoAndEndsWithTheModuleInApplicationMode) {
  const std::string id = "Firmware ID: " + sim::FirmwareIDOf(sim::Edition::QL2Vosk);
  const std::string ql2 = sim::FirmwareIDOf(sim::Edition::QL2Vosk);
  const std::string exitFailed = "Upload aborted - ATmega failed to exit boot load mode.";
  const auto stall = [](std::size_t byte) { return "stall=" + std::to_string(byte) + ":1500"; };
  const auto lose = [](std::size_t byte) { return "lose=" + std::to_string(byte); };
  const struct {
    std::string fault;
    std::vector<Answer> answers;  // to the time-out prompts
    std::vector<std::string> texts;
    std::string firmwareID;
    // The module's FLASH and EEPROM regions afterwards: 'o' as they were, 'i' the image's,
    // '?' partly written; then 'b' when the module was left in its boot loader.
    const char* regions;
  } cases[] = {
      // clang-format off
      {"engine-started", {}, {"Cannot upload after engine has been started."}, "old module", "oo"},
      {"late=10:1500", {Answer::Ignore}, {kTimeout, "Firmware ID read failed - cannot upload."}, "", "oo"},
      {"id=Marrowby bench unit", {}, {"Invalid firmware ID - cannot upload."}, "Marrowby bench unit", "oo"},
      // The module took the key but answered it wrongly: no exit is tried.
      {"nak=11", {}, {id, "Upload aborted - ATmega failed to enter boot load mode."}, ql2, "oob"},
      // A wrong acknowledgement of an erase; a page programming's ends the same way.
      {"nak=1D", {}, {id, "Upload aborted - FLASH programming failed."}, ql2, "?o"},
      {"flip-flash=6500", {}, {id, "Upload aborted - FLASH verification failed."}, ql2, "?o"},
      {"nak=16", {}, {id, "Upload aborted - EEPROM programming failed."}, ql2, "i?"},
      // A late reply: drained, so the exit reads its own.
      {"late=15:1500", {Answer::Ignore}, {id, kTimeout, "Upload aborted - EEPROM verification failed."}, ql2, "ii"},
      // A late echo half-way through a command: every byte sent was taken, so Retry
      // finishes the command where it stands.
      {stall(kFirstPageLoad + 59), {Answer::Retry}, {id, kTimeout, kCompleted}, ql2, "ii"},
      {stall(kFirstSetAddress + 1), {Answer::Retry}, {id, kTimeout, kCompleted}, ql2, "ii"},
      {stall(kFirstEEPROMWrite), {Answer::Retry}, {id, kTimeout, kCompleted}, ql2, "ii"},
      {stall(kEntryKey), {Answer::Retry}, {id, kTimeout, kCompleted}, ql2, "ii"},
      // The module left its boot loader while the tool waited: the key sent again is refused.
      {stall(kExitKey + 1), {Answer::Retry}, {id, kTimeout, exitFailed}, ql2, "ii"},
      // A byte without its echo: the module may wait for it or may have taken it. No Retry
      // is offered and nothing more is sent, the exit included.
      {lose(kFirstPageLoad + 60), {Answer::Abort}, {id, kTimeout, "Upload aborted - FLASH programming failed.", transfer::kExitFailedAfterFailure}, ql2, "?ob"},
      {lose(kFirstSetAddress + 2), {Answer::Ignore}, {id, kTimeout, "Upload aborted - FLASH programming failed.", transfer::kExitFailedAfterFailure}, ql2, "?ob"},
      {lose(kFirstEEPROMWrite + 1), {Answer::Abort}, {id, kTimeout, "Upload aborted - EEPROM programming failed.", transfer::kExitFailedAfterFailure}, ql2, "i?b"},
      {lose(kExitKey + 4), {Answer::Abort}, {id, kTimeout, exitFailed}, ql2, "iib"},
      // clang-format on
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.fault);
    TransferRig rig(sim::Edition::QL2Vosk, transfertest::WithFaults({c.fault}));
    HoldDataFor(rig, "JX");
    const core::ModuleImage was = transfertest::RegionsOf(rig.module.memories());
    rig.ExpectBoxes(c.texts, c.answers);

    Upload(rig);
    EXPECT_EQ(rig.Texts(), c.texts);
    EXPECT_EQ(rig.image.FirmwareID, c.firmwareID);
    EXPECT_EQ(rig.image.ModuleVersion, c.firmwareID == ql2 ? "QL2 VOSK" : "JX");
    const core::ModuleImage held = transfertest::RegionsOf(rig.module.memories());
    if (c.regions[0] != '?') {
      EXPECT_EQ(held.FLASHBuffer, (c.regions[0] == 'o' ? was : rig.image).FLASHBuffer);
    }
    if (c.regions[1] != '?') {
      EXPECT_EQ(held.EEPROMBuffer, (c.regions[1] == 'o' ? was : rig.image).EEPROMBuffer);
    }
    EXPECT_EQ(rig.module.InBootLoader(), c.regions[2] == 'b');
    const bool lost = c.fault.starts_with("lose=");
    for (const fakes::MessageBoxRecord& box : rig.host.boxes) {
      if (box.text != kTimeout) continue;
      EXPECT_EQ(box.buttons, lost ? core::Buttons::AbortIgnore : core::Buttons::AbortRetryIgnore);
    }
    if (lost) {
      // Nothing went out after the byte the module may or may not have taken.
      EXPECT_EQ(rig.port.written().size(), std::stoul(c.fault.substr(5)));
    }
    if (c.fault == stall(kFirstPageLoad + 59)) {
      EXPECT_EQ(rig.port.written(), WireOfCleanUpload(rig.image)) << "resumed, not restarted";
    }
  }
}

TEST(Upload, EscStopsFLASHWorkAndTheEEPROMVerificationButNotEEPROMProgramming) {
  const std::pair<const char*, const char*> cases[] = {
      {"Programming FLASH", "Upload aborted - FLASH programming failed."},
      {"Verifying FLASH", "Upload aborted - FLASH verification failed."},
      {"Programming EEPROM", kCompleted},
      {"Verifying EEPROM", "Upload aborted - EEPROM verification failed."},
  };
  for (const auto& [during, lastText] : cases) {
    SCOPED_TRACE(during);
    TransferRig rig;
    HoldDataFor(rig, "JX");
    rig.host.whileProgressing = [&](const std::string& caption, int percent) {
      rig.AbortFlag |= caption == during && percent == 56;
    };
    rig.host.ExpectBoxes({Answer::OK, Answer::OK});
    Upload(rig);
    EXPECT_EQ(rig.Texts().back(), lastText);
    EXPECT_FALSE(rig.AbortFlag) << "the next command must not stop at once";
    EXPECT_FALSE(rig.module.InBootLoader() || rig.port.IsOpen());
  }
}

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
    const char* fault;  // a time-out while reading for the backup is answered Ignore
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
      {"Cancel at the summary", sim::Edition::JX, "JX", "", Folder::Usable, false, false,
       Outcome::Cancelled, "", true, true, ""},
      {"a backups folder that cannot be made", sim::Edition::JX, "JX", "", Folder::Blocked, false,
       true, Outcome::Failed, transfer::kBackupFailed, false, false, ""},
      {"Ignore on a time-out while reading", sim::Edition::JX, "JX", "late=19:1500", Folder::Usable,
       false, true, Outcome::Failed, readFailed, false, false, ""},
      {"second-generation data to a first-generation module", sim::Edition::Vosk, "QL2 VOSK", "",
       Folder::Usable, false, true, Outcome::Cancelled, "", false, false, "QL2 VOSK into VOSK"},
      {"the other generation accepted, no backups", sim::Edition::QL2Vosk, "VOSK", "", Folder::None,
       true, true, Outcome::Completed, transfer::kUploadCompleted, false, true,
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
      return buttons == core::Buttons::AbortRetryIgnore ? Answer::Ignore : Answer::OK;
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

// That the module already holds the data is said by the desktop's upload.
TEST(ChangeSummary, SaysWhatChanges) {
  TransferRig rig;
  core::ModuleImage module = transfertest::RegionsOf(rig.module.memories());
  module.ModuleVersion = "JX";
  core::ModuleImage data = module;
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
