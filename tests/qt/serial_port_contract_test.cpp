// One suite for the serial-port seam, run on the in-process simulated port and on
// QSerialPort over a pseudo-terminal served by ventrel-sim: both must behave alike. A
// missing device is ventrel-cli identify's end-to-end test.
#include <gtest/gtest.h>

#include <ctime>
#include <memory>

#include "core/failure.h"
#include "fakes/sim_process.h"
#include "fakes/temp_folder.h"
#include "files/data_file.h"
#include "link/port_failure.h"
#include "qt/qt_clock.h"
#include "qt/qt_serial_port.h"
#include "sim/image_file.h"
#include "sim/simulated_port.h"

namespace {

using namespace std::chrono_literals;
using comm::Byte;

enum class Kind { InProcess, PseudoTerminal };

// Processor time of the whole process, every thread included.
double CPUSeconds() { return static_cast<double>(std::clock()) / CLOCKS_PER_SEC; }

class SerialPortContract : public testing::TestWithParam<Kind> {
 protected:
  // A module with the given ventrel-sim options, and the port to it, opened.
  core::SerialPort& Connect(std::vector<std::string> options = {}) {
    if (GetParam() == Kind::PseudoTerminal) {
      simulator_ = fakes::SimProcess::Start(VENTREL_SIM, options);
      if (!simulator_) ADD_FAILURE() << "ventrel-sim did not start";
      auto port = std::make_unique<qtui::QtSerialPort>(clock_);
      port->SetPort(simulator_ ? simulator_->device() : "/dev/null");
      port_ = std::move(port);
    } else {
      sim::Faults faults;
      for (std::size_t i = 0; i + 1 < options.size(); i += 2) {
        if (options[i] == "--fault") sim::AddFault(faults, options[i + 1]);
      }
      module_ = std::make_unique<sim::QuillonModule>(sim::Edition::JX, faults);
      for (std::size_t i = 0; i + 1 < options.size(); i += 2) {
        if (options[i] == "--image") {
          sim::LoadRegions(*files::ReadDataFile(options[i + 1]), module_->memories());
        }
      }
      port_ = std::make_unique<sim::SimulatedPort>(*module_, clock_);
    }
    port_->Open();
    port_->ClearReceiveBuffer();
    return *port_;
  }

  void Send(std::initializer_list<Byte> bytes) {
    for (const Byte b : bytes) port_->WriteByte(b);
  }

  std::vector<Byte> Receive(std::size_t count) {
    EXPECT_TRUE(port_->WaitForBytes(count, clock_.Now() + 1s));
    std::vector<Byte> bytes;
    while (bytes.size() < count && port_->BytesWaiting() > 0) bytes.push_back(port_->ReadByte());
    return bytes;
  }

  qtui::QtClock clock_;
  std::unique_ptr<fakes::SimProcess> simulator_;
  std::unique_ptr<sim::QuillonModule> module_;
  std::unique_ptr<core::SerialPort> port_;
};

TEST_P(SerialPortContract, NullBytesAreReceived) {
  const fakes::TempFolder folder;
  const auto image = folder.Write("zeros.dat", std::string(core::kDataFileBytes, '\0'));
  Connect({"--image", image.string()});
  const auto& key = comm::kBootLoadEntryKey;
  Send({comm::kCmdBootLoadKey, key[0], key[1], key[2], key[3]});
  EXPECT_EQ(Receive(6).back(), comm::kACK);
  Send({comm::kCmdSetAddress, 0x00, 0x31});
  EXPECT_EQ(Receive(4).back(), comm::kACK);
  Send({comm::kCmdReadFLASH});
  EXPECT_EQ(Receive(2), (std::vector<Byte>{0x19, 0x00}));
}

TEST_P(SerialPortContract, SilentLineWaitsUntilTheDeadlineWithoutSpinning) {
  core::SerialPort& port = Connect({"--fault", "silent"});
  Send({comm::kCmdReSync});
  const auto start = clock_.Now();
  const double cpuStart = CPUSeconds();
  EXPECT_FALSE(port.WaitForBytes(1, start + 300ms));
  EXPECT_GE(clock_.Now() - start, 300ms);
  // A spinning wait would use the whole 300 ms; an idle one a few.
  EXPECT_LT(CPUSeconds() - cpuStart, 0.15);
}

TEST_P(SerialPortContract, ReSyncIsAnsweredClearingDropsWhatHasArrivedAndAClosedPortReopens) {
  core::SerialPort& port = Connect();
  Send({comm::kCmdReadStatus});
  ASSERT_TRUE(port.WaitForBytes(2, clock_.Now() + 1s));
  port.ClearReceiveBuffer();
  EXPECT_EQ(port.BytesWaiting(), 0u);
  port.Close();
  EXPECT_FALSE(port.IsOpen());
  EXPECT_THROW(port.WriteByte(comm::kCmdReSync), core::PortError);
  EXPECT_FALSE(port.WaitForBytes(1, clock_.Now() + 1s)) << "a closed port has nothing to wait for";
  EXPECT_EQ(port.BytesWaiting(), 0u);
  port.Open();
  EXPECT_TRUE(port.IsOpen());
  port.ClearReceiveBuffer();
  Send({comm::kCmdReSync});
  EXPECT_EQ(Receive(2), (std::vector<Byte>{0x33, 0x06}));
  EXPECT_EQ(port.BytesWaiting(), 0u);
}

TEST_P(SerialPortContract, APortThatVanishesSaysSoAndCannotBeOpenedAgain) {
  core::SerialPort& port = Connect({"--fault", "vanish-after=1"});
  Send({comm::kCmdReSync});
  if (simulator_) simulator_->Kill();
  try {
    port.WriteByte(comm::kCmdReSync);
    port.WaitForBytes(4, clock_.Now() + 1s);
    port.WaitForBytes(4, clock_.Now() + 1s);
    ADD_FAILURE() << "the vanished port went unnoticed";
  } catch (const core::PortError& e) {
    EXPECT_EQ(e.fault(), core::PortFault::Vanished);
    // Not the left-over error of setting DTR on a pseudo-terminal when it was opened.
    EXPECT_EQ(comm::DescribePortFault(e).find("ioctl"), std::string::npos);
  }
  EXPECT_FALSE(port.IsOpen());
  EXPECT_THROW(port.Open(), core::PortError);
}

INSTANTIATE_TEST_SUITE_P(BothPorts, SerialPortContract,
                         testing::Values(Kind::InProcess, Kind::PseudoTerminal),
                         [](const auto& param) {
                           return param.param == Kind::InProcess ? "InProcess" : "PseudoTerminal";
                         });

}  // namespace
