// Download Data From Quillon against the simulated module: one edition of each generation
// and layout, each step's refusal and message, and what the image, identity and window
// hold after each outcome; replies that come too late for their exchange, and a port that
// cannot be opened.
#include "transfer/download.h"

#include <gtest/gtest.h>

#include "core/editions.h"
#include "transfer/module_checks.h"
#include "transfer_rig.h"

namespace {

using core::Answer;
using transfer::Outcome;
using transfertest::TransferRig;
using transfertest::WithFaults;
using Texts = std::vector<std::string>;
using namespace std::chrono_literals;

constexpr const char* kOverwrite = "Data buffer not empty. OK to overwrite?";
constexpr const char* kTimeout = "RS-232 timeout. Check cable and click Abort.";

Outcome Download(TransferRig& rig) {
  return transfer::Download(rig.image, rig.link, rig.editor, rig.window, rig.host);
}

// Data of another module in memory, shown in an open table.
void HoldOlderData(TransferRig& rig) {
  rig.image = transfertest::HeldData(sim::ExampleContents(sim::Edition::Vosk), "VOSK");
  rig.window.SetDataSourceText("tune.dat");
  rig.grid.SetVisible(true);
}

// The first generation and a restricted edition of the second: JX's own blank bytes are the
// editions' and the soak's tests, every edition's round trip is ventrel-cli's.
TEST(Download, EachGenerationFillsAnEmptyImageAndPreparesTheWindow) {
  const struct {
    sim::Edition edition;
    const char* moduleVersion;
    bool secondGeneration;
    bool editable;
  } cases[] = {
      {sim::Edition::Vosk, "VOSK", false, true},
      {sim::Edition::QL2KQ, "QL2 KQ", true, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.moduleVersion);
    TransferRig rig(c.edition);
    core::ModuleImage expected = transfertest::RegionsOf(rig.module.memories());
    expected.ModuleVersion = c.moduleVersion;
    core::MarkEdition(expected);
    core::ReplaceBlankBytes(expected);
    rig.host.ExpectBoxes({Answer::OK, Answer::OK});

    EXPECT_EQ(Download(rig), Outcome::Completed);
    EXPECT_EQ(rig.Texts(),
              (Texts{"Firmware ID: " + sim::FirmwareIDOf(c.edition), "Download completed."}));
    EXPECT_EQ(rig.image.FLASHBuffer, expected.FLASHBuffer);
    EXPECT_EQ(rig.image.EEPROMBuffer, expected.EEPROMBuffer);
    EXPECT_EQ(rig.image.ModuleVersion, c.moduleVersion);
    EXPECT_EQ(rig.image.EditionByteValue, expected.EEPROMBuffer[core::kEditionByte]);
    EXPECT_EQ(rig.view.captions.back(), "Ventrel Version 5.0 - Downloaded Data");
    Texts shown;
    for (const fakes::ProgressEvent& event : rig.host.progress) {
      if (event.kind == fakes::ProgressEvent::Kind::Show) shown.push_back(event.caption);
    }
    EXPECT_EQ(shown, (Texts{"Reading FLASH", "Reading EEPROM"}));
    EXPECT_EQ(rig.view.retardVisible, c.secondGeneration);
    EXPECT_EQ(rig.grid.editable, c.editable);
  }
}

TEST(Download, CancelAtTheOverwriteQuestionSendsNothingAndNewDataCloseTheTableOnArrival) {
  TransferRig rig;
  HoldOlderData(rig);
  const core::ModuleImage before = rig.image;
  rig.host.ExpectBox(Answer::Cancel);
  EXPECT_EQ(Download(rig), Outcome::Cancelled);
  EXPECT_EQ(rig.host.boxes,
            (std::vector<fakes::MessageBoxRecord>{
                {kOverwrite, "Download Data", core::Buttons::OKCancel, core::Icon::None}}));
  EXPECT_TRUE(rig.port.written().empty());
  EXPECT_EQ(rig.image.FLASHBuffer, before.FLASHBuffer);

  bool tableShownDuringRead = true;
  rig.host.whileYielding = [&](int) { tableShownDuringRead &= rig.grid.visible; };
  rig.host.ExpectBoxes({Answer::OK, Answer::OK, Answer::OK});
  EXPECT_EQ(Download(rig), Outcome::Completed);
  EXPECT_TRUE(tableShownDuringRead);
  EXPECT_FALSE(rig.grid.visible || rig.chart.visible);
}

// Whatever fails, the data in memory, their edition, the caption and the open table stay.
TEST(Download, EachFailingStepSaysSoAndKeepsTheDataInMemory) {
  const std::string jx = "Quillon II JX V2.4";
  const std::string id = "Firmware ID: " + jx;
  const struct {
    const char* faults;
    std::vector<Answer> answers;  // to the time-out prompts
    Texts texts;
    std::string firmwareID;
    bool leftInBootLoader;
  } cases[] = {
      // clang-format off
      {"silent", {}, {transfer::kNoLink}, "old module", false},
      {"late=2F:1500", {Answer::Abort}, {"RS-232 timeout. Check cable and click Abort or Retry."}, "old module", false},
      {"late=10:1500", {Answer::Abort}, {kTimeout, "Firmware ID read failed - cannot download."}, "", false},
      {"id=Marrowby bench unit", {}, {"Invalid firmware ID - cannot download."}, "Marrowby bench unit", false},
      // The module took the key but answered it wrongly: no exit is tried.
      {"nak=11", {}, {id, "Download aborted - ATmega failed to enter boot load mode."}, jx, true},
      // Ignore after the low byte of a word: the word is not kept half read, the read stops.
      {"late=19:1500", {Answer::Ignore}, {id, kTimeout, "FLASH download failed."}, jx, false},
      {"late=15:1500", {Answer::Abort}, {id, kTimeout, "EEPROM download failed."}, jx, false},
      {"drop-after=1374", {Answer::Abort}, {id, kTimeout, "Download aborted - ATmega failed to exit boot load mode."}, jx, true},
      // clang-format on
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.faults);
    TransferRig rig(sim::Edition::JX, WithFaults({c.faults}));
    HoldOlderData(rig);
    const core::ModuleImage before = rig.image;
    const std::string caption = rig.view.captions.back();
    Texts texts = {kOverwrite};
    texts.insert(texts.end(), c.texts.begin(), c.texts.end());
    rig.ExpectBoxes(texts, c.answers);

    EXPECT_EQ(Download(rig), Outcome::Failed);
    EXPECT_EQ(rig.Texts(), texts);
    EXPECT_EQ(rig.image.FLASHBuffer, before.FLASHBuffer);
    EXPECT_EQ(rig.image.EEPROMBuffer, before.EEPROMBuffer);
    EXPECT_EQ(rig.image.ModuleVersion, "VOSK");
    EXPECT_EQ(rig.image.FirmwareID, c.firmwareID);
    EXPECT_EQ(rig.view.captions.back(), caption);
    EXPECT_TRUE(rig.grid.visible);
    EXPECT_EQ(rig.module.InBootLoader(), c.leftInBootLoader);
  }
}

TEST(Download, EscStopsEitherReadAndTheModuleLeavesItsBootLoader) {
  // Yields: one before the link check, then one per FLASH word and per EEPROM byte.
  for (const int escAtYield : {100, 700}) {
    SCOPED_TRACE(escAtYield);
    TransferRig rig;
    rig.host.whileYielding = [&](int yield) { rig.AbortFlag |= yield == escAtYield; };
    rig.host.ExpectBoxes({Answer::OK, Answer::OK});
    EXPECT_EQ(Download(rig), Outcome::Failed);
    EXPECT_EQ(rig.Texts().back(),
              escAtYield < 641 ? "FLASH download failed." : "EEPROM download failed.");
    EXPECT_FALSE(rig.AbortFlag || rig.module.InBootLoader());
  }
}

TEST(Download, AModuleThatAnswersOnlyOnTheFourthLinkCheckIsStillRead) {
  // Each failed check waits one second and drains the line for the quiet bound; the third
  // drains the answers held back until 7.5 s, the fourth is answered.
  TransferRig late(sim::Edition::JX, WithFaults({"busy=7500"}));
  late.host.ExpectBoxes({Answer::OK, Answer::OK});
  EXPECT_EQ(Download(late), Outcome::Completed);
  EXPECT_EQ(late.CommandsSent(comm::kCmdReSync), 4u);
}

// Late link-check replies drained one by one are the busy module's case above; a late
// reply inside the boot loader, and the exit that follows, is a failing step's row.
TEST(LateReplies, AReplyJustInsideTheQuietBoundIsDrained) {
  TransferRig rig(sim::Edition::JX, WithFaults({"late=33:2990"}));
  EXPECT_FALSE(rig.link.ReSync());
  // The reply came 1.99 s after the time-out; the line was then watched for the bound.
  EXPECT_GE(rig.clock.now, 2990ms + comm::kLateReplyBound);
  EXPECT_TRUE(rig.link.ReSync());
  EXPECT_EQ(rig.port.bytesRead(), 4u) << "two replies, each read once";
}

// Retry tries the port once more; Abort ends at once as Ignore does.
TEST(PortFailure, APortThatCannotBeOpenedEndsTheLinkCheckRetryTriesItOnceMore) {
  const std::string gone = "The serial port /dev/ttyS0 does not exist.";
  TransferRig rig(sim::Edition::JX, WithFaults({"vanish-after=0"}));
  rig.host.ExpectBoxes({Answer::Retry, Answer::Ignore, Answer::OK});
  EXPECT_EQ(Download(rig), Outcome::Failed);
  EXPECT_EQ(rig.Texts(), (Texts{gone, gone, transfer::kNoLink}));
  EXPECT_TRUE(rig.link.PortUnusable());
  EXPECT_TRUE(rig.port.written().empty());
}

}  // namespace
