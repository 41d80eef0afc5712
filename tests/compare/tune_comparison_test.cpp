// The comparison over pairs of editions and layouts: what each kind of change shows as,
// the bytes no table or parameter shows, and the report and CSV that render it.
#include "compare/tune_comparison.h"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

#include "compare/comparison_report.h"
#include "core/eeprom_map.h"
#include "files/base_tune.h"
#include "tables/cell_codec.h"

namespace {

using tables::TableId;

struct PairCase {
  const char* name;
  const char* first;
  const char* second;
  std::function<void(core::ModuleImage&)> change;
  int cells;
  int tablesInOneOnly;
  int parameters;
  int settings;
  std::vector<std::string> otherBytes;
};

void AddToCell(core::ModuleImage& image, TableId table, int r, int c, int steps) {
  const int rows = tables::TableLayoutFor(image.ModuleVersion).rows;
  tables::SetCellByte(
      image, table, rows, r, c,
      static_cast<std::uint8_t>(tables::CellByte(image, table, rows, r, c) + steps));
}

TEST(TuneComparison, EachKindOfChangeShowsWhereTheUserLooksForIt) {
  const auto none = [](core::ModuleImage&) {};
  // clang-format off
  const PairCase cases[] = {
      {"the same tune", "JX", "JX", none, 0, 0, 0, 0, {}},
      {"a fuel cell", "QL2 VOSK", "QL2 VOSK",
       [](core::ModuleImage& i) { AddToCell(i, TableId::FrontCylTrim, 3, 5, 4); }, 1, 0, 0, 0, {}},
      {"a retard cell", "QL2 KQ", "QL2 KQ",
       [](core::ModuleImage& i) { AddToCell(i, TableId::Retard, 18, 9, 8); }, 1, 0, 0, 0, {}},
      {"a locked cell shows 0 on both sides", "KQ", "KQ",
       [](core::ModuleImage& i) { AddToCell(i, TableId::FrontCylTrim, 1, 1, 1); }, 0, 0, 0, 0,
       {"FLASH word 6656, low byte"}},
      {"a word between the tables", "VOSK", "VOSK",
       [](core::ModuleImage& i) { i.FLASHBuffer[6290].HiByte ^= 1; }, 0, 0, 0, 0,
       {"FLASH word 6290, high byte"}},
      {"the module's own bits of the edition byte", "JX", "JX",
       [](core::ModuleImage& i) { i.EEPROMBuffer[core::kEditionByte] ^= 1; }, 0, 0, 0, 0,
       {"EEPROM byte 33"}},
      {"a mode bit the module ignores", "JX", "JX",
       [](core::ModuleImage& i) { i.EEPROMBuffer[core::kModeByte] |= 0x08; }, 0, 0, 0, 0,
       {"EEPROM byte 32"}},
      {"injector swap", "JX", "JX",
       [](core::ModuleImage& i) { i.EEPROMBuffer[core::kModeByte] |= 0x02; }, 0, 0, 0, 1, {}},
      {"user data", "VOSK", "VOSK",
       [](core::ModuleImage& i) { i.EEPROMBuffer[core::kUserDataFirstByte + 3] = 'X'; }, 0, 0, 0, 1,
       {}},
      {"a parameter", "QL2 VOSK", "QL2 VOSK", [](core::ModuleImage& i) { i.EEPROMBuffer[58] = 7; },
       0, 0, 1, 0, {}},
      // The second generation's retard table and parameters 10 to 19 are the first's "none".
      {"first against second generation", "VOSK", "QL2 VOSK", none, 0, 1, 10, 1, {}},
  };
  // clang-format on
  for (const PairCase& c : cases) {
    SCOPED_TRACE(c.name);
    const core::ModuleImage first = files::BaseTune(c.first);
    core::ModuleImage second = files::BaseTune(c.second);
    c.change(second);
    const compare::TuneComparison result = compare::CompareTunes(first, second, "a", "b");
    EXPECT_EQ(result.DifferingCells(), c.cells);
    int inOneOnly = 0;
    for (const auto& table : result.tables) inOneOnly += table.inFirst != table.inSecond;
    EXPECT_EQ(inOneOnly, c.tablesInOneOnly);
    EXPECT_EQ(result.DifferingParameters(), c.parameters);
    EXPECT_EQ(result.DifferingSettings(), c.settings);
    std::vector<std::string> other;
    for (const auto& byte : result.otherBytes) other.push_back(compare::ByteLocation(byte.offset));
    EXPECT_EQ(other, c.otherBytes);
    const bool same =
        c.cells + c.tablesInOneOnly + c.parameters + c.settings == 0 && c.otherBytes.empty();
    EXPECT_EQ(result.Same(), same);
    EXPECT_EQ(compare::SummaryLine(result) == "The tunes are the same.", same);
  }
}

TEST(TuneComparison, ACellNamesItsRowAndColumnAndBothValuesInReportAndCsv) {
  const core::ModuleImage first = files::BaseTune("QL2 VOSK");
  core::ModuleImage second = first;
  AddToCell(second, TableId::FrontCylTrim, 3, 5, 4);
  AddToCell(second, TableId::Retard, 18, 9, -16);
  const compare::TuneComparison result = compare::CompareTunes(first, second, "a.dat", "b.dat");
  const compare::CellDifference& cell = result.Table(TableId::FrontCylTrim)->cells.at(0);
  EXPECT_EQ(std::tuple(cell.rpm, cell.col, cell.difference), std::tuple(1000, 5, 3.125));
  EXPECT_DOUBLE_EQ(result.Table(TableId::Retard)->largest, 1.0);
  const std::vector<std::string> lines = compare::ReportLines(result);
  EXPECT_EQ(lines.at(2), "The tunes differ: 2 cells in 2 tables.");
  EXPECT_NE(std::find(lines.begin(), lines.end(),
                      "Front Cylinder Fuel Trim Table: 1 cell differs, the largest by +3.12."),
            lines.end());
  const std::string csv = compare::ComparisonCsv(result);
  EXPECT_EQ(csv.substr(0, csv.find('\n')), "item,rpm,tps,first,second,difference");
  EXPECT_NE(csv.find("\nFront Cylinder Fuel Trim Table,1000,20%,"), std::string::npos) << csv;
  EXPECT_NE(csv.find("\nRetard Table,6500,100%,-4,-3,1\n"), std::string::npos) << csv;
}

TEST(TuneComparison, TablesOfDifferentLayoutsAreComparedOnTheRowsBothHave) {
  const compare::TuneComparison result =
      compare::CompareTunes(files::BaseTune("QL2 VOSK"), files::BaseTune("JX"), "a", "b");
  for (const auto& table : result.tables) {
    EXPECT_EQ(table.rpmOnlyInFirst, (std::vector<int>{500, 750}));
    EXPECT_EQ(table.rpmOnlyInSecond, (std::vector<int>{7000, 7500, 8000, 8500, 9000, 9500}));
    EXPECT_EQ(table.rpm.size(), 24u);
    for (const auto& cell : table.cells) {
      EXPECT_GE(cell.rpm, 1000);
      EXPECT_LE(cell.rpm, 6500);
    }
  }
  // The table bytes of different layouts are the cells' business, not other bytes.
  EXPECT_TRUE(result.otherBytes.empty());
  EXPECT_EQ(result.settings.at(0).first + " " + result.settings.at(0).second, "QL2 VOSK JX");
}

}  // namespace
