// The serial side of the resize handler, and how a running transfer holds it back.
#include "transfer/transfer_activity.h"

#include <gtest/gtest.h>

#include "fakes/fake_clock.h"
#include "fakes/scripted_host.h"

namespace {

// Records what the link does to the port.
class RecordingPort : public comm::SerialPort {
 public:
  void Configure(const comm::PortSettings& settings) override { configured.push_back(settings); }
  void Open() override { open = true; }
  void Close() override { open = false; }
  bool IsOpen() const override { return open; }
  // The resize handler never talks on the line.
  void SetPort(const std::string&) override {}
  std::string Port() const override { return {}; }
  void ClearReceiveBuffer() override {}
  std::size_t BytesWaiting() override { return 0; }
  void WriteByte(comm::Byte) override {}
  comm::Byte ReadByte() override { return 0; }
  bool WaitForBytes(std::size_t, Deadline) override { return false; }
  std::optional<int> TakeLineEvent() override { return std::nullopt; }

  bool open = false;
  std::vector<comm::PortSettings> configured;
};

struct ActivityRig {
  ActivityRig() {
    link.Attach(port, clock);
    port.configured.clear();
    port.open = true;
    link.CommErrorCount = 3;
  }
  // True when the port was closed and set up again as a resize does; false when it was
  // closed only.
  bool ReconfiguredForResize() const {
    EXPECT_FALSE(port.open);
    if (port.configured.empty()) {
      EXPECT_EQ(link.CommErrorCount, 3);
      return false;
    }
    EXPECT_EQ(port.configured.size(), 1u);
    const comm::PortSettings& settings = port.configured.back();
    EXPECT_EQ(settings.line, "56000,N,8,1");
    EXPECT_FALSE(settings.nullDiscard);
    EXPECT_TRUE(settings.dtrEnable);
    EXPECT_FALSE(settings.rtsEnable);
    EXPECT_EQ(settings.inBufferSize, comm::kResizeInBufferSize);
    EXPECT_EQ(link.CommErrorCount, 0);
    return true;
  }

  fakes::FakeClock clock;
  fakes::ScriptedHost host;
  bool abortFlag = false;
  RecordingPort port;
  comm::Link link{host, abortFlag};
  transfer::TransferActivity activity{link};
};

TEST(ResizeSerialSide, AResizeSetsTheLineUpAgainAndMinimizingOnlyClosesThePort) {
  for (const bool minimized : {false, true}) {
    ActivityRig rig;
    rig.activity.FormResize(minimized);
    EXPECT_EQ(rig.ReconfiguredForResize(), !minimized);
  }
}

TEST(ResizeSerialSide, ATransferKeepsItsPortUntilItEndsAndThenTheWindowStateCounts) {
  for (const bool minimizedAtEnd : {false, true}) {
    ActivityRig rig;
    EXPECT_TRUE(rig.activity.Run(
        [&] {
          rig.activity.FormResize(false);
          rig.activity.FormResize(true);
          EXPECT_TRUE(rig.port.open);
          EXPECT_TRUE(rig.port.configured.empty());
        },
        [&] { return minimizedAtEnd; }));
    EXPECT_EQ(rig.ReconfiguredForResize(), !minimizedAtEnd);
  }
  ActivityRig unresized;
  unresized.activity.Run([] {}, [] { return false; });
  EXPECT_TRUE(unresized.port.open);
}

TEST(TransferActivity, OneTransferAtATimeAndAFailureStillEndsIt) {
  ActivityRig rig;
  int inner = 0;
  const auto transfer = [&] {
    EXPECT_TRUE(rig.activity.Running());
    EXPECT_FALSE(rig.activity.Run([&] { ++inner; }, [] { return false; }));
    rig.activity.FormResize(false);
    throw std::runtime_error("cable pulled");
  };
  EXPECT_THROW(rig.activity.Run(transfer, [] { return false; }), std::runtime_error);
  EXPECT_EQ(inner, 0);
  EXPECT_FALSE(rig.activity.Running());
  EXPECT_TRUE(rig.ReconfiguredForResize());
}

}  // namespace
