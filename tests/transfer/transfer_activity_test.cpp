// The serial side of the resize handler, and how a running transfer holds it back.
#include "transfer/transfer_activity.h"

#include <gtest/gtest.h>

#include "fakes/fake_clock.h"
#include "fakes/scripted_host.h"

namespace {

// Records what the link does to the port.
class RecordingPort : public comm::SerialPort {
 public:
  void SetPort(const std::string& device) override { device_ = device; }
  std::string Port() const override { return device_; }
  void Configure(const comm::PortSettings& settings) override { configured.push_back(settings); }
  void Open() override { open = true; }
  void Close() override { open = false; }
  bool IsOpen() const override { return open; }
  void ClearReceiveBuffer() override {}
  std::size_t BytesWaiting() override { return 0; }
  void WriteByte(comm::Byte) override {}
  comm::Byte ReadByte() override { return 0; }
  bool WaitForBytes(std::size_t, Deadline) override { return false; }
  std::optional<int> TakeLineEvent() override { return std::nullopt; }

  bool open = false;
  std::vector<comm::PortSettings> configured;

 private:
  std::string device_;
};

struct ActivityRig {
  ActivityRig() {
    link.Attach(port, clock);
    port.configured.clear();
    port.open = true;
    link.CommErrorCount = 3;
  }
  fakes::FakeClock clock;
  fakes::ScriptedHost host;
  bool abortFlag = false;
  RecordingPort port;
  comm::Link link{host, abortFlag};
  transfer::TransferActivity activity{link};
};

TEST(ResizeSerialSide, ResizeClosesThePortAndSetsTheLineUpWithTheSmallBuffer) {
  ActivityRig rig;
  rig.activity.FormResize(false);
  EXPECT_FALSE(rig.port.open);
  ASSERT_EQ(rig.port.configured.size(), 1u);
  const comm::PortSettings& settings = rig.port.configured[0];
  EXPECT_EQ(settings.line, "56000,N,8,1");
  EXPECT_FALSE(settings.nullDiscard);
  EXPECT_TRUE(settings.dtrEnable);
  EXPECT_FALSE(settings.rtsEnable);
  EXPECT_EQ(settings.inBufferSize, comm::kResizeInBufferSize);
  EXPECT_EQ(rig.link.CommErrorCount, 0);
}

TEST(ResizeSerialSide, MinimizingOnlyClosesThePort) {
  ActivityRig rig;
  rig.activity.FormResize(true);
  EXPECT_FALSE(rig.port.open);
  EXPECT_TRUE(rig.port.configured.empty());
  EXPECT_EQ(rig.link.CommErrorCount, 3);
}

TEST(ResizeSerialSide, ATransferKeepsItsPortUntilItEnds) {
  for (const bool minimizedAtEnd : {false, true}) {
    ActivityRig rig;
    const bool ran = rig.activity.Run(
        [&] {
          rig.activity.FormResize(false);
          rig.activity.FormResize(true);
          EXPECT_TRUE(rig.port.open);
          EXPECT_TRUE(rig.port.configured.empty());
          EXPECT_TRUE(rig.activity.Running());
        },
        [&] { return minimizedAtEnd; });
    EXPECT_TRUE(ran);
    EXPECT_FALSE(rig.activity.Running());
    EXPECT_FALSE(rig.port.open);
    EXPECT_EQ(rig.port.configured.size(), minimizedAtEnd ? 0u : 1u);
    EXPECT_EQ(rig.link.CommErrorCount, minimizedAtEnd ? 3 : 0);
  }
}

TEST(ResizeSerialSide, WithoutAResizeATransferLeavesThePortSettingsAlone) {
  ActivityRig rig;
  rig.activity.Run([] {}, [] { return false; });
  EXPECT_TRUE(rig.port.open);
  EXPECT_TRUE(rig.port.configured.empty());
}

TEST(TransferActivity, OneTransferAtATimeAndAFailureStillEndsIt) {
  ActivityRig rig;
  int inner = 0;
  const auto transfer = [&] {
    EXPECT_FALSE(rig.activity.Run([&] { ++inner; }, [] { return false; }));
    rig.activity.FormResize(false);
    throw std::runtime_error("cable pulled");
  };
  EXPECT_THROW(rig.activity.Run(transfer, [] { return false; }), std::runtime_error);
  EXPECT_EQ(inner, 0);
  EXPECT_FALSE(rig.activity.Running());
  EXPECT_FALSE(rig.port.open);
  EXPECT_EQ(rig.port.configured.size(), 1u);
  EXPECT_TRUE(rig.activity.Run([&] { ++inner; }, [] { return false; }));
  EXPECT_EQ(inner, 1);
}

}  // namespace
