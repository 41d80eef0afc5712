#include "sim/editions.h"

#include <cstdint>

#include "core/editions.h"

namespace sim {

namespace {

struct EditionInfo {
  Edition edition;
  comm::Byte editionCode;
  std::string_view name;
  std::string_view firmwareID;
};

// The lower four bits of the edition byte belong to the module, not to the edition.
constexpr comm::Byte kEditionLowBits = 0x03;
constexpr std::string_view kUserData = "Simulated Quillon module";

constexpr EditionInfo kEditions[] = {
    {Edition::Vosk, core::kEditionCodeVosk, core::kEditionShortNames[0], "Quillon Vosk V5.1"},
    {Edition::KQ, core::kEditionCodeKQ, core::kEditionShortNames[1], "Quillon KQ V5.1"},
    {Edition::QL2Vosk, core::kEditionCodeQL2Vosk, core::kEditionShortNames[2],
     "Quillon II Vosk V2.4"},
    {Edition::QL2KQ, core::kEditionCodeQL2KQ, core::kEditionShortNames[3], "Quillon II KQ V2.4"},
    {Edition::JX, core::kEditionCodeJX, core::kEditionShortNames[4], "Quillon II JX V2.4"},
};

const EditionInfo& Info(Edition edition) {
  for (const EditionInfo& info : kEditions) {
    if (info.edition == edition) return info;
  }
  return kEditions[0];
}

// A small fixed pseudo-random sequence, so every run shows the same module.
class Pattern {
 public:
  explicit Pattern(std::uint32_t seed) : state_(seed) {}
  comm::Byte Next() {
    state_ = state_ * 1103515245U + 12345U;
    return static_cast<comm::Byte>(state_ >> 16);
  }

 private:
  std::uint32_t state_;
};

}  // namespace

std::optional<Edition> ParseEdition(std::string_view name) {
  for (const EditionInfo& info : kEditions) {
    if (info.name == name) return info.edition;
  }
  return std::nullopt;
}

std::string EditionName(Edition edition) { return std::string(Info(edition).name); }

std::string FirmwareIDOf(Edition edition) { return std::string(Info(edition).firmwareID); }

Memories ExampleContents(Edition edition) {
  Memories memories;
  Pattern pattern(static_cast<std::uint32_t>(edition) + 1);
  for (comm::Byte& value : memories.flash) value = pattern.Next();
  // Tables hold small signed trims; blank cells past the retard table read 0xFF.
  for (std::size_t word = core::kFLASHRegionFirstWord; word <= core::kFLASHRegionLastWord; ++word) {
    const comm::Byte trim = static_cast<comm::Byte>(static_cast<int>(pattern.Next() % 21) - 10);
    memories.flash[2 * word] = trim;
    memories.flash[2 * word + 1] = word % 7 == 0 ? 0xFF : trim;
  }
  for (std::size_t i = core::kEEPROMRegionFirstByte; i <= core::kEEPROMRegionLastByte; ++i) {
    memories.eeprom[i] = static_cast<comm::Byte>(pattern.Next() % 100);
  }
  memories.eeprom[core::kEditionByte] = Info(edition).editionCode | kEditionLowBits;
  for (std::size_t i = 0; i < kUserData.size(); ++i) {
    memories.eeprom[core::kUserDataFirstByte + i] = static_cast<comm::Byte>(kUserData[i]);
  }
  return memories;
}

}  // namespace sim
