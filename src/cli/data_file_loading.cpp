#include "cli/data_file_loading.h"

#include <iostream>

#include "core/failure.h"
#include "files/data_file.h"

namespace cli {

std::optional<core::DataFileBytes> LoadDataFileBytes(const std::string& command,
                                                     const std::string& path) {
  std::optional<core::DataFileBytes> bytes;
  try {
    bytes = files::ReadDataFile(path);
  } catch (const core::Error& e) {
    std::cerr << "ventrel-cli " << command << ": " << e.failure().description << "\n";
    return std::nullopt;
  }
  if (!bytes) {
    std::cerr << "ventrel-cli " << command << ": " << path
              << ": Error - reached premature end-of-file (a data file has " << core::kDataFileBytes
              << " bytes)\n";
    return std::nullopt;
  }
  return bytes;
}

std::optional<core::ModuleImage> LoadDataFile(const std::string& command, const std::string& path) {
  const std::optional<core::DataFileBytes> bytes = LoadDataFileBytes(command, path);
  if (!bytes) return std::nullopt;
  return files::ImageFromFile(*bytes);
}

}  // namespace cli
