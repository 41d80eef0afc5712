// The serial port as the link uses it: one byte written or read at a time, a receive
// buffer that can be counted and cleared, waits that leave the user interface alive, and
// failures told by kind. The program, the command line and the simulated module each
// supply one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "core/failure.h"
#include "core/host.h"

namespace core {

// Line events the port reports; other happenings on the line are not passed on.
inline constexpr int kEventFramingError = 1004;
inline constexpr int kEventHardwareOverrun = 1006;
inline constexpr int kEventReceiveOverflow = 1008;
inline constexpr int kEventParityError = 1009;
inline constexpr int kEventTransmitBufferFull = 1010;
inline constexpr int kEventDeviceControlBlock = 1011;

struct PortSettings {
  // Baud rate, parity, data bits and stop bits, as "56000,N,8,1".
  std::string line;
  // Zero bytes are data: they are never discarded.
  bool nullDiscard = false;
  bool dtrEnable = true;
  bool rtsEnable = false;
  std::size_t inBufferSize = 1024;
};

enum class PortFault {
  NotSetUp,
  NotFound,
  NoPermission,
  InUse,
  CannotOpen,
  RateRefused,
  LineSettingsRefused,
  Vanished,
  WriteFailed,
  Closed,
};

// A port failure by kind, with the device and the system's reason (for NoPermission, the
// group that owns the device). The link words it for the user.
class PortError : public Error {
 public:
  PortError(PortFault fault, std::string device, std::string detail = {})
      : Error(kErrCommOrFileOpen, kSourceCommError,
              device + (detail.empty() ? std::string() : ": " + detail)),
        fault_(fault),
        device_(std::move(device)),
        detail_(std::move(detail)) {}

  PortFault fault() const { return fault_; }
  const std::string& device() const { return device_; }
  const std::string& detail() const { return detail_; }

 private:
  PortFault fault_;
  std::string device_;
  std::string detail_;
};

class SerialPort {
 public:
  using Byte = std::uint8_t;
  using Deadline = Clock::Duration;
  virtual ~SerialPort() = default;

  // The device the next Open uses, e.g. "/dev/ttyS0" or "/dev/ttyUSB0".
  virtual void SetPort(const std::string& device) = 0;
  virtual std::string Port() const = 0;
  // Applied now and at every later Open.
  virtual void Configure(const PortSettings& settings) = 0;

  // Failures throw PortError.
  virtual void Open() = 0;
  virtual void Close() = 0;
  virtual bool IsOpen() const = 0;

  virtual void ClearReceiveBuffer() = 0;
  virtual std::size_t BytesWaiting() = 0;
  virtual void WriteByte(Byte value) = 0;
  virtual Byte ReadByte() = 0;

  // Blocks without spinning until count bytes are waiting, the deadline (on the link's
  // clock) has passed, or a line event is pending. True when the bytes are there.
  virtual bool WaitForBytes(std::size_t count, Deadline deadline) = 0;
  // The oldest line event not yet taken, if any.
  virtual std::optional<int> TakeLineEvent() = 0;
};

}  // namespace core
