// New values for a block of cells: filled in along the axes, smoothed, or stepped. Cells
// of the KQ locked zone never change and never count.
#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "tables/grid.h"
#include "tables/table_map.h"

namespace tables {

struct CellValue {
  int row = 0;
  int col = 0;
  double value = 0;
  bool operator==(const CellValue&) const = default;
};

using CellReader = std::function<double(int row, int col)>;
using LockTest = std::function<bool(int row, int col)>;

// The RPM of each row and the TPS of each column, from 1: the axes are not evenly spaced.
struct TableAxes {
  std::vector<double> rows;
  std::vector<double> cols;
};

// One row: its inner cells linearly between its two end cells; one column likewise; a
// block bilinearly from its four corners. Linear in the axis values, not in positions.
// Nothing when the block has no cell to fill (one cell, two, or two by two).
std::optional<std::vector<CellValue>> Interpolated(const CellRect& cells, const TableAxes& axes,
                                                   const CellReader& value, const LockTest& locked);

// Each cell the weighted mean of itself (4), its edge neighbours (2) and its corner
// neighbours (1) within the table, all read before any changes.
std::vector<CellValue> Smoothed(const CellRect& cells, int rows, int cols, const CellReader& value,
                                const LockTest& locked);

// Each cell moved by units, stopping at the table's range.
std::vector<CellValue> Stepped(const CellRect& cells, TableKind kind, double units,
                               const CellReader& value, const LockTest& locked);

}  // namespace tables
