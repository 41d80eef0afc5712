// What the desktop program's user does about a serial port that failed.
#pragma once

#include <string>

#include "link/port_failure.h"

namespace app {

std::string DesktopPortAdvice(const core::PortError& failure);

}  // namespace app
