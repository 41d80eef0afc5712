// Reading and writing data files and the text files beside them on disk, safely: only regular files
// are read, and a failed write never leaves a damaged file.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/data_file_layout.h"

namespace files {

// The first 1360 bytes of the file, or nothing when the file is shorter; bytes after
// them are never read. Throws core::Error (File Open) with the system's reason when the
// file cannot be read, and at once for anything but a regular file (a pipe, a device).
std::optional<core::DataFileBytes> ReadDataFile(const std::filesystem::path& path);

// The image as an open leaves it: both regions from the file, zero elsewhere, both empty
// flags False, the edition from the edition byte, blank table bytes cleaned.
core::ModuleImage ImageFromFile(const core::DataFileBytes& bytes);

// Writes a temporary file beside the target, flushes it and renames it over the target,
// so a failed write leaves the old file as it was. A file the user may not write is never
// replaced; one in a folder that takes no new file is rewritten in place, its old contents
// put back if that fails. Throws core::Error (File Save) with the system's reason.
void WriteDataFile(const std::filesystem::path& path, const core::DataFileBytes& bytes);

// The whole of a text file the user chose (a table as CSV). Throws core::Error (File Open)
// when it cannot be read, is not a regular file or holds more than maxBytes.
std::string ReadTextFile(const std::filesystem::path& path, std::size_t maxBytes);

// Replaces the file as WriteDataFile does: a failed write leaves the old file as it was.
void WriteTextFile(const std::filesystem::path& path, std::string_view text);

}  // namespace files
