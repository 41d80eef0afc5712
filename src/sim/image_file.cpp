#include "sim/image_file.h"

namespace sim {

void LoadRegions(const core::DataFileBytes& bytes, Memories& memories) {
  core::ModuleImage image;
  core::DecodeDataFile(bytes, image);
  for (std::size_t w = core::kFLASHRegionFirstWord; w <= core::kFLASHRegionLastWord; ++w) {
    memories.flash[2 * w] = image.FLASHBuffer[w].LoByte;
    memories.flash[2 * w + 1] = image.FLASHBuffer[w].HiByte;
  }
  for (std::size_t i = core::kEEPROMRegionFirstByte; i <= core::kEEPROMRegionLastByte; ++i) {
    memories.eeprom[i] = image.EEPROMBuffer[i];
  }
}

}  // namespace sim
