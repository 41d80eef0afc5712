#include "app/port_advice.h"

namespace app {

std::string DesktopPortAdvice(const core::PortError& failure) {
  switch (failure.fault()) {
    case core::PortFault::NotSetUp:
      return "Choose one in Communications > Port Setup.";
    case core::PortFault::NotFound:
      return "Plug in the cable or adapter, or choose another port in Communications > Port "
             "Setup, then click Retry.";
    case core::PortFault::NoPermission:
      return "Add your user to the group \"" + failure.detail() + "\" (sudo adduser $USER " +
             failure.detail() + "), log in again, and start Ventrel once more.";
    case core::PortFault::InUse:
      return "Close that program, then click Retry.";
    case core::PortFault::RateRefused:
      return "Use a port or adapter whose driver supports custom baud rates.";
    case core::PortFault::Vanished:
    case core::PortFault::WriteFailed:
      return "Check that the cable or adapter is still plugged in, then click Retry.";
    case core::PortFault::CannotOpen:
    case core::PortFault::LineSettingsRefused:
    case core::PortFault::Closed:
      return "Check the port in Communications > Port Setup, then click Retry.";
  }
  return {};
}

}  // namespace app
