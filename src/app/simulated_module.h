// The module that --simulate gives a new user: what a real module of the edition would
// show at the first download.
#pragma once

#include "sim/editions.h"

namespace app {

// The example base tune of the edition in its tables, blank (erased) FLASH around them,
// default parameters in range, readable user data, and the edition's own code.
sim::Memories SimulatedModuleContents(sim::Edition edition);

}  // namespace app
