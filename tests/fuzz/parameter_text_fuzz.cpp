// Feeds arbitrary text to the parameter box check and to the user data field: the value
// always lands in its range, the rewritten box reads back the same, and the field
// write never reaches beyond its 32 bytes and reads back as it was stored.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/eeprom_map.h"
#include "params/parameter_check.h"
#include "params/user_data.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  for (const params::ParameterRange* range : {&params::kFuelRange, &params::kSmallRange}) {
    const params::CheckedParameter checked = params::CheckParameterText(text, *range);
    if (checked.value < range->lowest || checked.value > range->highest) __builtin_trap();
    if (checked.text != params::ParameterText(checked.value)) __builtin_trap();
    const params::CheckedParameter again = params::CheckParameterText(checked.text, *range);
    if (again.value != checked.value || again.message) __builtin_trap();
  }
  params::EEPROMImage eeprom{};
  eeprom.fill(0xA5);
  params::WriteUserData(text, eeprom);
  for (std::size_t i = 0; i < eeprom.size(); ++i) {
    const bool inField =
        i >= core::kUserDataFirstByte && i < core::kUserDataFirstByte + core::kUserDataLength;
    if (!inField && eeprom[i] != 0xA5) __builtin_trap();
  }
  // What is stored is what a later reading shows.
  const std::string stored = params::ReadUserData(eeprom);
  if (stored.size() != core::kUserDataLength) __builtin_trap();
  params::WriteUserData(stored, eeprom);
  if (params::ReadUserData(eeprom) != stored) __builtin_trap();
  return 0;
}
