// What a failed serial port means to the user: the link words what failed; each program
// adds what its user does about it (the desktop points to Port Setup and Retry, the
// command line to --port).
#pragma once

#include <functional>
#include <string>

#include "core/serial_port.h"

namespace comm {

// What failed, in one or two sentences, without advice.
std::string DescribePortFault(const core::PortError& failure);

// What the user of a program does about a port failure; empty when there is nothing to add.
using PortAdvice = std::function<std::string(const core::PortError&)>;

}  // namespace comm
