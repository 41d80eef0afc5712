// What a user of ventrel-cli does about a serial port that failed.
#pragma once

#include <string>

#include "link/port_failure.h"

namespace cli {

std::string CommandLinePortAdvice(const core::PortError& failure);

}  // namespace cli
