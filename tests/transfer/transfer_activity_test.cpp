// The serial side of the resize handler, and how a running transfer holds it back.
#include "transfer/transfer_activity.h"

#include <gtest/gtest.h>

#include <tuple>

#include "fakes/fake_clock.h"
#include "fakes/scripted_host.h"
#include "sim/simulated_port.h"

namespace {

// Records how the link sets the port up.
class RecordingPort : public sim::SimulatedPort {
 public:
  using SimulatedPort::SimulatedPort;
  void Configure(const core::PortSettings& settings) override {
    configured.push_back(settings);
    SimulatedPort::Configure(settings);
  }
  std::vector<core::PortSettings> configured;
};

struct ActivityRig {
  ActivityRig() {
    link.Attach(port, clock);
    port.configured.clear();
    port.Open();
    link.CommErrorCount = 3;
  }
  // True when the port was closed and set up again as a resize does; false when it was
  // closed only.
  bool ReconfiguredForResize() const {
    EXPECT_FALSE(port.IsOpen());
    if (port.configured.empty()) {
      EXPECT_EQ(link.CommErrorCount, 3);
      return false;
    }
    EXPECT_EQ(port.configured.size(), 1u);
    const core::PortSettings& s = port.configured.back();
    EXPECT_EQ(std::tuple(s.line, s.nullDiscard, s.dtrEnable, s.rtsEnable, s.inBufferSize),
              std::tuple("56000,N,8,1", false, true, false, comm::kResizeInBufferSize));
    EXPECT_EQ(link.CommErrorCount, 0);
    return true;
  }

  fakes::FakeClock clock;
  fakes::ScriptedHost host;
  bool abortFlag = false;
  sim::QuillonModule module{sim::Edition::JX};
  RecordingPort port{module, clock};
  comm::Link link{host, abortFlag};
  transfer::TransferActivity activity{link, abortFlag};
};

TEST(ResizeSerialSide, AResizeSetsTheLineUpAgainOrWhenMinimizedClosesThePort) {
  for (const bool minimized : {false, true}) {
    ActivityRig rig;
    rig.activity.FormResize(minimized);
    EXPECT_EQ(rig.ReconfiguredForResize(), !minimized);
  }
}

// A resize during a transfer is held back, then done as the window is at the transfer's
// end, after a failure too; a window shown at the end is the desktop transfer's test.
TEST(TransferActivity, OneTransferAtATimeAndAFailureStillEndsItWithTheResizeHeldBack) {
  ActivityRig rig;
  int inner = 0;
  const auto transfer = [&] {
    EXPECT_FALSE(rig.activity.Run(
        transfer::TransferKind::Upload, [&] { ++inner; }, [] { return false; }));
    rig.activity.FormResize(false);
    EXPECT_TRUE(rig.port.IsOpen());
    EXPECT_TRUE(rig.port.configured.empty());
    throw std::runtime_error("cable pulled");
  };
  EXPECT_THROW(rig.activity.Run(transfer::TransferKind::Download, transfer, [] { return true; }),
               std::runtime_error);
  EXPECT_EQ(inner, 0);
  EXPECT_FALSE(rig.activity.Running());
  EXPECT_FALSE(rig.ReconfiguredForResize()) << "minimized at the end: closed only";
}

TEST(TransferActivity, ACloseRequestAsksToStopTheTransferAndClosesOnlyOnceItHasStopped) {
  for (const auto kind : {transfer::TransferKind::Download, transfer::TransferKind::Upload}) {
    ActivityRig rig;
    EXPECT_FALSE(rig.activity.HoldClose(rig.host, "Exit Program")) << "nothing runs";
    rig.host.ExpectBox(core::Answer::No);
    rig.host.ExpectBox(core::Answer::Yes);
    rig.activity.Run(
        kind,
        [&] {
          EXPECT_TRUE(rig.activity.HoldClose(rig.host, "Exit Program"));
          EXPECT_FALSE(rig.abortFlag) << "No lets it run on";
          EXPECT_TRUE(rig.activity.HoldClose(rig.host, "Exit Program"));
          EXPECT_TRUE(rig.abortFlag);
          // A loop starting afterwards clears the flag; the stop stays asked for.
          rig.abortFlag = false;
          rig.activity.KeepStopping();
          EXPECT_TRUE(rig.abortFlag);
          EXPECT_TRUE(rig.activity.HoldClose(rig.host, "Exit Program")) << "asked once only";
        },
        [] { return false; });
    EXPECT_EQ(
        rig.host.boxes.at(0),
        (fakes::MessageBoxRecord{kind == transfer::TransferKind::Upload ? transfer::kStopUpload
                                                                        : transfer::kStopDownload,
                                 "Exit Program", core::Buttons::YesNo, core::Icon::Exclamation}));
    // The window closes once the transfer has stopped: the desktop's test.
    EXPECT_TRUE(rig.activity.TakeCloseWhenStopped());
    EXPECT_FALSE(rig.abortFlag) << "the next transfer starts unasked";
  }
}

}  // namespace
