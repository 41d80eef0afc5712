// The working set the parameter dialogs edit, its load from and store into the EEPROM
// image, and the defaults of Restore Defaults.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/module_image.h"
#include "params/parameter_map.h"

namespace params {

using EEPROMImage = decltype(core::ModuleImage::EEPROMBuffer);

struct ParameterSet {
  // Param1 .. Param19; the first generation uses Param1 .. Param9 only.
  std::array<std::int16_t, kMostParameters> Params{};
  std::string UserData;  // UTF-8
  bool BasicMode = false;
  bool SwapMode = false;
  bool TrimEnable = false;

  std::int16_t& Param(int number) { return Params.at(static_cast<std::size_t>(number - 1)); }
  std::int16_t Param(int number) const { return Params.at(static_cast<std::size_t>(number - 1)); }
};

// Fills the set from the image; a first-generation load leaves Param10 .. Param19 alone.
void LoadParameterSet(Generation generation, const EEPROMImage& eeprom, ParameterSet& set);

// Writes the parameter bytes, the mode byte and the user data field (userText, UTF-8).
// The edition byte and every other byte stay as they are.
void StoreParameterSet(Generation generation, const std::string& userText, ParameterSet& set,
                       EEPROMImage& eeprom);

// Basic mode, no swap, no trim, the generation's parameters 0; user data unchanged.
void ApplyDefaults(Generation generation, ParameterSet& set);

}  // namespace params
