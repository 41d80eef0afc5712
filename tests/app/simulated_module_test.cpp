// The simulated module of each edition holds what a new user should see at the first
// download: the example tune of its edition (whose cells the base tune's test keeps in
// range), its own edition byte, parameters in range and readable user data.
#include "app/simulated_module.h"

#include <gtest/gtest.h>

#include <set>

#include "core/editions.h"
#include "core/eeprom_map.h"
#include "core/module_image.h"
#include "files/base_tune.h"
#include "tables/table_map.h"

namespace {

TEST(SimulatedModule, EveryEditionHoldsTheExampleTuneOfItsEdition) {
  // One edition of each generation; JX also has the longer table layout.
  for (const char* name : {"kq", "jx"}) {
    SCOPED_TRACE(name);
    const sim::Memories memories = app::SimulatedModuleContents(*sim::ParseEdition(name));
    const core::ModuleImage tune = files::BaseTune(*core::ModuleVersionForShortName(name));
    EXPECT_EQ(core::ModuleVersionFromEditionByte(memories.eeprom[core::kEditionByte]),
              tune.ModuleVersion);
    const std::size_t words = tables::TableLayoutFor(tune.ModuleVersion).Words();
    std::set<std::uint8_t> front;
    for (const tables::TableId table :
         {tables::TableId::FrontCylTrim, tables::TableId::RearCylTrim, tables::TableId::Retard}) {
      if (table == tables::TableId::Retard && !core::IsSecondGeneration(tune.ModuleVersion)) {
        continue;
      }
      for (std::size_t w = tables::BaseWord(table); w < tables::BaseWord(table) + words; ++w) {
        EXPECT_EQ(memories.flash[2 * w], tune.FLASHBuffer[w].LoByte) << w;
        EXPECT_EQ(memories.flash[2 * w + 1], tune.FLASHBuffer[w].HiByte) << w;
        if (table == tables::TableId::FrontCylTrim) front.insert(tune.FLASHBuffer[w].LoByte);
      }
    }
    EXPECT_GT(front.size(), 3u) << "a table with some shape";
    for (std::size_t byte = 17; byte <= 25; ++byte) {
      const int value = static_cast<std::int8_t>(memories.eeprom[byte]);
      EXPECT_TRUE(value >= -20 && value <= 30) << byte;
    }
    for (std::size_t byte = 49; byte <= 58; ++byte) EXPECT_LE(memories.eeprom[byte], 10) << byte;
    EXPECT_EQ(std::string(memories.eeprom.begin() + 64, memories.eeprom.begin() + 96),
              "Simulated Quillon module        ");
  }
}

}  // namespace
