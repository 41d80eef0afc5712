// The table CSV codec: every edition and table read back to the same bytes, what
// spreadsheets make of the file read as well, and each refusal naming its line and column.
// A changed value's byte is the exchange commands' test.
#include "compare/table_csv.h"

#include <gtest/gtest.h>

#include <functional>

#include "core/editions.h"
#include "files/base_tune.h"
#include "tables/cell_codec.h"

namespace {

using tables::TableId;

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

TEST(TableCsv, EveryEditionAndTableReadsBackToTheSameBytes) {
  for (const std::string_view shortName : core::kEditionShortNames) {
    const std::string version = *core::ModuleVersionForShortName(shortName);
    for (const TableId table : {TableId::FrontCylTrim, TableId::RearCylTrim, TableId::Retard}) {
      SCOPED_TRACE(version + " " + std::string(tables::TableName(table)));
      const core::ModuleImage image = Varied(version, table);
      const compare::CsvReading reading =
          compare::ReadTableCsv(compare::TableCsv(image, table), version, table);
      ASSERT_TRUE(reading.values) << reading.problem;
      EXPECT_TRUE(compare::ChangedBytes(image, table, *reading.values).empty());
    }
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
  const std::string jx = compare::TableCsv(files::BaseTune("JX"), TableId::FrontCylTrim);
  // clang-format off
  const TextCase cases[] = {
      {"as exported", [](std::string&) {}, ""},
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
       "Line 12, column 1: the row names \"3100\" RPM where the table has 3000 RPM"},
      {"out of range", [](std::string& t) { t.replace(t.rfind(','), std::string::npos, ",30.5\n"); },
       "Line 19, column 10 (6500 RPM, 100% TPS): \"30.5\" is outside the allowed range -20 to 30."},
      {"no number", [](std::string& t) { t.replace(t.rfind(','), std::string::npos, ",abc\n"); },
       "Line 19, column 10 (6500 RPM, 100% TPS): \"abc\" is not a number. Write"},
      {"a decimal comma", [](std::string& t) { t.replace(t.rfind(','), std::string::npos, ",\"1,5\"\n"); },
       "Line 19, column 10 (6500 RPM, 100% TPS): \"1,5\" is not a number; a decimal comma"},
      {"the locked zone", [](std::string& t) { ReplaceFirst(t, "\n500,0,", "\n500,5,"); },
       "Line 2, column 2 (500 RPM, 0% TPS): \"5\" lies in the KQ locked zone"},
      {"a row short", [](std::string& t) { t.erase(t.rfind("6500,")); },
       "The file ends at line 18 after 17 rows of values; the table has 18 rows, 500 to 6500 RPM."},
      {"a row too many", [](std::string& t) { t += "7000,0,0,0,0,0,0,0,0,0\n"; },
       "Line 20: the table ends at 6500 RPM after 18 rows; this row is one too many."},
      {"an open quote", [](std::string& t) { ReplaceFirst(t, "\n750,", "\n\"750,"); },
       "Line 3, column 1: the quoted field is not closed."},
      {"nothing", [](std::string& t) { t = "\r\n\r\n"; }, "The file holds no table"},
      {"a JX table", [&jx](std::string& t) { t = jx; },
       "Line 2, column 1: the row names \"1000\" RPM where the table has 500 RPM (row 1 of 18)."},
      {"ten megabytes of blank lines after it", [](std::string& t) { t += std::string(10'000'000, '\n'); }, ""},
      {"a ten-megabyte row", [](std::string& t) { ReplaceFirst(t, "\n750,0,", "\n750," + std::string(10'000'000, '7') + ","); },
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

}  // namespace
