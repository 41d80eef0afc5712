// The simulated module behind the SerialPort seam, in the same process: each byte takes
// its time on the line, on whatever clock the link runs (fake in tests, real in the program).
#pragma once

#include <deque>
#include <string>

#include "core/serial_port.h"
#include "sim/quillon_module.h"

namespace sim {

// The time the wire model gives one byte.
inline constexpr Time kWireByteTime = comm::kByteTime;

class SimulatedPort : public core::SerialPort {
 public:
  SimulatedPort(QuillonModule& module, core::Clock& clock);

  void SetPort(const std::string& device) override { device_ = device; }
  std::string Port() const override { return device_; }
  void Configure(const core::PortSettings& settings) override { settings_ = settings; }
  void Open() override;
  void Close() override;
  bool IsOpen() const override { return open_ && !vanished_; }
  void ClearReceiveBuffer() override;
  std::size_t BytesWaiting() override;
  void WriteByte(comm::Byte value) override;
  comm::Byte ReadByte() override;
  bool WaitForBytes(std::size_t count, Deadline deadline) override;
  std::optional<int> TakeLineEvent() override;

  // Every byte the tool wrote, in order, for tests that check the wire.
  const std::vector<comm::Byte>& written() const { return written_; }
  std::size_t bytesRead() const { return bytesRead_; }
  QuillonModule& module() { return module_; }

 private:
  struct InFlight {
    comm::Byte value;
    Time arrival;
  };
  Time Now() const;
  // Throws when the port has gone away, or (RequireOpen) is closed.
  void CheckNotLost() const;
  void RequireOpen() const;

  QuillonModule& module_;
  core::Clock& clock_;
  std::string device_ = "simulated module";
  core::PortSettings settings_;
  bool open_ = false;
  bool vanished_ = false;
  // When the tool's and the module's transmitters are free again.
  Time toolLineFree_{0};
  Time moduleLineFree_{0};
  std::deque<InFlight> incoming_;
  std::deque<int> lineEvents_;
  std::vector<comm::Byte> written_;
  std::size_t bytesRead_ = 0;
};

}  // namespace sim
