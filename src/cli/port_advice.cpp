#include "cli/port_advice.h"

namespace cli {

std::string CommandLinePortAdvice(const comm::PortError& failure) {
  switch (failure.fault()) {
    case comm::PortFault::NotSetUp:
    case comm::PortFault::NotFound:
      return "Plug in the cable or adapter, or name the module's port with --port DEVICE.";
    case comm::PortFault::NoPermission:
      return "Add your user to the group \"" + failure.detail() + "\" (sudo adduser $USER " +
             failure.detail() + ") and log in again.";
    case comm::PortFault::InUse:
      return "Stop the program that uses it and run the command again.";
    case comm::PortFault::RateRefused:
      return "Use a port or adapter whose driver supports custom baud rates.";
    case comm::PortFault::Vanished:
    case comm::PortFault::WriteFailed:
      return "Check that the cable or adapter is still plugged in and run the command again.";
    case comm::PortFault::CannotOpen:
    case comm::PortFault::LineSettingsRefused:
    case comm::PortFault::Closed:
      return "Check the device given with --port.";
  }
  return {};
}

}  // namespace cli
