// The block of cells the grid's context menu works on, and what Copy, Paste and Modify
// share: the KQ refusal, the clamp to the allowed range, the chart batch.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/host.h"
#include "tables/chart.h"
#include "tables/grid.h"
#include "tables/table_map.h"

namespace tables {

// The selected cells of the table itself, rows 1..R and columns 1..9: header cells are
// never written. Nothing when only header cells are selected.
std::optional<CellRect> SelectedDataCells(const Grid& grid);

// The locked zone is the table's top-left corner, so a block reaches into it exactly
// when its top-left or its bottom-right cell is locked.
bool ReachesLockedZone(std::string_view moduleVersion, const CellRect& cells);

// Names one operation of the context menu for its messages: "copy", "paste", "modify".
struct SelectionOperation {
  const char* verb;
  const char* title;
};
inline constexpr SelectionOperation kCopyOperation{"copy", "Copy Operation"};
inline constexpr SelectionOperation kPasteOperation{"paste", "Paste Operation"};
inline constexpr SelectionOperation kModifyOperation{"modify", "Modify Operation"};

// The data cells an operation may work on, after telling the user why there are none:
// only header cells selected, or (KQ editions) a block reaching into the locked zone.
std::optional<CellRect> CellsToWorkOn(const Grid& grid, std::string_view moduleVersion,
                                      SelectionOperation operation, core::Host& host);

// Below the lowest allowed value becomes the lowest, above the highest the highest.
double ClampToRange(TableKind kind, double value);

// The chart height of a displayed value: the retard table is charted positive.
double ChartValueOf(TableKind kind, double displayed);

// The cell's place as the user reads it in the grid's headers: "1000 RPM, 60% TPS".
std::string CellPlace(const Grid& grid, int row, int col);

// While a block of cells changes: the value label hidden, the chart batched, the batch
// ended however the change ends.
class ChartBatch {
 public:
  explicit ChartBatch(Chart& chart);
  ~ChartBatch();
  ChartBatch(const ChartBatch&) = delete;
  ChartBatch& operator=(const ChartBatch&) = delete;

 private:
  Chart& chart_;
  bool batching_;
};

// While many cells change: the grid stops redrawing, and redraws once at the end.
class GridRedraw {
 public:
  explicit GridRedraw(Grid& grid) : grid_(grid) { grid_.SetRedraw(false); }
  ~GridRedraw() { grid_.SetRedraw(true); }
  GridRedraw(const GridRedraw&) = delete;
  GridRedraw& operator=(const GridRedraw&) = delete;

 private:
  Grid& grid_;
};

}  // namespace tables
