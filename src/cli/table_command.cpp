// ventrel-cli table: one table of a data file as the grid shows it, or as the CSV that
// Export Table writes and import reads.
#include <iomanip>
#include <iostream>

#include "cli/command.h"
#include "cli/data_commands.h"
#include "cli/data_file_loading.h"
#include "cli/table_argument.h"
#include "compare/table_csv.h"
#include "tables/cell_codec.h"
#include "tables/cell_text.h"
#include "tables/table_map.h"

namespace cli {

namespace {

constexpr const char* kUsage = "usage: ventrel-cli table FILE.dat front|rear|retard [--csv]\n";
constexpr int kLabelWidth = 8;
constexpr int kCellWidth = 6;

void PrintRow(const std::string& label, const std::vector<std::string>& cells) {
  std::cout << std::left << std::setw(kLabelWidth) << label << std::right;
  for (const std::string& cell : cells) std::cout << std::setw(kCellWidth) << cell;
  std::cout << "\n";
}

}  // namespace

int RunTable(const std::vector<std::string>& arguments) {
  std::vector<std::string> positional;
  bool csv = false;
  for (const std::string& argument : arguments) {
    if (argument == "--csv") {
      csv = true;
    } else {
      positional.push_back(argument);
    }
  }
  const std::optional<tables::TableId> table =
      positional.size() == 2 ? TableNamed(positional[1]) : std::nullopt;
  if (!table) {
    std::cerr << kUsage;
    return kExitUsage;
  }
  const std::optional<core::ModuleImage> image = LoadDataFile("table", positional[0]);
  if (!image) return kExitFailed;
  if (!DataHaveTable("table", positional[0], *image, *table)) return kExitFailed;
  if (csv) {
    std::cout << compare::TableCsv(*image, *table);
    return kExitOK;
  }
  const tables::TableLayout layout = tables::TableLayoutFor(image->ModuleVersion);
  PrintRow(tables::kCornerLabel, {tables::kTpsLabels.begin(), tables::kTpsLabels.end()});
  for (int r = 1; r <= layout.rows; ++r) {
    std::vector<std::string> cells;
    for (int c = 1; c <= tables::kTpsColumns; ++c) {
      cells.push_back(
          tables::FormatWhole(tables::ReadCell(*image, *table, layout.rows, r, c).displayed));
    }
    PrintRow(layout.rpmLabels[r - 1], cells);
  }
  return kExitOK;
}

}  // namespace cli
