// The command lines of the desktop program (and the module options ventrel-cli shares): known
// options set their switch, anything else stops with a message instead of being silently ignored.
// The simulated module of each edition, which --simulate picks, holds what a new user should
// see at the first download: the example tune of its edition (whose cells the base tune's test
// keeps in range), its own edition byte, parameters in range and readable user data.
#include "app/program_options.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "app/simulated_module.h"
#include "core/editions.h"
#include "core/eeprom_map.h"
#include "core/module_image.h"
#include "files/base_tune.h"
#include "tables/table_map.h"

namespace {

TEST(ProgramOptions, KnownOptionsSetTheirSwitchPortOrSimulatedModule) {
  const auto all =
      app::ParseProgramOptions({"--no-splash", "--version", "-h", "--port", "/dev/pts/3"});
  EXPECT_TRUE(all.noSplash && all.showVersion && all.showHelp);
  EXPECT_EQ(all.target.device, "/dev/pts/3");
  EXPECT_EQ(all.error, "");
  EXPECT_EQ(app::ParseProgramOptions({"--port=/dev/ttyUSB0"}).target.device, "/dev/ttyUSB0");
  EXPECT_EQ(app::ParseProgramOptions({"--simulate"}).target.simulated, sim::Edition::JX);
  EXPECT_EQ(app::ParseProgramOptions({"--simulate=ql2-kq"}).target.simulated, sim::Edition::QL2KQ);
  // Made absolute at once: the program works in its own folder afterwards.
  EXPECT_EQ(app::ParseProgramOptions({"t/../tune.dat", "--no-splash"}).dataFile,
            std::filesystem::current_path() / "tune.dat");
}

TEST(ProgramOptions, UnusableCommandLinesSayWhatIsWrong) {
  const std::pair<std::vector<std::string>, const char*> cases[] = {
      {{"--nosplash"}, "\"--nosplash\""},
      {{"a.dat", "--no-splash", "b.dat"}, "\"b.dat\" is a second"},
      {{"--port"}, "needs a device"},
      {{"--simulate=QX"}, "\"QX\""},
      {{"--simulate", "--port", "/dev/ttyS0"}, "not both"}};
  for (const auto& [arguments, says] : cases) {
    const std::string error = app::ParseProgramOptions(arguments).error;
    EXPECT_NE(error.find(says), std::string::npos) << arguments.back() << ": " << error;
  }
}

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
