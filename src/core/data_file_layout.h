// The data file's layout: 1360 bytes without a header, the FLASH region (each word low
// byte first) followed by the EEPROM region. The program's files, the command line and the
// simulated module all read and write it through here.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "core/module_image.h"
#include "core/regions.h"

namespace core {

inline constexpr std::size_t kDataFileBytes = 2 * kFLASHRegionWords + kEEPROMRegionBytes;
inline constexpr std::size_t kEEPROMFileOffset = 2 * kFLASHRegionWords;

using DataFileBytes = std::array<std::uint8_t, kDataFileBytes>;

DataFileBytes EncodeDataFile(const ModuleImage& image);

// Writes the file's regions into the image; nothing outside them is touched.
void DecodeDataFile(const DataFileBytes& bytes, ModuleImage& image);

}  // namespace core
