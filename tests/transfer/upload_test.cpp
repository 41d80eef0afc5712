// Upload Data To Quillon against the simulated module: which data each edition takes,
// each step's refusal and message, FirmwareID and ModuleVersion after each outcome, and
// that "Upload completed." always means both regions were read back equal.
#include "transfer/upload.h"

#include <gtest/gtest.h>

#include "transfer/edition_compatibility.h"
#include "transfer/module_checks.h"
#include "transfer_rig.h"

namespace {

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

std::string FirmwareIDText(sim::Edition edition) {
  return "Firmware ID: " + sim::FirmwareIDOf(edition);
}

TEST(UploadRefusal, EditionTableTestsTheRestrictedEditionsFirst) {
  // Per module edition, for data of VOSK, KQ, QL2 VOSK, QL2 KQ, JX and none:
  // '.' accepted, 'K' the KQ refusal, 'J' the JX refusal.
  const char* data[] = {"VOSK", "KQ", "QL2 VOSK", "QL2 KQ", "JX", ""};
  const struct {
    const char* module;
    const char* verdicts;
  } rows[] = {
      {"VOSK", "......"},   {"KQ", "K.KKKK"}, {"QL2 VOSK", "......"},
      {"QL2 KQ", "KKK.KK"}, {"JX", "JJJJ.J"},
  };
  for (const auto& row : rows) {
    for (std::size_t i = 0; i < std::size(data); ++i) {
      const auto refusal = transfer::UploadRefusal(row.module, data[i]);
      const char verdict = !refusal                    ? '.'
                           : *refusal == kVoskToKQ     ? 'K'
                           : *refusal == kStandardToJX ? 'J'
                                                       : '?';
      EXPECT_EQ(verdict, row.verdicts[i]) << row.module << " module, " << data[i] << " data";
    }
  }
}

TEST(Upload, EachModuleTakesOnlyTheDataItsEditionCanRun) {
  const struct {
    const char* data;
    sim::Edition module;
    const char* moduleVersion;
    const char* refusal;  // empty when the module takes the data
  } cases[] = {
      {"KQ", sim::Edition::Vosk, "VOSK", ""},
      {"JX", sim::Edition::QL2Vosk, "QL2 VOSK", ""},
      {"KQ", sim::Edition::KQ, "KQ", ""},
      {"QL2 KQ", sim::Edition::QL2KQ, "QL2 KQ", ""},
      {"JX", sim::Edition::JX, "JX", ""},
      {"", sim::Edition::Vosk, "VOSK", ""},
      {"", sim::Edition::QL2Vosk, "QL2 VOSK", ""},
      {"VOSK", sim::Edition::KQ, "KQ", kVoskToKQ},
      {"JX", sim::Edition::KQ, "KQ", kVoskToKQ},
      {"KQ", sim::Edition::QL2KQ, "QL2 KQ", kVoskToKQ},
      {"QL2 VOSK", sim::Edition::JX, "JX", kStandardToJX},
      {"", sim::Edition::JX, "JX", kStandardToJX},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.data) + " data to " + c.moduleVersion);
    const bool taken = *c.refusal == '\0';
    TransferRig rig(c.module);
    HoldDataFor(rig, c.data);
    const core::ModuleImage before = rig.image;
    const sim::Memories original = rig.module.memories();
    rig.host.ExpectBox(Answer::OK);
    rig.host.ExpectBox(Answer::OK);

    EXPECT_EQ(Upload(rig), taken ? Outcome::Completed : Outcome::Failed);
    EXPECT_EQ(rig.Texts(),
              (std::vector<std::string>{FirmwareIDText(c.module), taken ? kCompleted : c.refusal}));
    EXPECT_EQ(rig.host.boxes.back().title, "Upload Data");
    EXPECT_EQ(rig.host.boxes.back().buttons, core::Buttons::OK);
    EXPECT_EQ(rig.host.boxes.back().icon, taken ? core::Icon::Exclamation : core::Icon::None);
    // Taken: the regions hold the image, and nothing outside them was written.
    sim::Memories expected = original;
    for (std::size_t w = core::kFLASHRegionFirstWord; taken && w <= core::kFLASHRegionLastWord;
         ++w) {
      expected.flash[2 * w] = rig.image.FLASHBuffer[w].LoByte;
      expected.flash[2 * w + 1] = rig.image.FLASHBuffer[w].HiByte;
    }
    for (std::size_t i = core::kEEPROMRegionFirstByte; taken && i <= core::kEEPROMRegionLastByte;
         ++i) {
      expected.eeprom[i] = rig.image.EEPROMBuffer[i];
    }
    EXPECT_EQ(rig.module.memories().flash, expected.flash);
    EXPECT_EQ(rig.module.memories().eeprom, expected.eeprom);
    if (!taken) {
      EXPECT_EQ(rig.CommandsSent(comm::kCmdBootLoadKey), 0u);
    }
    EXPECT_FALSE(rig.module.InBootLoader());
    EXPECT_EQ(rig.image.FLASHBuffer, before.FLASHBuffer);
    EXPECT_EQ(rig.image.EEPROMBuffer, before.EEPROMBuffer);
    EXPECT_EQ(rig.image.FirmwareID, sim::FirmwareIDOf(c.module));
    EXPECT_EQ(rig.image.ModuleVersion, taken ? c.moduleVersion : c.data)
        << "refused data keep their edition";
    EXPECT_FALSE(rig.port.IsOpen());
  }
}

TEST(Upload, AnEmptyImageHasNothingToUpload) {
  for (const bool flashEmpty : {true, false}) {
    TransferRig rig;
    HoldDataFor(rig, "JX");
    (flashEmpty ? rig.image.FLASHBufferEmpty : rig.image.EEPROMBufferEmpty) = true;
    rig.host.ExpectBox(Answer::OK);
    EXPECT_EQ(Upload(rig), Outcome::Failed);
    EXPECT_EQ(rig.Texts(), std::vector<std::string>{"No data available for uploading."});
    EXPECT_EQ(rig.host.boxes[0].icon, core::Icon::Exclamation);
    EXPECT_TRUE(rig.port.written().empty());
  }
}

struct StepCase {
  const char* name;
  const char* fault;
  // Answers to the time-out prompts.
  std::vector<Answer> answers;
  std::vector<std::string> texts;
  Outcome outcome;
  std::string firmwareID;
  std::string moduleVersion;
  // The module's FLASH and EEPROM regions afterwards: 'o' as they were, 'i' the image's,
  // '?' partly written.
  const char* regions;
  bool leftInBootLoader;
};

// JX data into a Quillon II Vosk module, which takes them: its edition shows in
// ModuleVersion only once the upload has gone past the checks.
TEST(Upload, EachFailingStepSaysSoAndEndsWithTheModuleInApplicationMode) {
  const std::string id = FirmwareIDText(sim::Edition::QL2Vosk);
  const std::string ql2 = sim::FirmwareIDOf(sim::Edition::QL2Vosk);
  const std::string flashFailed = "Upload aborted - FLASH programming failed.";
  const std::string done = kCompleted;
  const std::string exitFailed = "Error - ATmega failed to exit boot load mode.";
  const Outcome failed = Outcome::Failed;
  // clang-format off
  const StepCase cases[] = {
      {"no link", "silent", {}, {"Cannot establish RS-232 link. Check cable and module power."}, failed, "old module", "JX", "oo", false},
      {"engine started", "engine-started", {},
       {"Cannot upload after engine has been started."}, failed, "old module", "JX", "oo", false},
      {"status time-out", "late=2F:1500", {Answer::Abort},
       {"RS-232 timeout. Check cable and click Abort or Retry."}, failed, "old module", "JX", "oo",
       false},
      {"firmware ID time-out", "late=10:1500", {Answer::Ignore},
       {kTimeout, "Firmware ID read failed - cannot upload."}, failed, "", "JX", "oo", false},
      {"unknown firmware ID", "id=Marrowby bench unit", {},
       {"Invalid firmware ID - cannot upload."}, failed, "Marrowby bench unit", "JX", "oo", false},
      // The module took the key but answered it wrongly: no exit is tried.
      {"boot loader refused", "nak=11", {},
       {id, "Upload aborted - ATmega failed to enter boot load mode."}, failed, ql2, "QL2 VOSK",
       "oo", true},
      {"page programming refused", "nak=18", {}, {id, flashFailed}, failed, ql2, "QL2 VOSK", "?o",
       false},
      {"one FLASH word stored wrong", "flip-flash=6500", {},
       {id, "Upload aborted - FLASH verification failed."}, failed, ql2, "QL2 VOSK", "?o", false},
      {"Ignore on a FLASH verification time-out", "late=19:1500", {Answer::Ignore},
       {id, kTimeout, flashFailed}, failed, ql2, "QL2 VOSK", "io", false},
      {"Retry on a FLASH verification time-out", "late=19:1500", {Answer::Retry},
       {id, kTimeout, done}, Outcome::Completed, ql2, "QL2 VOSK", "ii", false},
      {"EEPROM byte refused", "nak=16", {},
       {id, "Upload aborted - EEPROM programming failed."}, failed, ql2, "QL2 VOSK", "i?", false},
      {"Ignore on an EEPROM verification time-out", "late=15:1500", {Answer::Ignore},
       {id, kTimeout, "Upload aborted - EEPROM verification failed."}, failed, ql2, "QL2 VOSK",
       "ii", false},
      {"module gone before the exit", "drop-after=2877", {Answer::Abort},
       {id, kTimeout, "Upload aborted - ATmega failed to exit boot load mode."}, failed, ql2,
       "QL2 VOSK", "ii", true},
      // A page byte without its echo: where the loader stands is unknown, so nothing more
      // is sent, the exit included.
      {"module gone during FLASH programming", "drop-after=300", {Answer::Abort},
       {id, kTimeout, flashFailed, exitFailed}, failed, ql2, "QL2 VOSK", "?o", true},
  };
  // clang-format on
  for (const StepCase& c : cases) {
    SCOPED_TRACE(c.name);
    TransferRig rig(sim::Edition::QL2Vosk, transfertest::WithFaults({c.fault}));
    HoldDataFor(rig, "JX");
    const core::ModuleImage was = transfertest::RegionsOf(rig.module.memories());
    rig.ExpectBoxes(c.texts, c.answers);

    EXPECT_EQ(Upload(rig), c.outcome);
    EXPECT_EQ(rig.Texts(), c.texts);
    EXPECT_EQ(rig.image.FirmwareID, c.firmwareID);
    EXPECT_EQ(rig.image.ModuleVersion, c.moduleVersion);
    const core::ModuleImage held = transfertest::RegionsOf(rig.module.memories());
    if (c.regions[0] != '?') {
      EXPECT_EQ(held.FLASHBuffer, (c.regions[0] == 'o' ? was : rig.image).FLASHBuffer);
    }
    if (c.regions[1] != '?') {
      EXPECT_EQ(held.EEPROMBuffer, (c.regions[1] == 'o' ? was : rig.image).EEPROMBuffer);
    }
    EXPECT_EQ(rig.module.InBootLoader(), c.leftInBootLoader);
    EXPECT_FALSE(rig.port.IsOpen());
  }
}

TEST(Upload, EscStopsFLASHWorkAndTheEEPROMVerificationButNotEEPROMProgramming) {
  const struct {
    const char* during;
    const char* lastText;
  } cases[] = {
      {"Programming FLASH", "Upload aborted - FLASH programming failed."},
      {"Verifying FLASH", "Upload aborted - FLASH verification failed."},
      {"Programming EEPROM", kCompleted},
      {"Verifying EEPROM", "Upload aborted - EEPROM verification failed."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.during);
    TransferRig rig;
    HoldDataFor(rig, "JX");
    rig.host.whileProgressing = [&](const std::string& caption, int percent) {
      if (caption == c.during && percent == 56) rig.AbortFlag = true;
    };
    rig.host.ExpectBox(Answer::OK);
    rig.host.ExpectBox(Answer::OK);
    Upload(rig);
    EXPECT_EQ(rig.Texts().back(), c.lastText);
    EXPECT_FALSE(rig.AbortFlag) << "the next command must not stop at once";
    EXPECT_FALSE(rig.module.InBootLoader());
    EXPECT_FALSE(rig.port.IsOpen());
  }
}

}  // namespace
