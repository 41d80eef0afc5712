// Whatever the module sends back, garbage, short replies or nothing, every command ends
// within its deadlines and never claims a success that the bytes did not carry.
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <random>

#include "fakes/fake_clock.h"
#include "fakes/scripted_host.h"
#include "link/link.h"

namespace {

using namespace std::chrono_literals;
using comm::Byte;

// Answers every written byte with zero to three random bytes, at once.
class GarbagePort : public core::SerialPort {
 public:
  GarbagePort(core::Clock& clock, unsigned seed) : clock_(clock), random_(seed) {}

  void SetPort(const std::string& device) override { device_ = device; }
  std::string Port() const override { return device_; }
  void Configure(const core::PortSettings&) override {}
  void Open() override { open_ = true; }
  void Close() override { open_ = false; }
  bool IsOpen() const override { return open_; }
  void ClearReceiveBuffer() override { incoming_.clear(); }
  std::size_t BytesWaiting() override { return incoming_.size(); }
  void WriteByte(Byte) override {
    for (unsigned n = random_() % 4; n > 0; --n) incoming_.push_back(static_cast<Byte>(random_()));
  }
  Byte ReadByte() override {
    lastRead = incoming_.front();
    incoming_.pop_front();
    ++reads;
    return lastRead;
  }
  bool WaitForBytes(std::size_t count, Deadline deadline) override {
    if (open_ && incoming_.size() >= count) return true;
    if (deadline > clock_.Now()) clock_.DelayTimer(deadline - clock_.Now());
    return false;
  }
  std::optional<int> TakeLineEvent() override { return std::nullopt; }

  int reads = 0;
  Byte lastRead = 0;

 private:
  core::Clock& clock_;
  std::mt19937 random_;
  std::string device_;
  bool open_ = false;
  std::deque<Byte> incoming_;
};

struct GarbageRig {
  explicit GarbageRig(unsigned seed) : port(clock, seed) {
    link.Attach(port, clock);
    // Nobody at the keyboard: every prompt is answered with Ignore.
    host.answerEvery = [](core::Buttons buttons) {
      return buttons == core::Buttons::AbortRetryIgnore ? core::Answer::Ignore
                                                        : core::Answer::Cancel;
    };
  }
  fakes::FakeClock clock;
  GarbagePort port;
  fakes::ScriptedHost host;
  bool abortFlag = false;
  comm::Link link{host, abortFlag};
};

TEST(GarbageReplies, EveryCommandEndsWithinItsDeadlines) {
  for (unsigned seed = 1; seed <= 40; ++seed) {
    GarbageRig rig(seed);
    comm::Link& link = rig.link;
    core::ModuleImage image;
    const std::vector<Byte> page(256, 0x5A);
    const struct {
      const char* name;
      std::function<void()> command;
      core::Clock::Duration limit;
    } commands[] = {
        {"ReSync", [&] { link.ReSync(); }, 1100ms},
        {"ReadStatus", [&] { link.ReadStatus(); }, 1100ms},
        {"ReadFirmwareID", [&] { link.ReadFirmwareID(image); }, 2100ms},
        // The exit key and the page erase take the entry key's and the address's path.
        {"EnterBootLoad", [&] { link.EnterBootLoad(); }, 2100ms},
        {"SetAddress", [&] { link.SetAddress(0x3100); }, 2100ms},
        {"ReadFLASH", [&] { link.ReadFLASH(); }, 2100ms},
        {"WriteBuffer", [&] { link.WriteBuffer(page); }, 3s},
    };
    for (const auto& c : commands) {
      const auto start = rig.clock.now;
      c.command();
      // The garbage stops when the tool stops sending: the drain ends one quiet bound later.
      EXPECT_LE(rig.clock.now - start, c.limit + comm::kLateReplyBound)
          << c.name << " seed " << seed;
    }
  }
}

TEST(GarbageReplies, AcknowledgedCommandsSucceedOnlyOnACompleteAcknowledgedReply) {
  for (unsigned seed = 1; seed <= 900; ++seed) {
    GarbageRig rig(seed);
    for (const bool erase : {false, true}) {
      rig.port.reads = 0;
      const bool ok = erase ? rig.link.ErasePage() : rig.link.ReSync();
      EXPECT_EQ(ok, rig.port.reads == 2 && rig.port.lastRead == comm::kACK) << seed;
    }
  }
}

}  // namespace
