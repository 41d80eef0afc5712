#include "app/simulated_module.h"

#include <algorithm>
#include <vector>

#include "core/editions.h"
#include "files/base_tune.h"
#include "tables/table_map.h"

namespace app {

namespace {

constexpr std::uint8_t kErasedByte = 0xFF;
constexpr std::string_view kUserData = "Simulated Quillon module";
constexpr std::uint8_t kBlank = ' ';

// First-generation modules have no retard table: its place stays erased.
std::vector<tables::TableId> TablesOf(std::string_view moduleVersion) {
  if (core::IsSecondGeneration(moduleVersion)) {
    return {tables::TableId::Retard, tables::TableId::FrontCylTrim, tables::TableId::RearCylTrim};
  }
  return {tables::TableId::FrontCylTrim, tables::TableId::RearCylTrim};
}

}  // namespace

sim::Memories SimulatedModuleContents(sim::Edition edition) {
  sim::Memories memories = sim::ExampleContents(edition);
  const core::ModuleImage tune =
      files::BaseTune(core::ModuleVersionForShortName(sim::EditionName(edition)).value());
  std::fill(memories.flash.begin() + 2 * core::kFLASHRegionFirstWord,
            memories.flash.begin() + 2 * (core::kFLASHRegionLastWord + 1), kErasedByte);
  const std::size_t tableWords = tables::TableLayoutFor(tune.ModuleVersion).Words();
  for (const tables::TableId table : TablesOf(tune.ModuleVersion)) {
    const std::size_t first = tables::BaseWord(table);
    for (std::size_t word = first; word < first + tableWords; ++word) {
      memories.flash[2 * word] = tune.FLASHBuffer[word].LoByte;
      memories.flash[2 * word + 1] = tune.FLASHBuffer[word].HiByte;
    }
  }
  // The module keeps its own edition byte.
  for (std::size_t i = core::kEEPROMRegionFirstByte; i <= core::kEEPROMRegionLastByte; ++i) {
    if (i != core::kEditionByte) memories.eeprom[i] = tune.EEPROMBuffer[i];
  }
  for (std::size_t i = 0; i < core::kUserDataLength; ++i) {
    memories.eeprom[core::kUserDataFirstByte + i] =
        i < kUserData.size() ? static_cast<std::uint8_t>(kUserData[i]) : kBlank;
  }
  return memories;
}

}  // namespace app
