#include "params/parameter_set.h"

#include <algorithm>

#include "core/eeprom_map.h"
#include "core/signed_byte.h"
#include "params/user_data.h"

namespace params {

namespace {
constexpr int kLargestByte = 255;
}  // namespace

void LoadParameterSet(Generation generation, const EEPROMImage& eeprom, ParameterSet& set) {
  for (int number = 1; number <= ParameterCount(generation); ++number) {
    const ParameterPlace place = PlaceOf(generation, number);
    const std::uint8_t byte = eeprom[place.byte];
    set.Param(number) = place.isSigned ? core::SByteToInt(byte) : static_cast<std::int16_t>(byte);
  }
  const std::uint8_t mode = eeprom[core::kModeByte];
  set.BasicMode = (mode & kBasicModeBit) != 0;
  set.SwapMode = (mode & kSwapModeBit) != 0;
  // Manual trim exists only in advanced mode.
  set.TrimEnable = (mode & kTrimEnableBit) != 0 && !set.BasicMode;
  set.UserData = ReadUserData(eeprom);
}

void StoreParameterSet(Generation generation, const std::string& userText, ParameterSet& set,
                       EEPROMImage& eeprom) {
  for (int number = 1; number <= ParameterCount(generation); ++number) {
    const ParameterPlace place = PlaceOf(generation, number);
    const std::int16_t value = set.Param(number);
    // Validation keeps the plain bytes within 0..10; an image value is 0..255 already.
    eeprom[place.byte] = place.isSigned
                             ? core::IntToSByte(value)
                             : static_cast<std::uint8_t>(std::clamp<int>(value, 0, kLargestByte));
  }
  if (set.BasicMode) set.TrimEnable = false;
  std::uint8_t modeFlags = set.BasicMode ? kBasicModeBit : 0;
  if (set.SwapMode) modeFlags |= kSwapModeBit;
  if (set.TrimEnable) modeFlags |= kTrimEnableBit;
  eeprom[core::kModeByte] = modeFlags;
  set.UserData = userText;
  WriteUserData(userText, eeprom);
}

void ApplyDefaults(Generation generation, ParameterSet& set) {
  set.BasicMode = true;
  set.SwapMode = false;
  set.TrimEnable = false;
  for (int number = 1; number <= ParameterCount(generation); ++number) set.Param(number) = 0;
}

}  // namespace params
