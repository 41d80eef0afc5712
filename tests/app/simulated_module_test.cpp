// The simulated module of each edition holds what a new user should see at the first
// download: every cell in its range, tables with some shape, parameters in range and
// readable user data.
#include "app/simulated_module.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>

#include "core/editions.h"
#include "core/module_image.h"
#include "tables/cell_codec.h"
#include "tables/table_map.h"

namespace {

core::ModuleImage Downloaded(sim::Edition edition) {
  const sim::Memories memories = app::SimulatedModuleContents(edition);
  core::ModuleImage image;
  for (std::size_t w = 0; w < core::kFLASHWords; ++w) {
    image.FLASHBuffer[w] = {memories.flash[2 * w + 1], memories.flash[2 * w]};
  }
  std::copy(memories.eeprom.begin(), memories.eeprom.end(), image.EEPROMBuffer.begin());
  image.ModuleVersion = core::ModuleVersionFromEditionByte(image.EEPROMBuffer[core::kEditionByte]);
  return image;
}

TEST(SimulatedModule, EveryEditionHoldsAPlausibleTuneInRange) {
  for (const char* name : {"vosk", "kq", "ql2-vosk", "ql2-kq", "jx"}) {
    SCOPED_TRACE(name);
    const core::ModuleImage image = Downloaded(*sim::ParseEdition(name));
    EXPECT_EQ(image.ModuleVersion, core::ModuleVersionForShortName(name));
    const bool secondGeneration = core::IsSecondGeneration(image.ModuleVersion);
    const int rows = tables::TableLayoutFor(image.ModuleVersion).rows;
    for (const tables::TableId table :
         {tables::TableId::FrontCylTrim, tables::TableId::RearCylTrim, tables::TableId::Retard}) {
      if (table == tables::TableId::Retard && !secondGeneration) continue;
      const tables::ValueRange range = tables::AllowedRange(tables::KindOf(table));
      std::set<double> values;
      for (int r = 1; r <= rows; ++r) {
        for (int c = 1; c <= tables::kTpsColumns; ++c) {
          const double value = tables::ReadCell(image, table, rows, r, c).displayed;
          EXPECT_TRUE(value >= range.lowest && value <= range.highest) << r << "," << c;
          values.insert(value);
        }
      }
      EXPECT_GT(values.size(), 3u) << tables::TableName(table);
    }
    for (std::size_t byte = 17; byte <= 25; ++byte) {
      const int value = static_cast<std::int8_t>(image.EEPROMBuffer[byte]);
      EXPECT_TRUE(value >= -20 && value <= 30) << byte;
    }
    for (std::size_t byte = 49; byte <= 58; ++byte) EXPECT_LE(image.EEPROMBuffer[byte], 10) << byte;
    EXPECT_EQ(std::string(image.EEPROMBuffer.begin() + 64, image.EEPROMBuffer.begin() + 96),
              "Simulated Quillon module        ");
  }
}

}  // namespace
