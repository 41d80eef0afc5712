#include "tables/fill_commands.h"

#include <optional>
#include <string>

#include "tables/cell_math.h"
#include "tables/cell_text.h"
#include "tables/entry_check.h"

namespace tables {

namespace {

constexpr const char* kBlanks = " \t\r\n";

std::string RangeText(TableKind kind) {
  const ValueRange range = AllowedRange(kind);
  return FormatWhole(range.lowest) + " to " + FormatWhole(range.highest);
}

CellReader ReaderOf(const Grid& grid) {
  return [&grid](int r, int c) { return CellNumber(grid.TextMatrix(r, c)); };
}

LockTest LockOf(std::string_view moduleVersion) {
  return [moduleVersion](int r, int c) { return IsLocked(moduleVersion, r, c); };
}

// Writes each value as the grid shows values (a whole number within the range) and
// charts the number the cell then holds.
void WriteValues(Grid& grid, Chart& chart, TableKind kind, const std::vector<CellValue>& values) {
  const ChartBatch batch(chart);
  for (const CellValue& cell : values) {
    const std::string text = FormatWhole(ClampToRange(kind, cell.value));
    grid.SetTextMatrix(cell.row, cell.col, text);
    chart.SetHeight(cell.row, cell.col, ChartValueOf(kind, CellNumber(text)));
  }
}

}  // namespace

void InterpolateSelection(Grid& grid, Chart& chart, const OpenTableContext& table,
                          core::Host& host) {
  const std::optional<CellRect> cells =
      CellsToWorkOn(grid, table.moduleVersion, kInterpolateOperation, host);
  if (!cells) return;
  const TableLayout layout = TableLayoutFor(table.moduleVersion);
  const TableAxes axes{{layout.rpm.begin(), layout.rpm.end()},
                       {kTpsPercent.begin(), kTpsPercent.end()}};
  const auto filled = Interpolated(*cells, axes, ReaderOf(grid), LockOf(table.moduleVersion));
  if (!filled) {
    host.MsgBox(kTooFewToInterpolate, kInterpolateOperation.title, core::Buttons::OK,
                core::Icon::Exclamation);
    return;
  }
  WriteValues(grid, chart, table.kind, *filled);
}

void SmoothSelection(Grid& grid, Chart& chart, const OpenTableContext& table, core::Host& host) {
  const std::optional<CellRect> cells =
      CellsToWorkOn(grid, table.moduleVersion, kSmoothOperation, host);
  if (!cells) return;
  WriteValues(
      grid, chart, table.kind,
      Smoothed(*cells, table.rows, kTpsColumns, ReaderOf(grid), LockOf(table.moduleVersion)));
}

void SetSelectionValue(Grid& grid, Chart& chart, const OpenTableContext& table, core::Host& host) {
  const std::optional<CellRect> cells =
      CellsToWorkOn(grid, table.moduleVersion, kSetValueOperation, host);
  if (!cells) return;
  const std::optional<std::string> typed =
      host.InputBox("Enter the value for every selected cell (" + RangeText(table.kind) + ").",
                    kSetValueTitle, "");
  // A cancelled or empty answer changes nothing.
  if (!typed || typed->find_first_not_of(kBlanks) == std::string::npos) return;
  if (const std::optional<EntryRefusal> refusal = CheckEntry(table.kind, false, *typed)) {
    host.MsgBox(refusal->message, refusal->title, core::Buttons::OK, core::Icon::Critical);
    return;
  }
  const double value = CellNumber(*typed);
  std::vector<CellValue> values;
  for (int r = cells->row1; r <= cells->row2; ++r) {
    for (int c = cells->col1; c <= cells->col2; ++c) {
      if (!IsLocked(table.moduleVersion, r, c)) values.push_back({r, c, value});
    }
  }
  WriteValues(grid, chart, table.kind, values);
}

void StepSelection(Grid& grid, Chart& chart, const OpenTableContext& table, double units,
                   core::Host& host) {
  const std::optional<CellRect> cells =
      CellsToWorkOn(grid, table.moduleVersion, kStepOperation, host);
  if (!cells) return;
  WriteValues(grid, chart, table.kind,
              Stepped(*cells, table.kind, units, ReaderOf(grid), LockOf(table.moduleVersion)));
}

}  // namespace tables
