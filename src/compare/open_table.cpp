#include "compare/open_table.h"

#include <algorithm>

#include "compare/number_text.h"
#include "tables/cell_codec.h"
#include "tables/cell_text.h"
#include "tables/selection.h"

namespace compare {

namespace {

// The text the grid showed for the cell when the table was opened.
std::string OpenedText(const core::ModuleImage& image, tables::TableId table, int rows, int r,
                       int c) {
  return tables::FormatWhole(tables::ReadCell(image, table, rows, r, c).displayed);
}

}  // namespace

core::ModuleImage TuneWithOpenTable(const core::ModuleImage& image, const tables::Grid& grid,
                                    tables::TableId table) {
  core::ModuleImage tune = image;
  const tables::TableLayout layout = tables::TableLayoutFor(image.ModuleVersion);
  const int rows = std::min(layout.rows, grid.Rows() - 1);
  const int cols = std::min(tables::kTpsColumns, grid.Cols() - 1);
  for (int c = 1; c <= cols; ++c) {
    for (int r = 1; r <= rows; ++r) {
      const std::string text = grid.TextMatrix(r, c);
      if (text == OpenedText(image, table, layout.rows, r, c)) continue;
      tables::SetCellByte(tune, table, layout.rows, r, c,
                          tables::EncodeCell(tables::KindOf(table), tables::CellNumber(text)));
    }
  }
  return tune;
}

std::vector<CellChange> ChangesFor(const core::ModuleImage& image, const tables::Grid& grid,
                                   tables::TableId table, const std::vector<CellValue>& values) {
  const int rows = tables::TableLayoutFor(image.ModuleVersion).rows;
  std::vector<CellChange> changes;
  for (const CellValue& cell : values) {
    if (cell.row < 1 || cell.row > rows || cell.col < 1 || cell.col > tables::kTpsColumns ||
        tables::IsLocked(image.ModuleVersion, cell.row, cell.col)) {
      continue;
    }
    const std::uint8_t stored = tables::CellByte(image, table, rows, cell.row, cell.col);
    const std::string text = tables::EncodeCell(tables::KindOf(table), cell.value) == stored
                                 ? OpenedText(image, table, rows, cell.row, cell.col)
                                 : Unrounded(cell.value);
    if (text != grid.TextMatrix(cell.row, cell.col)) changes.push_back({cell.row, cell.col, text});
  }
  return changes;
}

void ApplyCellChanges(tables::Grid& grid, tables::Chart& chart, tables::TableKind kind,
                      const std::vector<CellChange>& changes) {
  if (changes.empty()) return;
  const tables::ChartBatch batch(chart);
  grid.SetRedraw(false);
  try {
    for (const CellChange& change : changes) {
      grid.SetTextMatrix(change.row, change.col, change.text);
      chart.SetHeight(change.row, change.col,
                      tables::ChartValueOf(kind, tables::CellNumber(change.text)));
    }
  } catch (...) {
    grid.SetRedraw(true);
    throw;
  }
  grid.SetRedraw(true);
}

}  // namespace compare
