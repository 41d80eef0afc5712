// How a serial port failed, told by the port as a kind with the system's reason. The link
// words what failed; each program adds what its user does about it (the desktop points to
// Port Setup and Retry, the command line to --port).
#pragma once

#include <functional>
#include <string>

#include "core/failure.h"

namespace comm {

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

class PortError : public core::Error {
 public:
  // detail is the system's reason; for NoPermission, the group that owns the device.
  PortError(PortFault fault, std::string device, std::string detail = {});

  PortFault fault() const { return fault_; }
  const std::string& device() const { return device_; }
  const std::string& detail() const { return detail_; }

 private:
  PortFault fault_;
  std::string device_;
  std::string detail_;
};

// What failed, in one or two sentences, without advice.
std::string DescribePortFault(PortFault fault, const std::string& device,
                              const std::string& detail);

// What the user of a program does about a port failure; empty when there is nothing to add.
using PortAdvice = std::function<std::string(const PortError&)>;

}  // namespace comm
