#include "core/data_file_layout.h"

namespace core {

DataFileBytes EncodeDataFile(const ModuleImage& image) {
  DataFileBytes bytes{};
  for (std::size_t i = 0; i < kFLASHRegionWords; ++i) {
    const FLASHWord& word = image.FLASHBuffer[kFLASHRegionFirstWord + i];
    bytes[2 * i] = word.LoByte;
    bytes[2 * i + 1] = word.HiByte;
  }
  for (std::size_t i = 0; i < kEEPROMRegionBytes; ++i) {
    bytes[kEEPROMFileOffset + i] = image.EEPROMBuffer[kEEPROMRegionFirstByte + i];
  }
  return bytes;
}

void DecodeDataFile(const DataFileBytes& bytes, ModuleImage& image) {
  for (std::size_t i = 0; i < kFLASHRegionWords; ++i) {
    FLASHWord& word = image.FLASHBuffer[kFLASHRegionFirstWord + i];
    word.LoByte = bytes[2 * i];
    word.HiByte = bytes[2 * i + 1];
  }
  for (std::size_t i = 0; i < kEEPROMRegionBytes; ++i) {
    image.EEPROMBuffer[kEEPROMRegionFirstByte + i] = bytes[kEEPROMFileOffset + i];
  }
}

}  // namespace core
