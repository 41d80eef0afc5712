#include "cli/port_advice.h"

namespace cli {

std::string CommandLinePortAdvice(const core::PortError& failure) {
  switch (failure.fault()) {
    case core::PortFault::NotSetUp:
    case core::PortFault::NotFound:
      return "Plug in the cable or adapter, or name the module's port with --port DEVICE.";
    case core::PortFault::NoPermission:
      return "Add your user to the group \"" + failure.detail() + "\" (sudo adduser $USER " +
             failure.detail() + ") and log in again.";
    case core::PortFault::InUse:
      return "Stop the program that uses it and run the command again.";
    case core::PortFault::RateRefused:
      return "Use a port or adapter whose driver supports custom baud rates.";
    case core::PortFault::Vanished:
    case core::PortFault::WriteFailed:
      return "Check that the cable or adapter is still plugged in and run the command again.";
    case core::PortFault::CannotOpen:
    case core::PortFault::LineSettingsRefused:
    case core::PortFault::Closed:
      return "Check the device given with --port.";
  }
  return {};
}

}  // namespace cli
