// The comparison over pairs of editions and layouts: what each kind of change shows as,
// the bytes no table or parameter shows, and the report and CSV that render it. The table
// CSV codec: tables read back to the same bytes, what spreadsheets make of the file read
// as well, and each refusal naming its line and column. The desktop program's comparison
// and table exchange on the fake grid and chart: what counts as the data in memory, one
// change per import or take, a changed value's byte, refusals that change nothing, and
// the printout's pages.
#include "compare/tune_comparison.h"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

#include "app/compare_commands.h"
#include "app/comparison_printout.h"
#include "app/table_exchange.h"
#include "compare/comparison_report.h"
#include "compare/table_csv.h"
#include "core/eeprom_map.h"
#include "fakes/fake_chart.h"
#include "fakes/fake_grid.h"
#include "fakes/recording_print_surface.h"
#include "fakes/recording_view.h"
#include "fakes/scripted_host.h"
#include "fakes/temp_folder.h"
#include "files/base_tune.h"
#include "files/data_file.h"
#include "tables/cell_codec.h"

namespace {

using core::Answer;
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

// Cells of both kinds: the summary counts them (the pairs above show no cell).
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

// Every byte a cell may hold, spread over the table; locked cells hold what they like.
core::ModuleImage Varied(const std::string& moduleVersion, TableId table) {
  core::ModuleImage image = files::BaseTune(moduleVersion);
  const int rows = tables::TableLayoutFor(moduleVersion).rows;
  const bool fuel = tables::KindOf(table) == tables::TableKind::Fuel;
  // Fuel -20.3125 % (102) to 30.46875 % (167); retard 0 to -10.4375 degrees (167).
  const int lowest = fuel ? 102 : 0;
  const int span = fuel ? 66 : 168;
  for (int c = 1; c <= tables::kTpsColumns; ++c) {
    for (int r = 1; r <= rows; ++r) {
      tables::SetCellByte(image, table, rows, r, c,
                          static_cast<std::uint8_t>(lowest + (r * 37 + c * 11) % span));
    }
  }
  return image;
}

// One table of each kind and layout; every edition's and table's base tune is ventrel-cli's
// round trip.
TEST(TableCsv, EveryByteOfEachKindAndLayoutReadsBackToTheSameByte) {
  for (const auto& [version, table] :
       {std::pair{"QL2 KQ", TableId::FrontCylTrim}, {"JX", TableId::Retard}}) {
    SCOPED_TRACE(version);
    const core::ModuleImage image = Varied(version, table);
    const compare::CsvReading reading =
        compare::ReadTableCsv(compare::TableCsv(image, table), version, table);
    ASSERT_TRUE(reading.values) << reading.problem;
    EXPECT_TRUE(compare::ChangedBytes(image, table, *reading.values).empty());
  }
}

struct TextCase {
  const char* name;
  std::function<void(std::string&)> edit;
  // Empty when the text is read; else the start of the problem.
  std::string problem;
};

void ReplaceFirst(std::string& text, const std::string& from, const std::string& to) {
  const std::size_t at = text.find(from);
  ASSERT_NE(at, std::string::npos) << from;
  text.replace(at, from.size(), to);
}

void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
  for (std::size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size()) {
    text.replace(at, from.size(), to);
  }
}

TEST(TableCsv, WhatSpreadsheetsWriteIsReadAndAnythingWrongIsNamedByLineAndColumn) {
  // The QL2 KQ front table: 18 rows, the locked zone holds 0.
  const core::ModuleImage image = files::BaseTune("QL2 KQ");
  const std::string exported = compare::TableCsv(image, TableId::FrontCylTrim);
  // clang-format off
  const TextCase cases[] = {
      {"byte order mark and CR LF", [](std::string& t) { t = "\xEF\xBB\xBF" + t; ReplaceAll(t, "\n", "\r\n"); }, ""},
      {"old Mac line ends", [](std::string& t) { ReplaceAll(t, "\n", "\r"); }, ""},
      {"blank lines", [](std::string& t) { ReplaceAll(t, "\n", "\n\n , ,\n"); t = "\n" + t; }, ""},
      {"quoted fields and blanks", [](std::string& t) { t = "\"" + t; ReplaceAll(t, ",", "\" , \""); ReplaceAll(t, "\n", "\"\n\""); t.pop_back(); }, ""},
      {"empty columns after the last", [](std::string& t) { ReplaceAll(t, "\n", ",,,\n"); }, ""},
      {"semicolons", [](std::string& t) { ReplaceAll(t, ",", ";"); }, ""},
      {"labels without %", [](std::string& t) { ReplaceFirst(t, "RPM/TPS,0%,2.5%", "rpm,0,2.5"); }, ""},
      {"a missing column", [](std::string& t) { const std::size_t end = t.find('\n', t.find("\n1000,") + 1); t.erase(t.rfind(',', end), end - t.rfind(',', end)); },
       "Line 4, column 10: the row for 1000 RPM has 9 columns"},
      {"an extra column", [](std::string& t) { ReplaceFirst(t, "\n750,", "\n750,0,"); },
       "Line 3, column 11: the row for 750 RPM has more than 10 columns"},
      {"another TPS", [](std::string& t) { ReplaceFirst(t, ",5%,", ",7%,"); },
       "Line 1, column 4: the header names \"7%\" where the table has 5% TPS."},
      {"another RPM", [](std::string& t) { ReplaceFirst(t, "\n3000,", "\n3100,"); },
       "Line 12, column 1: the row names \"3100\" RPM where the table has 3000 RPM (row 11 of 18)."},
      {"out of range", [](std::string& t) { t.replace(t.rfind(','), std::string::npos, ",30.5\n"); },
       "Line 19, column 10 (6500 RPM, 100% TPS): \"30.5\" is outside the allowed range -20 to 30."},
      {"no number", [](std::string& t) { t.replace(t.rfind(','), std::string::npos, ",abc\n"); },
       "Line 19, column 10 (6500 RPM, 100% TPS): \"abc\" is not a number. Write"},
      {"a decimal comma", [](std::string& t) { t.replace(t.rfind(','), std::string::npos, ",\"1,5\"\n"); },
       "Line 19, column 10 (6500 RPM, 100% TPS): \"1,5\" is not a number; a decimal comma"},
      {"a row short", [](std::string& t) { t.erase(t.rfind("6500,")); },
       "The file ends at line 18 after 17 rows of values; the table has 18 rows, 500 to 6500 RPM."},
      {"a row too many", [](std::string& t) { t += "7000,0,0,0,0,0,0,0,0,0\n"; },
       "Line 20: the table ends at 6500 RPM after 18 rows; this row is one too many."},
      {"an open quote", [](std::string& t) { ReplaceFirst(t, "\n750,", "\n\"750,"); },
       "Line 3, column 1: the quoted field is not closed."},
      {"nothing", [](std::string& t) { t = "\r\n\r\n"; }, "The file holds no table"},
      {"a ten-megabyte row in the locked zone", [](std::string& t) { ReplaceFirst(t, "\n750,0,", "\n750," + std::string(10'000'000, '7') + ","); },
       "Line 3, column 2 (750 RPM, 0% TPS): \"777777777777777777777777...\" lies in the KQ locked zone"},
  };
  // clang-format on
  for (const TextCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::string text = exported;
    c.edit(text);
    const compare::CsvReading reading =
        compare::ReadTableCsv(text, "QL2 KQ", TableId::FrontCylTrim);
    if (c.problem.empty()) {
      ASSERT_TRUE(reading.values) << reading.problem;
      EXPECT_TRUE(compare::ChangedBytes(image, TableId::FrontCylTrim, *reading.values).empty());
    } else {
      EXPECT_FALSE(reading.values);
      EXPECT_EQ(reading.problem.substr(0, c.problem.size()), c.problem) << reading.problem;
    }
  }
}

class Exchange : public testing::Test {
 protected:
  Exchange() {
    session.editor.Attach(grid, chart, tableWindow);
    session.image = files::BaseTune("QL2 VOSK");
    session.window.SetDataSourceText("base.dat");
    // Byte 112 shows -13, which saving the table would write back as 111.
    tables::SetCellByte(session.image, TableId::FrontCylTrim, 18, 2, 2, 112);
    session.editor.mnuEditFrontCylTrimTbl_Click();
  }

  std::string SaveOther(const core::ModuleImage& image) {
    return folder.WriteTune("other.dat", image).string();
  }
  std::uint8_t Byte(int r, int c) const {
    return tables::CellByte(session.image, TableId::FrontCylTrim, 18, r, c);
  }

  fakes::TempFolder folder;
  fakes::ScriptedHost host;
  fakes::RecordingView view;
  app::Session session{host, view, app::BuiltInBranding(), VENTREL_DATA_DIR};
  fakes::FakeGrid grid;
  fakes::FakeChart chart;
  fakes::FakeTableWindow tableWindow;
};

TEST_F(Exchange, ExportThenImportOfAnEditedFileChangesOnlyItsCellsAndSavesTheirExactBytes) {
  const std::string csv = (folder.path() / "front.csv").string();
  host.ExpectFileDialog(folder.path() / "front");
  app::ExportTable(session, grid);
  std::string text = files::ReadTextFile(csv, app::kLargestTableCsv);
  EXPECT_EQ(text, compare::TableCsv(session.image, TableId::FrontCylTrim));
  const std::size_t value = text.find("\n6500,") + 6;
  text.replace(value, text.find(',', value) - value, "12.5");
  folder.Write("front.csv", text);
  const std::vector<std::string> before = grid.texts;

  host.ExpectFileDialog(csv);
  app::ImportTable(session, grid, chart);
  std::vector<std::string> expected = before;
  expected[18 * 10 + 1] = "12.5";
  EXPECT_EQ(grid.texts, expected);
  EXPECT_DOUBLE_EQ(chart.heights.At(18, 1), 12.5);
  session.editor.mnuSaveTbl_Click();
  EXPECT_EQ(Byte(18, 1), tables::EncodeCell(tables::TableKind::Fuel, 12.5));
  EXPECT_TRUE(host.boxes.empty());
}

TEST_F(Exchange, AnImportRefusedForAnyReasonLeavesTheGridAsItWas) {
  const std::string bad = folder.Write("bad.csv", "RPM/TPS,0%\n500,1\n").string();
  const std::vector<std::string> before = grid.texts;
  // A refused CSV names its line; a folder goes to the error prompt; an entry the check
  // refuses keeps the command from starting.
  host.ExpectFileDialog(bad);
  host.ExpectBox(Answer::OK);
  app::ImportTable(session, grid, chart);
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_TRUE(host.boxes[0].text.starts_with(
      "bad.csv was not imported, and the table is as it was.\r\n\r\nLine 1, column 3: "))
      << host.boxes[0].text;
  host.ExpectFileDialog(folder.path().string());
  host.ExpectBox(Answer::Abort);
  app::ImportTable(session, grid, chart);
  EXPECT_EQ(host.boxes.at(1).title, "Error");
  grid.SetCurrentCell(3, 3);
  grid.Type("99");
  host.ExpectBox(Answer::OK);
  app::ImportTable(session, grid, chart);
  EXPECT_EQ(host.boxes.at(2).title, "Fuel Trim Edit");
  EXPECT_EQ(grid.texts, before);
  EXPECT_EQ(host.fileDialogs.size(), 2u);
}

TEST_F(Exchange, CompareWithFileSeesUnsavedEntriesAndTakingCellsBringsTheFileBack) {
  const std::string other = SaveOther(session.image);
  grid.SetTextMatrix(5, 4, "25");
  host.ExpectFileDialog(other);
  std::optional<app::ComparedTune> compared = app::CompareWithFile(session, grid);
  ASSERT_TRUE(compared);
  // One cell differs: the typed one; the cell showing -13 of byte 112 is read as its byte.
  const compare::TableComparison* front = compared->comparison.Table(TableId::FrontCylTrim);
  ASSERT_EQ(front->cells.size(), 1u);
  EXPECT_EQ(std::tuple(front->cells[0].rpm, front->cells[0].col, front->cells[0].first),
            std::tuple(1500, 4, 25.0));

  EXPECT_TRUE(app::TakeCells(session, grid, chart, *compared, TableId::FrontCylTrim,
                             {{1500, 4}, {1500, 5}}));
  EXPECT_TRUE(app::Recompare(session, grid, *compared).Same());
}

TEST_F(Exchange, TakingCellsIsRefusedWholeForAClosedTableOrAValueOutOfRange) {
  core::ModuleImage wild = session.image;
  tables::SetCellByte(wild, TableId::FrontCylTrim, 18, 1, 1, 0);  // -100 %
  host.ExpectFileDialog(SaveOther(wild));
  const std::optional<app::ComparedTune> compared = app::CompareWithFile(session, grid);
  ASSERT_TRUE(compared);
  const std::vector<std::string> before = grid.texts;
  host.ExpectBox(Answer::OK);
  EXPECT_FALSE(app::TakeCells(session, grid, chart, *compared, TableId::FrontCylTrim,
                              {{1000, 9}, {500, 1}}));
  EXPECT_EQ(host.boxes.back().text,
            "The other tune's value -100.00 at 500 RPM, 0% TPS is outside the allowed range -20 "
            "to 30, so no cell was taken.");
  host.ExpectBox(Answer::OK);
  EXPECT_FALSE(app::TakeCells(session, grid, chart, *compared, TableId::Retard, {{1000, 9}}));
  EXPECT_EQ(host.boxes.back().text,
            "Open the Retard Table from the Edit menu to take cells of the other tune into it.");
  EXPECT_EQ(grid.texts, before);
}

// A short file's message is the data file commands' test.
TEST_F(Exchange, NothingIsComparedWithAnEmptyImage) {
  session.image.ClearEEPROMBuffer();
  host.ExpectBox(Answer::OK);
  EXPECT_FALSE(app::CompareWithFile(session, grid));
  EXPECT_EQ(host.boxes.back().text, "Data Buffer Empty - Nothing to Compare.");
  EXPECT_TRUE(host.fileDialogs.empty());
}

TEST_F(Exchange, TheComparisonPrintsInPagesEachUnderTheHeading) {
  core::ModuleImage other = session.image;
  for (int r = 1; r <= 18; ++r) {
    for (int c = 1; c <= 9; ++c) tables::SetCellByte(other, TableId::RearCylTrim, 18, r, c, 140);
  }
  const compare::TuneComparison comparison =
      compare::CompareTunes(session.image, other, "a.dat", "b.dat");
  fakes::RecordingPrintSurface surface;
  EXPECT_TRUE(app::PrintComparison(comparison, surface,
                                   {"Marrowby", "QL2 VOSK", "a.dat", "", "now"}, host));
  const int perPage = app::ReportLinesPerPage(surface.metrics);
  ASSERT_EQ(surface.documents.size(), 3u);
  for (const auto& page : surface.documents) {
    EXPECT_EQ(page.lines.at(0),
              "         Marrowby Quillon II Vosk Version Comparison Data Printed: now");
    EXPECT_LE(static_cast<int>(page.lines.size()), perPage + 3);
  }
  EXPECT_EQ(surface.documents[0].lines.at(3), "         First:  a.dat - QL2 VOSK data");
}

}  // namespace
