// How the data cells of the open table look: the KQ locked zone pure red, the others by
// value on the heat map (or in the grid's own colours), with the mark and tool tip of a
// cell whose value differs from the data as last loaded, downloaded or saved.
#pragma once

#include <optional>

#include "core/module_image.h"
#include "tables/grid.h"
#include "tables/table_map.h"

namespace tables {

class CellPainter {
 public:
  explicit CellPainter(const core::ModuleImage& image) : image_(image) {}

  void Attach(Grid& grid) { grid_ = &grid; }

  bool HeatMap() const { return heatMap_; }
  void SetHeatMap(bool on) { heatMap_ = on; }
  bool ShowChanges() const { return showChanges_; }
  void SetShowChanges(bool on) { showChanges_ = on; }

  // The data now in memory are the ones changes are marked against (new data have
  // replaced the image).
  void TakeBaseline();
  // New data are coming: the next table shown takes its baseline from them.
  void DropBaseline() { baseline_.reset(); }
  // Before a table is shown: data that equal their file were just loaded or saved and
  // become the baseline, as do the first data seen.
  void FollowFile();

  // A cell as it looks when it is not the current cell.
  void PaintResting(TableId table, int row, int col) const;
  // A cell whose text may have changed: the current cell keeps its highlight.
  void Paint(TableId table, int row, int col) const;
  void PaintAll(TableId table) const;

 private:
  void PaintNote(TableId table, int row, int col) const;

  const core::ModuleImage& image_;
  Grid* grid_ = nullptr;
  std::optional<core::ModuleImage> baseline_;
  bool heatMap_ = true;
  bool showChanges_ = true;
};

}  // namespace tables
