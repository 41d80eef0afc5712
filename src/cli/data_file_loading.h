// Reads a data file into an image as Open File does, for the sub-commands.
#pragma once

#include <optional>
#include <string>

#include "core/data_file_layout.h"
#include "core/module_image.h"

namespace cli {

// The file's bytes, or nothing after saying on stderr why the file is refused.
std::optional<core::DataFileBytes> LoadDataFileBytes(const std::string& command,
                                                     const std::string& path);

// The image with its edition, or nothing after saying on stderr why the file is refused.
std::optional<core::ModuleImage> LoadDataFile(const std::string& command, const std::string& path);

}  // namespace cli
