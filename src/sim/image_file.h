// Module contents from a data file: the FLASH region, low byte first per word, then the
// EEPROM region, 1360 bytes with no header.
#pragma once

#include <filesystem>
#include <string>

#include "sim/editions.h"

namespace sim {

inline constexpr std::size_t kDataFileBytes =
    2 * core::kFLASHRegionWords + core::kEEPROMRegionBytes;

// Loads the file into the transferred regions of memories; an error text when it cannot,
// with memories unchanged.
std::string LoadDataFile(const std::filesystem::path& file, Memories& memories);

}  // namespace sim
