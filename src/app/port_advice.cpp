#include "app/port_advice.h"

namespace app {

std::string DesktopPortAdvice(const comm::PortError& failure) {
  switch (failure.fault()) {
    case comm::PortFault::NotSetUp:
      return "Choose one in Communications > Port Setup.";
    case comm::PortFault::NotFound:
      return "Plug in the cable or adapter, or choose another port in Communications > Port "
             "Setup, then click Retry.";
    case comm::PortFault::NoPermission:
      return "Add your user to the group \"" + failure.detail() + "\" (sudo adduser $USER " +
             failure.detail() + "), log in again, and start Ventrel once more.";
    case comm::PortFault::InUse:
      return "Close that program, then click Retry.";
    case comm::PortFault::RateRefused:
      return "Use a port or adapter whose driver supports custom baud rates.";
    case comm::PortFault::Vanished:
    case comm::PortFault::WriteFailed:
      return "Check that the cable or adapter is still plugged in, then click Retry.";
    case comm::PortFault::CannotOpen:
    case comm::PortFault::LineSettingsRefused:
    case comm::PortFault::Closed:
      return "Check the port in Communications > Port Setup, then click Retry.";
  }
  return {};
}

}  // namespace app
