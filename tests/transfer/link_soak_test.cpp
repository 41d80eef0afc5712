// Many downloads and uploads, each with one fault of the module or the line and random
// answers to the prompts. Whatever happens, nothing outside the transferred regions is
// written, every run ends, "Upload completed." means the module holds the image and a
// completed download brings exactly the module's data.
#include <gtest/gtest.h>

#include <random>

#include "core/editions.h"
#include "transfer/download.h"
#include "transfer/upload.h"
#include "transfer_rig.h"

namespace {

using core::Answer;
using transfer::Outcome;
using namespace std::chrono_literals;

constexpr int kRuns = 500;
// Bytes an upload sends; a download sends fewer.
constexpr std::size_t kUploadBytes = 2882;
constexpr std::size_t kDownloadBytes = 1380;
constexpr int kRetriesInARow = 3;
// Generous: five link checks, a few prompts answered Retry, each with its drain.
constexpr auto kLongestRun = 10min;

// Answers prompts as a hurried user might: any button offered, but not Retry for ever.
class RandomUser {
 public:
  explicit RandomUser(std::mt19937& random) : random_(random) {}
  Answer operator()(core::Buttons buttons) {
    if (buttons == core::Buttons::RetryCancel) {
      return random_() % 2 == 0 ? Answer::Retry : Answer::Cancel;
    }
    if (buttons == core::Buttons::AbortIgnore) {
      return random_() % 2 == 0 ? Answer::Abort : Answer::Ignore;
    }
    if (buttons != core::Buttons::AbortRetryIgnore) return Answer::OK;
    const Answer answers[] = {Answer::Abort, Answer::Retry, Answer::Ignore};
    Answer answer = answers[random_() % 3];
    if (answer == Answer::Retry && ++retries_ > kRetriesInARow) answer = Answer::Abort;
    if (answer != Answer::Retry) retries_ = 0;
    return answer;
  }

 private:
  std::mt19937& random_;
  int retries_ = 0;
};

std::string RandomFault(std::mt19937& random, std::size_t bytesSent) {
  const char* commands[] = {"10", "11", "14", "15", "16", "17", "18", "19", "1D", "2F", "33"};
  const std::string command = commands[random() % std::size(commands)];
  const std::string byte = std::to_string(1 + random() % bytesSent);
  const std::string delay = std::to_string(500 + random() % 2001);
  const std::string word =
      std::to_string(core::kFLASHRegionFirstWord + random() % core::kFLASHRegionWords);
  const std::string faults[] = {"drop-after=" + byte, "late=" + command + ":" + delay,
                                "nak=" + command,     "stall=" + byte + ":" + delay,
                                "lose=" + byte,       "vanish-after=" + byte,
                                "flip-flash=" + word};
  return faults[random() % std::size(faults)];
}

TEST(LinkSoak, NothingIsWrittenOutsideTheRegionsAndCompletedMeansTheDataArrived) {
  for (const bool upload : {true, false}) {
    std::mt19937 random(upload ? 20261207 : 20261208);
    int completed = 0;
    for (int run = 0; run < kRuns; ++run) {
      const std::string fault = RandomFault(random, upload ? kUploadBytes : kDownloadBytes);
      SCOPED_TRACE((upload ? "upload " : "download ") + std::to_string(run) + ": " + fault);
      transfertest::TransferRig rig(sim::Edition::JX, transfertest::WithFaults({fault}));
      rig.host.answerEvery = RandomUser(random);
      if (upload) rig.image = transfertest::HeldData(rig.module.memories(), "JX", 1);
      const core::ModuleImage before = rig.image;
      const sim::Memories was = rig.module.memories();

      const Outcome outcome =
          upload ? transfer::Upload(rig.image, rig.link, rig.host)
                 : transfer::Download(rig.image, rig.link, rig.editor, rig.window, rig.host);
      ASSERT_LT(rig.clock.now, kLongestRun);
      // The module notes every page or byte it changes outside the regions.
      ASSERT_TRUE(rig.module.StrayWrites().empty()) << rig.module.StrayWrites().front();
      ASSERT_FALSE(rig.port.IsOpen());
      const bool saidCompleted = !rig.host.boxes.empty() &&
                                 rig.host.boxes.back().text ==
                                     (upload ? transfer::kUploadCompleted : "Download completed.");
      ASSERT_EQ(saidCompleted, outcome == Outcome::Completed);
      completed += saidCompleted;
      if (upload) {
        // Completed: the module holds the image; the image itself never changes.
        const core::ModuleImage held = transfertest::RegionsOf(rig.module.memories());
        ASSERT_TRUE(!saidCompleted || held.FLASHBuffer == rig.image.FLASHBuffer);
        ASSERT_TRUE(!saidCompleted || held.EEPROMBuffer == rig.image.EEPROMBuffer);
        ASSERT_EQ(rig.image.FLASHBuffer, before.FLASHBuffer);
        continue;
      }
      // A download never writes; completed, it brings exactly the module's data.
      ASSERT_EQ(rig.module.memories().flash, was.flash);
      ASSERT_EQ(rig.module.memories().eeprom, was.eeprom);
      core::ModuleImage expected = transfertest::RegionsOf(was);
      expected.ModuleVersion = "JX";
      core::ReplaceBlankBytes(expected);
      ASSERT_EQ(rig.image.FLASHBuffer, saidCompleted ? expected.FLASHBuffer : before.FLASHBuffer);
      ASSERT_EQ(rig.image.EEPROMBuffer,
                saidCompleted ? expected.EEPROMBuffer : before.EEPROMBuffer);
      ASSERT_EQ(rig.image.FLASHBufferEmpty, !saidCompleted);
    }
    // Many faults are harmless (a late reply that is retried, a stall that is waited out).
    EXPECT_GT(completed, kRuns / 10);
    EXPECT_LT(completed, kRuns);
  }
}

}  // namespace
