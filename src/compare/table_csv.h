// One table as a spreadsheet reads it: a header row (the corner label and the nine TPS
// labels), then one row per RPM with its label and the nine values at full precision,
// separated by commas. The reader takes back what spreadsheets make of it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/module_image.h"
#include "tables/table_map.h"

namespace compare {

inline constexpr const char* kCsvFilter = "CSV files (*.csv)|*.csv|All Files (*.*)|*.*";
inline constexpr const char* kCsvSuffix = ".csv";

// The values of one table, rows 1..rows by columns 1..9.
struct TableValues {
  int rows = 0;
  std::vector<double> cells;

  double At(int r, int c) const {
    const int at = (r - 1) * tables::kTpsColumns + c - 1;
    return cells.at(static_cast<std::size_t>(at));
  }
};

// The table as the editor shows it (0 in a locked cell), unrounded; rows end in LF.
std::string TableCsv(const core::ModuleImage& image, tables::TableId table);

// The values, or the first problem: which line and column, and what is wrong there.
struct CsvReading {
  std::optional<TableValues> values;
  std::string problem;
};

// Reads a table for data of the given edition: the shape and the labels of its layout,
// every value a number whose cell may take it (its range, the KQ locked zone). Takes a
// byte order mark, CR LF, LF or CR line ends, blank lines, quoted fields, empty cells after
// the last column, and ";" as the separator when the header holds no ",".
CsvReading ReadTableCsv(std::string_view text, std::string_view moduleVersion,
                        tables::TableId table);

struct CellWrite {
  int row = 0;
  int col = 0;
  std::uint8_t byte = 0;
};

// The cells whose values encode to other bytes than the image holds, with their new
// bytes; cells of the locked zone never change.
std::vector<CellWrite> ChangedBytes(const core::ModuleImage& image, tables::TableId table,
                                    const TableValues& values);

}  // namespace compare
