// Replies that come too late for their exchange, and a port that cannot be opened: what
// the tool reads and sends next. Failures half-way through a command are the upload's
// failing steps.
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
