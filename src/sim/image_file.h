// Module contents taken from the data a file holds: its FLASH and EEPROM regions go into
// the module's memories, the rest stays as it was.
#pragma once

#include "core/data_file_layout.h"
#include "sim/editions.h"

namespace sim {

void LoadRegions(const core::DataFileBytes& bytes, Memories& memories);

}  // namespace sim
