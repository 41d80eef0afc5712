// The tool's one in-memory copy of a module's FLASH and EEPROM, with its identity.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "core/regions.h"

namespace core {

// One program-memory word. HiByte is the byte at the odd address 2i+1, LoByte at 2i;
// the wire and the data file carry the low byte first.
struct FLASHWord {
  std::uint8_t HiByte = 0;
  std::uint8_t LoByte = 0;
  bool operator==(const FLASHWord&) const = default;
};

struct ModuleImage {
  std::array<FLASHWord, kFLASHWords> FLASHBuffer{};
  std::array<std::uint8_t, kEEPROMBytes> EEPROMBuffer{};
  bool FLASHBufferEmpty = true;
  bool EEPROMBufferEmpty = true;
  std::string FirmwareID;
  std::string ModuleVersion;
  std::int16_t EditionByteValue = 0;

  // Both clears leave FirmwareID and ModuleVersion as they are.
  void ClearFLASHBuffer();
  void ClearEEPROMBuffer();

  // The data have just been read from or written to a data file.
  void MarkInFile();
  // The data have just come from elsewhere (a download): they are in no file yet.
  void MarkNotInFile();
  // Data in memory that differ from what was last read from or written to a file, or
  // that never were in one.
  bool HasUnsavedData() const;

 private:
  struct Contents {
    std::array<FLASHWord, kFLASHWords> flash;
    std::array<std::uint8_t, kEEPROMBytes> eeprom;
  };
  std::optional<Contents> fileContents_;
};

}  // namespace core
