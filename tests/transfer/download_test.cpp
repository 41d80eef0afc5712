// Download Data From Quillon against the simulated module: every edition, each step's
// refusal and message, and what the image, identity and window hold after each outcome.
#include "transfer/download.h"

#include <gtest/gtest.h>

#include "core/editions.h"
#include "transfer/module_checks.h"
#include "transfer/module_read.h"
#include "transfer_rig.h"

namespace {

using core::Answer;
using transfer::Outcome;
using transfertest::TransferRig;
using transfertest::WithFaults;

constexpr const char* kOverwrite = "Data buffer not empty. OK to overwrite?";
constexpr const char* kTimeout = "RS-232 timeout. Check cable and click Abort.";
constexpr const char* kStatusTimeout = "RS-232 timeout. Check cable and click Abort or Retry.";

Outcome Download(TransferRig& rig) {
  return transfer::Download(rig.image, rig.link, rig.editor, rig.window, rig.host);
}

// Data of another module in memory, shown in an open table.
void HoldOlderData(TransferRig& rig) {
  rig.image = transfertest::HeldData(sim::ExampleContents(sim::Edition::Vosk), "VOSK");
  rig.window.SetDataSourceText("tune.dat");
  rig.grid.SetVisible(true);
}

struct EditionCase {
  sim::Edition edition;
  const char* moduleVersion;
  bool secondGeneration;
  bool editable;
};

TEST(Download, EveryEditionFillsAnEmptyImageAndPreparesTheWindow) {
  const EditionCase cases[] = {
      {sim::Edition::Vosk, "VOSK", false, true},
      {sim::Edition::KQ, "KQ", false, false},
      {sim::Edition::QL2Vosk, "QL2 VOSK", true, true},
      {sim::Edition::QL2KQ, "QL2 KQ", true, false},
      {sim::Edition::JX, "JX", true, true},
  };
  for (const EditionCase& c : cases) {
    SCOPED_TRACE(c.moduleVersion);
    TransferRig rig(c.edition);
    core::ModuleImage expected = transfertest::RegionsOf(rig.module.memories());
    expected.ModuleVersion = c.moduleVersion;
    core::MarkEdition(expected);
    core::ReplaceBlankBytes(expected);
    rig.host.ExpectBox(Answer::OK);
    rig.host.ExpectBox(Answer::OK);

    EXPECT_EQ(Download(rig), Outcome::Completed);
    EXPECT_EQ(rig.Texts(), (std::vector<std::string>{"Firmware ID: " + sim::FirmwareIDOf(c.edition),
                                                     "Download completed."}));
    for (const auto& box : rig.host.boxes) {
      EXPECT_EQ(box.title, "Download Data");
      EXPECT_EQ(box.buttons, core::Buttons::OK);
      EXPECT_EQ(box.icon, core::Icon::Exclamation);
    }
    EXPECT_EQ(rig.image.FLASHBuffer, expected.FLASHBuffer);
    EXPECT_EQ(rig.image.EEPROMBuffer, expected.EEPROMBuffer);
    EXPECT_FALSE(rig.image.FLASHBufferEmpty);
    EXPECT_FALSE(rig.image.EEPROMBufferEmpty);
    EXPECT_EQ(rig.image.FirmwareID, sim::FirmwareIDOf(c.edition));
    EXPECT_EQ(rig.image.ModuleVersion, c.moduleVersion);
    EXPECT_EQ(rig.image.EditionByteValue, expected.EEPROMBuffer[core::kEditionByte]);
    EXPECT_EQ(rig.window.DataSourceText, "Downloaded Data");
    EXPECT_EQ(rig.view.captions.back(), "Ventrel Version 5.0 - Downloaded Data");
    EXPECT_EQ(rig.view.retardVisible, c.secondGeneration);
    EXPECT_EQ(rig.editor.TableEditPermission(), c.editable);
    EXPECT_EQ(rig.grid.editable, c.editable);
    EXPECT_FALSE(rig.module.InBootLoader());
    EXPECT_FALSE(rig.port.IsOpen());

    // The module read of a comparison gives the same data and leaves memory alone.
    TransferRig reader(c.edition);
    HoldOlderData(reader);
    const core::ModuleImage held = reader.image;
    reader.host.ExpectBox(Answer::OK);
    const std::optional<core::ModuleImage> read =
        transfer::ReadModule(reader.link, reader.host, "Compare With Quillon");
    ASSERT_TRUE(read);
    EXPECT_EQ(read->FLASHBuffer, expected.FLASHBuffer);
    EXPECT_EQ(read->EEPROMBuffer, expected.EEPROMBuffer);
    EXPECT_EQ(read->ModuleVersion, c.moduleVersion);
    EXPECT_EQ(reader.image.FLASHBuffer, held.FLASHBuffer);
    EXPECT_EQ(reader.image.FirmwareID, "old module");
    EXPECT_EQ(reader.host.boxes.at(0).title, "Compare With Quillon");
    EXPECT_FALSE(reader.port.IsOpen());
  }
}

TEST(Download, CancelAtTheOverwriteQuestionSendsNothing) {
  TransferRig rig;
  HoldOlderData(rig);
  const core::ModuleImage before = rig.image;
  rig.host.ExpectBox(Answer::Cancel);
  EXPECT_EQ(Download(rig), Outcome::Cancelled);
  ASSERT_EQ(rig.host.boxes.size(), 1u);
  EXPECT_EQ(rig.host.boxes[0].text, kOverwrite);
  EXPECT_EQ(rig.host.boxes[0].buttons, core::Buttons::OKCancel);
  EXPECT_EQ(rig.host.boxes[0].icon, core::Icon::None);
  EXPECT_TRUE(rig.port.written().empty());
  EXPECT_EQ(rig.image.FLASHBuffer, before.FLASHBuffer);
  EXPECT_TRUE(rig.grid.visible);
}

TEST(Download, NewDataCloseTheOpenTableOnlyWhenTheyHaveArrived) {
  TransferRig rig(sim::Edition::QL2Vosk);
  HoldOlderData(rig);
  bool tableShownDuringRead = true;
  rig.host.whileYielding = [&](int) { tableShownDuringRead &= rig.grid.visible; };
  for (int i = 0; i < 3; ++i) rig.host.ExpectBox(Answer::OK);
  EXPECT_EQ(Download(rig), Outcome::Completed);
  EXPECT_TRUE(tableShownDuringRead);
  EXPECT_FALSE(rig.grid.visible);
  EXPECT_FALSE(rig.chart.visible);
  EXPECT_EQ(rig.image.ModuleVersion, "QL2 VOSK");
}

struct FailureCase {
  const char* name;
  const char* faults;
  // Answers to the time-out prompts.
  std::vector<Answer> answers;
  std::vector<std::string> texts;
  std::string firmwareID;
  bool leftInBootLoader;
};

// Whatever fails, the data in memory, their edition, the caption and the open table stay.
TEST(Download, EachFailingStepSaysSoAndKeepsTheDataInMemory) {
  const std::string jx = "Quillon II JX V2.4";
  const std::string id = "Firmware ID: " + jx;
  const std::string exitFailed = "Error - ATmega failed to exit boot load mode.";
  // clang-format off
  const FailureCase cases[] = {
      {"no link", "silent", {},
       {"Cannot establish RS-232 link. Check cable and module power."}, "old module", false},
      {"engine started", "engine-started", {},
       {"Cannot download after engine has been started."}, "old module", false},
      {"status time-out", "late=2F:1500", {Answer::Abort}, {kStatusTimeout}, "old module", false},
      {"firmware ID time-out", "late=10:1500", {Answer::Abort},
       {kTimeout, "Firmware ID read failed - cannot download."}, "", false},
      {"unknown firmware ID", "id=Marrowby bench unit", {},
       {"Invalid firmware ID - cannot download."}, "Marrowby bench unit", false},
      {"empty firmware ID", "id=", {}, {"Invalid firmware ID - cannot download."}, "", false},
      // The module took the key but answered it wrongly: no exit is tried.
      {"boot loader refused", "nak=11", {},
       {id, "Download aborted - ATmega failed to enter boot load mode."}, jx, true},
      {"FLASH address refused", "nak=14", {}, {id, "FLASH download failed."}, jx, false},
      {"module gone during the FLASH read", "drop-after=500", {Answer::Abort, Answer::Abort},
       {id, kTimeout, "FLASH download failed.", kTimeout, exitFailed}, jx, true},
      {"Ignore on the FLASH read's time-out", "drop-after=500", {Answer::Ignore, Answer::Ignore},
       {id, kTimeout, "FLASH download failed.", kTimeout, exitFailed}, jx, true},
      {"late EEPROM byte", "late=15:1500", {Answer::Abort},
       {id, kTimeout, "EEPROM download failed."}, jx, false},
      {"module gone before the exit", "drop-after=1374", {Answer::Abort},
       {id, kTimeout, "Download aborted - ATmega failed to exit boot load mode."}, jx, true},
  };
  // clang-format on
  for (const FailureCase& c : cases) {
    SCOPED_TRACE(c.name);
    TransferRig rig(sim::Edition::JX, WithFaults({c.faults}));
    HoldOlderData(rig);
    const core::ModuleImage before = rig.image;
    const std::string caption = rig.view.captions.back();
    std::vector<std::string> texts = {kOverwrite};
    texts.insert(texts.end(), c.texts.begin(), c.texts.end());
    rig.ExpectBoxes(texts, c.answers);

    EXPECT_EQ(Download(rig), Outcome::Failed);
    EXPECT_EQ(rig.Texts(), texts);
    EXPECT_EQ(rig.image.FLASHBuffer, before.FLASHBuffer);
    EXPECT_EQ(rig.image.EEPROMBuffer, before.EEPROMBuffer);
    EXPECT_FALSE(rig.image.FLASHBufferEmpty);
    EXPECT_FALSE(rig.image.EEPROMBufferEmpty);
    EXPECT_EQ(rig.image.ModuleVersion, "VOSK");
    EXPECT_EQ(rig.image.FirmwareID, c.firmwareID);
    EXPECT_EQ(rig.view.captions.back(), caption);
    EXPECT_TRUE(rig.grid.visible);
    EXPECT_EQ(rig.module.InBootLoader(), c.leftInBootLoader);
    EXPECT_FALSE(rig.port.IsOpen());

    // A comparison's module read fails with the same messages and touches nothing held.
    TransferRig reader(sim::Edition::JX, WithFaults({c.faults}));
    HoldOlderData(reader);
    reader.ExpectBoxes(c.texts, c.answers);
    EXPECT_FALSE(transfer::ReadModule(reader.link, reader.host));
    EXPECT_EQ(reader.Texts(), c.texts);
    EXPECT_EQ(reader.image.EEPROMBuffer, before.EEPROMBuffer);
    EXPECT_EQ(reader.image.FirmwareID, "old module");
    EXPECT_EQ(reader.module.InBootLoader(), c.leftInBootLoader);
  }
}

TEST(Download, EscStopsEitherReadAndTheModuleLeavesItsBootLoader) {
  // Yields: one before the link check, then one per FLASH word and per EEPROM byte.
  for (const int escAtYield : {100, 700}) {
    SCOPED_TRACE(escAtYield);
    TransferRig rig;
    rig.host.whileYielding = [&](int yield) {
      if (yield == escAtYield) rig.AbortFlag = true;
    };
    rig.host.ExpectBox(Answer::OK);
    rig.host.ExpectBox(Answer::OK);
    EXPECT_EQ(Download(rig), Outcome::Failed);
    EXPECT_EQ(rig.Texts().back(),
              escAtYield < 641 ? "FLASH download failed." : "EEPROM download failed.");
    EXPECT_TRUE(rig.image.FLASHBufferEmpty);
    EXPECT_TRUE(rig.image.EEPROMBufferEmpty);
    EXPECT_EQ(rig.image.FLASHBuffer, core::ModuleImage{}.FLASHBuffer);
    EXPECT_FALSE(rig.AbortFlag);
    EXPECT_FALSE(rig.module.InBootLoader());
  }
}

TEST(Download, AModuleThatAnswersOnlyOnTheFourthLinkCheckIsStillRead) {
  // Each failed check waits one second and drains the line for the quiet bound; the third
  // drains the answers held back until 7.5 s, the fourth is answered.
  TransferRig late(sim::Edition::JX, WithFaults({"busy=7500"}));
  late.host.ExpectBox(Answer::OK);
  late.host.ExpectBox(Answer::OK);
  EXPECT_EQ(Download(late), Outcome::Completed);
  EXPECT_EQ(late.CommandsSent(comm::kCmdReSync), 4u);
}

}  // namespace
