#include "sim/editions.h"

#include <cstdint>
#include <vector>

#include "core/editions.h"
#include "files/base_tune.h"
#include "tables/table_map.h"

namespace sim {

namespace {

struct EditionInfo {
  Edition edition;
  comm::Byte editionCode;
  std::string_view name;
  std::string_view firmwareID;
};

// The first generation stores no edition code of its own.
constexpr comm::Byte kNoEditionCode = 0x10;
// The lower four bits of the edition byte belong to the module, not to the edition.
constexpr comm::Byte kEditionLowBits = 0x03;
constexpr std::size_t kUserDataFirstByte = 64;
constexpr std::size_t kUserDataBytes = 32;
constexpr std::string_view kUserData = "Simulated Quillon module";
constexpr comm::Byte kBlank = ' ';
constexpr comm::Byte kErasedByte = 0xFF;

constexpr EditionInfo kEditions[] = {
    {Edition::Vosk, kNoEditionCode, "vosk", "Quillon Vosk V5.1"},
    {Edition::KQ, core::kEditionCodeKQ, "kq", "Quillon KQ V5.1"},
    {Edition::QL2Vosk, core::kEditionCodeQL2Vosk, "ql2-vosk", "Quillon II Vosk V2.4"},
    {Edition::QL2KQ, core::kEditionCodeQL2KQ, "ql2-kq", "Quillon II KQ V2.4"},
    {Edition::JX, core::kEditionCodeJX, "jx", "Quillon II JX V2.4"},
};

// First-generation modules have no retard table: its place stays erased.
std::vector<tables::TableId> TablesOf(std::string_view moduleVersion) {
  if (core::IsSecondGeneration(moduleVersion)) {
    return {tables::TableId::Retard, tables::TableId::FrontCylTrim, tables::TableId::RearCylTrim};
  }
  return {tables::TableId::FrontCylTrim, tables::TableId::RearCylTrim};
}

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
  // A module's tune as a new user would first see it: the example base tune of its
  // edition in the tables, blank (erased) FLASH around them, default parameters.
  const core::ModuleImage tune =
      files::BaseTune(files::ModuleVersionForEditionName(EditionName(edition)).value());
  for (std::size_t word = core::kFLASHRegionFirstWord; word <= core::kFLASHRegionLastWord; ++word) {
    memories.flash[2 * word] = kErasedByte;
    memories.flash[2 * word + 1] = kErasedByte;
  }
  const std::size_t tableWords = tables::TableLayoutFor(tune.ModuleVersion).Words();
  for (const tables::TableId table : TablesOf(tune.ModuleVersion)) {
    const std::size_t first = tables::BaseWord(table);
    for (std::size_t word = first; word < first + tableWords; ++word) {
      memories.flash[2 * word] = tune.FLASHBuffer[word].LoByte;
      memories.flash[2 * word + 1] = tune.FLASHBuffer[word].HiByte;
    }
  }
  for (std::size_t i = core::kEEPROMRegionFirstByte; i <= core::kEEPROMRegionLastByte; ++i) {
    memories.eeprom[i] = tune.EEPROMBuffer[i];
  }
  memories.eeprom[core::kEditionByte] = Info(edition).editionCode | kEditionLowBits;
  for (std::size_t i = 0; i < kUserDataBytes; ++i) {
    memories.eeprom[kUserDataFirstByte + i] =
        i < kUserData.size() ? static_cast<comm::Byte>(kUserData[i]) : kBlank;
  }
  return memories;
}

}  // namespace sim
