// Many uploads, each with one fault at a random byte of the exchange and random answers
// to the prompts: an upload either reports "Upload completed." with the module holding
// the image in application mode, or fails with a message; never anything in between.
#include <gtest/gtest.h>

#include <random>

#include "transfer/upload.h"
#include "transfer_rig.h"

namespace {

using core::Answer;

constexpr int kUploads = 500;
constexpr std::size_t kSentBytes = 2882;
constexpr int kRetriesInARow = 3;

// A byte the tool sends is lost or changed on the line, or a byte it receives is changed.
enum class LineFault { LoseSent, ChangeSent, ChangeReceived, None };

class FaultyPort : public sim::SimulatedPort {
 public:
  // The fault hits the byte with index at (from 0) in its direction; mask is XORed into
  // a changed byte and is never 0.
  FaultyPort(sim::QuillonModule& module, core::Clock& clock, LineFault fault, std::size_t at,
             comm::Byte mask)
      : SimulatedPort(module, clock), fault_(fault), at_(at), mask_(mask) {}

  void WriteByte(comm::Byte value) override {
    const bool hit = sent_++ == at_;
    if (hit && fault_ == LineFault::LoseSent) return;
    SimulatedPort::WriteByte(hit && fault_ == LineFault::ChangeSent ? value ^ mask_ : value);
  }
  comm::Byte ReadByte() override {
    const comm::Byte value = SimulatedPort::ReadByte();
    const bool hit = received_++ == at_ && fault_ == LineFault::ChangeReceived;
    return hit ? value ^ mask_ : value;
  }

 private:
  LineFault fault_;
  std::size_t at_;
  comm::Byte mask_;
  std::size_t sent_ = 0;
  std::size_t received_ = 0;
};

// Where each step's bytes lie in a whole upload to a JX module, so that every step gets
// its share of the faults.
struct Phase {
  std::size_t firstSent, endSent, firstReceived, endReceived;
};
constexpr Phase kPhases[] = {
    {0, 8, 0, 30},             // link check, status, identity, boot-load entry
    {8, 1348, 30, 1410},       // FLASH programming
    {1348, 2631, 1410, 3974},  // FLASH verification
    {2631, 2794, 3974, 4218},  // EEPROM programming
    {2794, 2877, 4218, 4382},  // EEPROM verification
    {2877, 2882, 4382, 4388},  // exit
};

// Answers prompts as a hurried user might: any button, but not Retry for ever.
class RandomUser : public fakes::ScriptedHost {
 public:
  explicit RandomUser(std::mt19937& random) : random_(random) {}
  Answer MsgBox(const std::string& text, const std::string& title, core::Buttons buttons,
                core::Icon icon) override {
    boxes.push_back({text, title, buttons, icon});
    if (buttons == core::Buttons::RetryCancel) {
      return random_() % 2 == 0 ? Answer::Retry : Answer::Cancel;
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

std::string RandomModuleFault(std::mt19937& random) {
  const char* commands[] = {"10", "11", "14", "15", "16", "17", "18", "19", "1D", "2F", "33"};
  const std::string command = commands[random() % std::size(commands)];
  switch (random() % 4) {
    case 0:
      return "drop-after=" + std::to_string(random() % kSentBytes);
    case 1:
      return "late=" + command + ":" + std::to_string(500 + random() % 1500);
    case 2:
      return "nak=" + command;
    default:
      return "flip-flash=" +
             std::to_string(core::kFLASHRegionFirstWord + random() % core::kFLASHRegionWords);
  }
}

TEST(UploadSoak, CompletedAlwaysMeansTheModuleHoldsTheImage) {
  std::mt19937 random(20260607);
  int completed = 0;
  for (int run = 0; run < kUploads; ++run) {
    const bool onTheLine = random() % 2 == 0;
    const auto lineFault = static_cast<LineFault>(random() % 3);
    const Phase& phase = kPhases[random() % std::size(kPhases)];
    const std::size_t at =
        lineFault == LineFault::ChangeReceived
            ? phase.firstReceived + random() % (phase.endReceived - phase.firstReceived)
            : phase.firstSent + random() % (phase.endSent - phase.firstSent);
    const auto mask = static_cast<comm::Byte>(1 + random() % 255);
    const std::string described = onTheLine ? "line fault " +
                                                  std::to_string(static_cast<int>(lineFault)) +
                                                  " at byte " + std::to_string(at)
                                            : RandomModuleFault(random);
    SCOPED_TRACE("run " + std::to_string(run) + ": " + described);

    fakes::FakeClock clock;
    RandomUser user(random);
    bool abortFlag = false;
    sim::QuillonModule module(sim::Edition::JX,
                              onTheLine ? sim::Faults{} : linktest::WithFaults({described}));
    FaultyPort port(module, clock, onTheLine ? lineFault : LineFault::None, at, mask);
    comm::Link link(user, abortFlag);
    link.Attach(port, clock);
    core::ModuleImage image = transfertest::HeldData(module.memories(), "JX", 1);
    const core::ModuleImage before = image;

    const transfer::Outcome outcome = transfer::Upload(image, link, user);
    ASSERT_FALSE(user.boxes.empty());
    const bool saidCompleted = user.boxes.back().text == transfer::kUploadCompleted;
    for (std::size_t i = 0; i + 1 < user.boxes.size(); ++i) {
      ASSERT_NE(user.boxes[i].text, transfer::kUploadCompleted);
    }
    ASSERT_EQ(saidCompleted, outcome == transfer::Outcome::Completed);
    if (saidCompleted) {
      const core::ModuleImage held = transfertest::RegionsOf(module.memories());
      ASSERT_EQ(held.FLASHBuffer, image.FLASHBuffer);
      ASSERT_EQ(held.EEPROMBuffer, image.EEPROMBuffer);
      ASSERT_FALSE(module.InBootLoader());
      ++completed;
    }
    ASSERT_EQ(image.FLASHBuffer, before.FLASHBuffer);
    ASSERT_EQ(image.EEPROMBuffer, before.EEPROMBuffer);
    ASSERT_FALSE(port.IsOpen());
  }
  // Many faults are harmless (a changed echo byte, a late reply that is retried).
  EXPECT_GT(completed, kUploads / 10);
  EXPECT_LT(completed, kUploads);
}

}  // namespace
