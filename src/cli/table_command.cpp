// ventrel-cli table: one table of a data file as the grid shows it, or as CSV with the
// unrounded values.
#include <charconv>
#include <iomanip>
#include <iostream>

#include "cli/command.h"
#include "cli/data_commands.h"
#include "cli/data_file_loading.h"
#include "core/editions.h"
#include "tables/cell_codec.h"
#include "tables/cell_text.h"
#include "tables/table_map.h"

namespace cli {

namespace {

constexpr const char* kUsage = "usage: ventrel-cli table FILE.dat front|rear|retard [--csv]\n";
constexpr int kLabelWidth = 8;
constexpr int kCellWidth = 6;

std::optional<tables::TableId> TableNamed(const std::string& name) {
  if (name == "front") return tables::TableId::FrontCylTrim;
  if (name == "rear") return tables::TableId::RearCylTrim;
  if (name == "retard") return tables::TableId::Retard;
  return std::nullopt;
}

// The shortest text that reads back as the same double; never "-0".
std::string Unrounded(double value) {
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text, value + 0.0).ptr;
  return std::string(text, end);
}

void PrintRow(const std::string& label, const std::vector<std::string>& cells, bool csv) {
  if (csv) {
    std::cout << label;
    for (const std::string& cell : cells) std::cout << ',' << cell;
  } else {
    std::cout << std::left << std::setw(kLabelWidth) << label << std::right;
    for (const std::string& cell : cells) std::cout << std::setw(kCellWidth) << cell;
  }
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
  if (*table == tables::TableId::Retard && !core::IsSecondGeneration(image->ModuleVersion)) {
    std::cerr << "ventrel-cli table: " << positional[0] << " holds " << image->ModuleVersion
              << " data; only Quillon II editions have a retard table\n";
    return kExitFailed;
  }
  const tables::TableLayout layout = tables::TableLayoutFor(image->ModuleVersion);
  std::vector<std::string> header(tables::kTpsLabels.begin(), tables::kTpsLabels.end());
  PrintRow(tables::kCornerLabel, header, csv);
  for (int r = 1; r <= layout.rows; ++r) {
    std::vector<std::string> cells;
    for (int c = 1; c <= tables::kTpsColumns; ++c) {
      const double shown = tables::ReadCell(*image, *table, layout.rows, r, c).displayed;
      cells.push_back(csv ? Unrounded(shown) : tables::FormatWhole(shown));
    }
    PrintRow(layout.rpmLabels[r - 1], cells, csv);
  }
  return kExitOK;
}

}  // namespace cli
