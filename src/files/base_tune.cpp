#include "files/base_tune.h"

#include <cmath>

#include "core/editions.h"
#include "core/regions.h"
#include "tables/cell_codec.h"
#include "tables/table_map.h"

namespace files {

namespace {

constexpr std::uint8_t kBasicMode = 1;
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

core::ModuleImage BaseTune(std::string_view moduleVersion) {
  core::ModuleImage image;
  image.ModuleVersion = moduleVersion;
  FillTable(image, tables::TableId::FrontCylTrim, FrontTrim);
  FillTable(image, tables::TableId::RearCylTrim, RearTrim);
  if (core::IsSecondGeneration(moduleVersion)) FillTable(image, tables::TableId::Retard, Retard);
  image.EEPROMBuffer[core::kModeByte] = kBasicMode;
  image.EEPROMBuffer[core::kEditionByte] = core::EditionCodeOf(moduleVersion);
  image.EditionByteValue = image.EEPROMBuffer[core::kEditionByte];
  for (std::size_t i = 0; i < core::kUserDataLength; ++i) {
    image.EEPROMBuffer[core::kUserDataFirstByte + i] =
        i < kUserData.size() ? static_cast<std::uint8_t>(kUserData[i]) : kBlank;
  }
  image.FLASHBufferEmpty = false;
  image.EEPROMBufferEmpty = false;
  return image;
}

}  // namespace files
