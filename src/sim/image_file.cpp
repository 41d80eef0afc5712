#include "sim/image_file.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <vector>

namespace sim {

std::string LoadDataFile(const std::filesystem::path& file, Memories& memories) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return "cannot open the data file " + file.string();
  std::vector<char> bytes;
  bytes.reserve(kDataFileBytes + 1);
  for (std::istreambuf_iterator<char> it(in), end; it != end && bytes.size() <= kDataFileBytes;
       ++it) {
    bytes.push_back(*it);
  }
  if (bytes.size() != kDataFileBytes) {
    return "the data file " + file.string() + " is not " + std::to_string(kDataFileBytes) +
           " bytes long";
  }
  const auto flashBytes = static_cast<long>(2 * core::kFLASHRegionWords);
  std::copy_n(bytes.begin(), flashBytes,
              memories.flash.begin() + 2 * static_cast<long>(core::kFLASHRegionFirstWord));
  std::copy(bytes.begin() + flashBytes, bytes.end(),
            memories.eeprom.begin() + static_cast<long>(core::kEEPROMRegionFirstByte));
  return {};
}

}  // namespace sim
