#include "tables/selection.h"

#include <algorithm>
#include <cmath>

#include "core/editions.h"

namespace tables {

namespace {

constexpr const char* kNoTableCells =
    "Only header cells are selected. Select the table cells to %s, then try again.";

std::string Replace(std::string_view pattern, std::string_view value) {
  std::string text(pattern);
  text.replace(text.find("%s"), 2, value);
  return text;
}

}  // namespace

std::optional<CellRect> SelectedDataCells(const Grid& grid) {
  const CellRect selected = grid.Selection();
  const CellRect cells{std::max(1, selected.row1), std::max(1, selected.col1),
                       std::min(grid.Rows() - 1, selected.row2),
                       std::min(grid.Cols() - 1, selected.col2)};
  if (cells.row1 > cells.row2 || cells.col1 > cells.col2) return std::nullopt;
  return cells;
}

bool ReachesLockedZone(std::string_view moduleVersion, const CellRect& cells) {
  return IsLocked(moduleVersion, cells.row1, cells.col1) ||
         IsLocked(moduleVersion, cells.row2, cells.col2);
}

std::optional<CellRect> CellsToWorkOn(const Grid& grid, std::string_view moduleVersion,
                                      SelectionOperation operation, core::Host& host) {
  const std::optional<CellRect> cells = SelectedDataCells(grid);
  if (!cells) {
    host.MsgBox(Replace(kNoTableCells, operation.verb), operation.title, core::Buttons::OK,
                core::Icon::Exclamation);
    return std::nullopt;
  }
  if (core::IsRestrictedEdition(moduleVersion) && ReachesLockedZone(moduleVersion, *cells)) {
    host.MsgBox("Attempted " + std::string(operation.verb) +
                    " operation outside allowed KQ version edit area.",
                operation.title, core::Buttons::OK, core::Icon::Critical);
    return std::nullopt;
  }
  return cells;
}

double ClampToRange(TableKind kind, double value) {
  // No trim and no retard lie within both ranges; a value that is no number gets it.
  if (std::isnan(value)) return 0;
  const ValueRange range = AllowedRange(kind);
  return std::clamp(value, range.lowest, range.highest);
}

double ChartValueOf(TableKind kind, double displayed) {
  return kind == TableKind::Retard ? -displayed : displayed;
}

std::string CellPlace(const Grid& grid, int row, int col) {
  return grid.TextMatrix(row, 0) + " RPM, " + grid.TextMatrix(0, col) + " TPS";
}

ChartBatch::ChartBatch(Chart& chart) : chart_(chart), batching_(chart.Visible()) {
  if (!batching_) return;
  chart_.SetValueLabelVisible(false);
  chart_.SetBatchUpdating(true);
}

ChartBatch::~ChartBatch() {
  // A chart left batching would stop drawing; end it even after a failure.
  if (batching_) chart_.SetBatchUpdating(false);
}

}  // namespace tables
