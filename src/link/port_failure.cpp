#include "link/port_failure.h"

#include "link/protocol.h"

namespace comm {

namespace {

std::string WithReason(const std::string& text, const std::string& detail) {
  return detail.empty() ? text + "." : text + ": " + detail + ".";
}

}  // namespace

std::string DescribePortFault(const core::PortError& failure) {
  using core::PortFault;
  const std::string& device = failure.device();
  const std::string& detail = failure.detail();
  const std::string port = "The serial port " + device;
  switch (failure.fault()) {
    case PortFault::NotSetUp:
      return "No serial port is set up.";
    case PortFault::NotFound:
      return port + " does not exist.";
    case PortFault::NoPermission:
      return "You have no permission to use the serial port " + device +
             (detail.empty() ? "." : " (it belongs to the group \"" + detail + "\").");
    case PortFault::InUse:
      return port + " is in use by another program.";
    case PortFault::CannotOpen:
      return WithReason("Cannot open the serial port " + device, detail);
    case PortFault::RateRefused:
      return "The serial adapter on " + device + " does not accept " + std::to_string(kBaudRate) +
             " baud, the module's rate.";
    case PortFault::LineSettingsRefused:
      return WithReason("Cannot set " + std::string(kLineSettings) + " on " + device, detail);
    case PortFault::Vanished:
      return WithReason(port + " stopped working", detail);
    case PortFault::WriteFailed:
      return WithReason("Cannot write to the serial port " + device, detail);
    case PortFault::Closed:
      return port + " is closed.";
  }
  return port + " failed.";
}

}  // namespace comm
