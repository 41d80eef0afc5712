// Export Table and Import Table: the open table as CSV for spreadsheets, and back.
#pragma once

#include <cstddef>

#include "app/session.h"
#include "tables/chart.h"
#include "tables/grid.h"

namespace app {

inline constexpr const char* kExportTableTitle = "Export Table";
inline constexpr const char* kImportTableTitle = "Import Table";
// A table's CSV takes a few kilobytes; far larger files are refused before they are read.
inline constexpr std::size_t kLargestTableCsv = std::size_t{64} * 1024 * 1024;

// Writes the open table, unsaved entries included, as ventrel-cli table --csv prints it.
void ExportTable(Session& session, const tables::Grid& grid);

// Reads a CSV file into the open table as one change of the grid, which Save Table Edits
// To Buffer then keeps. Anything wrong in the file is named by line and column, and then
// nothing changes.
void ImportTable(Session& session, tables::Grid& grid, tables::Chart& chart);

}  // namespace app
