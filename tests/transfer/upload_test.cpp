// Upload Data To Quillon against the simulated module: which data each edition takes,
// each step's refusal and message, FirmwareID and ModuleVersion after each outcome, and
// that "Upload completed." always means both regions were read back equal.
#include "transfer/upload.h"

#include <gtest/gtest.h>

#include <tuple>

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

// Received bytes of an upload to a Quillon II: the checks (1 to 4), the entry key (5 to 9),
// then per page SetAddress, ErasePage, the page load (0x17 and 128 bytes), WritePage.
constexpr std::size_t kFirstPageLoad = 13;
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

// One module per branch of the table above: taken, and each refusal.
TEST(Upload, AModuleTakesOnlyTheDataItsEditionCanRun) {
  const struct {
    const char* data;
    sim::Edition module;
    const char* moduleVersion;
    const char* refusal;  // empty when the module takes the data
  } cases[] = {
      {"KQ", sim::Edition::Vosk, "VOSK", ""},
      {"JX", sim::Edition::KQ, "KQ", kVoskToKQ},
      {"", sim::Edition::JX, "JX", kStandardToJX},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.data) + " data to " + c.moduleVersion);
    const bool taken = *c.refusal == '\0';
    TransferRig rig(c.module);
    HoldDataFor(rig, c.data);
    const core::ModuleImage was = transfertest::RegionsOf(rig.module.memories());
    rig.host.ExpectBoxes({Answer::OK, Answer::OK});

    EXPECT_EQ(Upload(rig), taken ? Outcome::Completed : Outcome::Failed);
    const std::string id = "Firmware ID: " + sim::FirmwareIDOf(c.module);
    EXPECT_EQ(
        rig.host.boxes.back(),
        (fakes::MessageBoxRecord{taken ? kCompleted : c.refusal, "Upload Data", core::Buttons::OK,
                                 taken ? core::Icon::Exclamation : core::Icon::None}));
    EXPECT_EQ(rig.Texts().front(), id);
    // What lies outside the regions is the soak's to watch.
    const core::ModuleImage held = transfertest::RegionsOf(rig.module.memories());
    EXPECT_EQ(held.FLASHBuffer, (taken ? rig.image : was).FLASHBuffer);
    EXPECT_EQ(held.EEPROMBuffer, (taken ? rig.image : was).EEPROMBuffer);
    EXPECT_TRUE(taken || rig.CommandsSent(comm::kCmdBootLoadKey) == 0) << "no boot loader entered";
    EXPECT_FALSE(rig.module.InBootLoader());
    EXPECT_EQ(rig.image.FirmwareID, sim::FirmwareIDOf(c.module));
    EXPECT_EQ(rig.image.ModuleVersion, taken ? c.moduleVersion : c.data)
        << "refused data keep their edition";
  }
}

// Either memory empty is enough; the second of the two is checked.
TEST(Upload, AnEmptyImageHasNothingToUpload) {
  TransferRig rig;
  HoldDataFor(rig, "JX");
  rig.image.EEPROMBufferEmpty = true;
  rig.host.ExpectBox(Answer::OK);
  EXPECT_EQ(Upload(rig), Outcome::Failed);
  EXPECT_EQ(
      rig.host.boxes,
      (std::vector<fakes::MessageBoxRecord>{{"No data available for uploading.", "Upload Data",
                                             core::Buttons::OK, core::Icon::Exclamation}}));
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
      // finishes the command where it stands. Every command resumes the same way.
      {stall(kFirstPageLoad + 59), {Answer::Retry}, {id, kTimeout, kCompleted}, ql2, "ii"},
      // The module left its boot loader while the tool waited: the key sent again is refused.
      {stall(kExitKey + 1), {Answer::Retry}, {id, kTimeout, exitFailed}, ql2, "ii"},
      // A byte without its echo: the module may wait for it or may have taken it. No Retry
      // is offered and nothing more is sent, the exit included. Any command's lost echo
      // ends the same way.
      {lose(kFirstPageLoad + 60), {Answer::Abort}, {id, kTimeout, "Upload aborted - FLASH programming failed.", transfer::kExitFailedAfterFailure}, ql2, "?ob"},
      {lose(kExitKey + 4), {Answer::Abort}, {id, kTimeout, exitFailed}, ql2, "iib"},
      // clang-format on
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.fault);
    TransferRig rig(sim::Edition::QL2Vosk, transfertest::WithFaults({c.fault}));
    HoldDataFor(rig, "JX");
    const core::ModuleImage was = transfertest::RegionsOf(rig.module.memories());
    rig.ExpectBoxes(c.texts, c.answers);

    const Outcome outcome = Upload(rig);
    EXPECT_EQ(outcome == Outcome::Completed, c.texts.back() == kCompleted);
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

}  // namespace
