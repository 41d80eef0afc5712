// What the tool sends after an exchange failed half-way: the module echoes every byte it
// takes, so Retry goes on exactly where it stands, or, when that cannot be told, nothing
// more is sent and the module is left in its boot loader rather than written at random.
#include <gtest/gtest.h>

#include "transfer/download.h"
#include "transfer/module_checks.h"
#include "transfer/upload.h"
#include "transfer_rig.h"

namespace {

using core::Answer;
using transfer::Outcome;
using transfertest::TransferRig;
using namespace std::chrono_literals;

constexpr const char* kTimeout = "RS-232 timeout. Check cable and click Abort.";
constexpr const char* kFLASHFailed = "Upload aborted - FLASH programming failed.";
constexpr const char* kEEPROMFailed = "Upload aborted - EEPROM programming failed.";
constexpr const char* kExitFailed = "Upload aborted - ATmega failed to exit boot load mode.";
using transfer::kExitFailedAfterFailure;
// Received bytes of an upload to a Quillon II: the checks (1 to 4) and the entry key,
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

struct MidCommandCase {
  const char* name;
  std::string fault;
  std::vector<Answer> answers;
  std::vector<std::string> texts;
  // The prompt offered Retry: where the module stands was known.
  bool retryOffered;
  bool completed;
  // Resumed where it stood: the same bytes on the wire as an upload without the fault.
  bool sameWire = false;
};

TEST(MidCommandFailure, RetryGoesOnWhereTheModuleStandsOrIsNotOffered) {
  const std::string id = "Firmware ID: " + sim::FirmwareIDOf(sim::Edition::QL2Vosk);
  const std::string done = transfer::kUploadCompleted;
  const auto stallAfter = [](std::size_t byte) {
    return "stall=" + std::to_string(byte) + ":1500";
  };
  const auto lose = [](std::size_t byte) { return "lose=" + std::to_string(byte); };
  // clang-format off
  const MidCommandCase cases[] = {
      // Late echoes: every byte sent was taken, so Retry finishes the command.
      {"page load, after its 59th data byte", stallAfter(kFirstPageLoad + 59), {Answer::Retry},
       {id, kTimeout, done}, true, true, true},
      {"address, after its low byte", stallAfter(kFirstSetAddress + 1), {Answer::Retry},
       {id, kTimeout, done}, true, true},
      {"EEPROM write, after its command byte", stallAfter(kFirstEEPROMWrite), {Answer::Retry},
       {id, kTimeout, done}, true, true},
      {"entry key, after its first byte", stallAfter(kEntryKey), {Answer::Retry},
       {id, kTimeout, done}, true, true},
      // The module left its boot loader while the tool waited: the key sent again is refused.
      {"exit key, after its second byte", stallAfter(kExitKey + 1), {Answer::Retry},
       {id, kTimeout, kExitFailed}, true, false},
      // A byte without its echo: the module may wait for it or may have taken it.
      {"page load, its 60th data byte lost", lose(kFirstPageLoad + 60), {Answer::Abort},
       {id, kTimeout, kFLASHFailed, kExitFailedAfterFailure}, false, false},
      {"address, its high byte lost", lose(kFirstSetAddress + 2), {Answer::Ignore},
       {id, kTimeout, kFLASHFailed, kExitFailedAfterFailure}, false, false},
      {"EEPROM write, its data byte lost", lose(kFirstEEPROMWrite + 1), {Answer::Abort},
       {id, kTimeout, kEEPROMFailed, kExitFailedAfterFailure}, false, false},
      {"exit key, its last byte lost", lose(kExitKey + 4), {Answer::Abort},
       {id, kTimeout, kExitFailed}, false, false},
  };
  // clang-format on
  for (const MidCommandCase& c : cases) {
    SCOPED_TRACE(c.name);
    TransferRig rig(sim::Edition::QL2Vosk, transfertest::WithFaults({c.fault}));
    rig.image = transfertest::HeldData(rig.module.memories(), "QL2 VOSK", 1);
    rig.ExpectBoxes(c.texts, c.answers);

    const Outcome outcome = transfer::Upload(rig.image, rig.link, rig.host);
    EXPECT_EQ(rig.Texts(), c.texts);
    EXPECT_EQ(rig.host.boxes.at(1).buttons,
              c.retryOffered ? core::Buttons::AbortRetryIgnore : core::Buttons::AbortIgnore);
    EXPECT_EQ(outcome == Outcome::Completed, c.completed);
    EXPECT_TRUE(rig.module.StrayWrites().empty()) << rig.module.StrayWrites().front();
    const core::ModuleImage held = transfertest::RegionsOf(rig.module.memories());
    if (c.completed) {
      EXPECT_EQ(held.FLASHBuffer, rig.image.FLASHBuffer);
      EXPECT_EQ(held.EEPROMBuffer, rig.image.EEPROMBuffer);
    }
    if (c.sameWire) {
      EXPECT_EQ(rig.port.written(), WireOfCleanUpload(rig.image));
    }
    if (!c.retryOffered) {
      // Nothing went out after the byte the module may or may not have taken.
      const std::size_t lost = std::stoul(c.fault.substr(c.fault.find('=') + 1));
      EXPECT_EQ(rig.port.written().size(), lost);
      EXPECT_TRUE(rig.module.InBootLoader());
    }
  }
}

TEST(LateReplies, ALateReplyIsDrainedAndNeverReadByTheNextExchange) {
  // Every link check answered 1.2 s late: each is a failure, none is taken for the next.
  TransferRig slow(sim::Edition::JX, transfertest::WithFaults({"late-every=33:1200"}));
  slow.host.ExpectBox(Answer::OK);
  EXPECT_EQ(transfer::Download(slow.image, slow.link, slow.editor, slow.window, slow.host),
            Outcome::Failed);
  EXPECT_EQ(slow.Texts(), std::vector<std::string>{transfer::kNoLink});
  EXPECT_EQ(slow.CommandsSent(comm::kCmdReadStatus), 0u);

  // A page programming acknowledged 1.9 s late, then Abort: the exit reads its own reply.
  TransferRig late(sim::Edition::QL2Vosk, transfertest::WithFaults({"late=18:1900"}));
  late.image = transfertest::HeldData(late.module.memories(), "QL2 VOSK", 1);
  late.ExpectBoxes({"", kTimeout, kFLASHFailed}, {Answer::Abort});
  EXPECT_EQ(transfer::Upload(late.image, late.link, late.host), Outcome::Failed);
  EXPECT_EQ(late.Texts().back(), kFLASHFailed);
  EXPECT_FALSE(late.module.InBootLoader());
}

TEST(LateReplies, AReplyJustInsideTheQuietBoundIsDrained) {
  transfertest::TransferRig rig(sim::Edition::JX, transfertest::WithFaults({"late=33:2990"}));
  EXPECT_FALSE(rig.link.ReSync());
  // The reply came 1.99 s after the time-out; the line was then watched for the bound.
  EXPECT_GE(rig.clock.now, 2990ms + comm::kLateReplyBound);
  EXPECT_TRUE(rig.link.ReSync());
  EXPECT_EQ(rig.port.bytesRead(), 4u) << "two replies, each read once";
}

TEST(PortFailure, APortThatCannotBeOpenedEndsTheLinkCheckRetryTriesItOnceMore) {
  const std::string gone = "The serial port /dev/ttyS0 does not exist.";
  const std::vector<Answer> answers[] = {
      {Answer::Abort}, {Answer::Ignore}, {Answer::Retry, Answer::Ignore}};
  for (const std::vector<Answer>& prompts : answers) {
    TransferRig rig(sim::Edition::JX, transfertest::WithFaults({"vanish-after=0"}));
    std::vector<std::string> texts(prompts.size(), gone);
    texts.push_back(transfer::kNoLink);
    for (const Answer answer : prompts) rig.host.ExpectBox(answer);
    rig.host.ExpectBox(Answer::OK);
    EXPECT_EQ(transfer::Download(rig.image, rig.link, rig.editor, rig.window, rig.host),
              Outcome::Failed);
    EXPECT_EQ(rig.Texts(), texts);
    EXPECT_TRUE(rig.link.PortUnusable());
    EXPECT_TRUE(rig.port.written().empty());
  }
}

}  // namespace
