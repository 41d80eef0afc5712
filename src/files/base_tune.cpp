#include "files/base_tune.h"

#include <cmath>
#include <utility>

#include "core/editions.h"
#include "core/regions.h"
#include "tables/cell_codec.h"
#include "tables/table_map.h"

namespace files {

namespace {

constexpr std::uint8_t kEditionCodeVosk = 0x10;
constexpr std::size_t kModeByte = 32;
constexpr std::uint8_t kBasicMode = 1;
constexpr std::size_t kUserDataFirst = 64;
constexpr std::size_t kUserDataBytes = 32;
constexpr std::string_view kUserData = "Ventrel base tune";
constexpr std::uint8_t kBlank = ' ';

// Whole numbers, so opening and saving the table changes no byte.
double FrontTrim(double tps, double rpm) {
  return std::round(8 * tps * rpm - 4 * (1 - tps) * (1 - rpm));
}
double RearTrim(double tps, double rpm) {
  return std::round(6 * tps * rpm - 4 * (1 - tps) * (1 - rpm));
}
double Retard(double tps, double rpm) { return -std::round(4 * tps * rpm); }

std::uint8_t EditionCode(std::string_view moduleVersion) {
  if (moduleVersion == core::kVersionKQ) return core::kEditionCodeKQ;
  if (moduleVersion == core::kVersionQL2Vosk) return core::kEditionCodeQL2Vosk;
  if (moduleVersion == core::kVersionQL2KQ) return core::kEditionCodeQL2KQ;
  if (moduleVersion == core::kVersionJX) return core::kEditionCodeJX;
  return kEditionCodeVosk;
}

void FillTable(core::ModuleImage& image, tables::TableId table, double (*surface)(double, double)) {
  const tables::TableLayout layout = tables::TableLayoutFor(image.ModuleVersion);
  for (int c = 1; c <= tables::kTpsColumns; ++c) {
    for (int r = 1; r <= layout.rows; ++r) {
      const double value = tables::IsLocked(image.ModuleVersion, r, c)
                               ? 0
                               : surface((c - 1) / double(tables::kTpsColumns - 1),
                                         (r - 1) / double(layout.rows - 1));
      tables::SetCellByte(image, table, layout.rows, r, c,
                          tables::EncodeCell(tables::KindOf(table), value));
    }
  }
}

}  // namespace

std::optional<std::string> ModuleVersionForEditionName(std::string_view name) {
  static constexpr std::pair<std::string_view, std::string_view> kNames[] = {
      {"vosk", core::kVersionVosk},
      {"kq", core::kVersionKQ},
      {"ql2-vosk", core::kVersionQL2Vosk},
      {"ql2-kq", core::kVersionQL2KQ},
      {"jx", core::kVersionJX}};
  for (const auto& [edition, version] : kNames) {
    if (edition == name) return std::string(version);
  }
  return std::nullopt;
}

core::ModuleImage BaseTune(std::string_view moduleVersion) {
  core::ModuleImage image;
  image.ModuleVersion = moduleVersion;
  FillTable(image, tables::TableId::FrontCylTrim, FrontTrim);
  FillTable(image, tables::TableId::RearCylTrim, RearTrim);
  if (core::IsSecondGeneration(moduleVersion)) FillTable(image, tables::TableId::Retard, Retard);
  image.EEPROMBuffer[kModeByte] = kBasicMode;
  image.EEPROMBuffer[core::kEditionByte] = EditionCode(moduleVersion);
  image.EditionByteValue = image.EEPROMBuffer[core::kEditionByte];
  for (std::size_t i = 0; i < kUserDataBytes; ++i) {
    image.EEPROMBuffer[kUserDataFirst + i] =
        i < kUserData.size() ? static_cast<std::uint8_t>(kUserData[i]) : kBlank;
  }
  image.FLASHBufferEmpty = false;
  image.EEPROMBufferEmpty = false;
  return image;
}

}  // namespace files
