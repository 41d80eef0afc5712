// The data file: 1360 bytes without a header, the FLASH region (each word low byte
// first) followed by the EEPROM region.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>

#include "core/module_image.h"
#include "core/regions.h"

namespace files {

inline constexpr std::size_t kDataFileBytes =
    2 * core::kFLASHRegionWords + core::kEEPROMRegionBytes;
inline constexpr std::size_t kEEPROMFileOffset = 2 * core::kFLASHRegionWords;

using DataFileBytes = std::array<std::uint8_t, kDataFileBytes>;

DataFileBytes EncodeDataFile(const core::ModuleImage& image);

// Writes the file's regions into the image; nothing outside them is touched.
void DecodeDataFile(const DataFileBytes& bytes, core::ModuleImage& image);

// The first 1360 bytes of the file, or nothing when the file is shorter; bytes after
// them are never read. Throws core::Error (File Open) with the system's reason when the
// file cannot be read, and at once for anything but a regular file (a pipe, a device).
std::optional<DataFileBytes> ReadDataFile(const std::filesystem::path& path);

// Writes a temporary file beside the target, flushes it and renames it over the target,
// so a failed write leaves the old file as it was. A file the user may not write is never
// replaced; one in a folder that takes no new file is rewritten in place, its old contents
// put back if that fails. Throws core::Error (File Save) with the system's reason.
void WriteDataFile(const std::filesystem::path& path, const DataFileBytes& bytes);

}  // namespace files
