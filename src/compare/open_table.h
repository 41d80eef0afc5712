// The open table's grid against the data in memory: the tune as it stands with the user's
// unsaved entries, and changes of whole blocks of cells made in one go.
#pragma once

#include <string>
#include <vector>

#include "core/module_image.h"
#include "tables/chart.h"
#include "tables/grid.h"
#include "tables/table_map.h"

namespace compare {

struct CellValue {
  int row = 0;
  int col = 0;
  double value = 0;
};

struct CellChange {
  int row = 0;
  int col = 0;
  std::string text;
};

// The image with the open table's cells as saving the table would write them, except that
// a cell still showing the value it opened with keeps its exact byte (saving re-encodes
// the shown whole number, which may move it by a step).
core::ModuleImage TuneWithOpenTable(const core::ModuleImage& image, const tables::Grid& grid,
                                    tables::TableId table);

// The grid texts that give these cells these values. A value that encodes to the stored
// byte shows as the table opened; any other is written unrounded, so that saving stores
// exactly its byte. Cells of the locked zone, and cells already so, are left out.
std::vector<CellChange> ChangesFor(const core::ModuleImage& image, const tables::Grid& grid,
                                   tables::TableId table, const std::vector<CellValue>& values);

// Applies the whole change at once: the grid texts and the chart heights. Import Table and
// taking cells from another tune each make exactly one such call, which is one step to undo.
void ApplyCellChanges(tables::Grid& grid, tables::Chart& chart, tables::TableKind kind,
                      const std::vector<CellChange>& changes);

}  // namespace compare
