// The main window's layout of the table controls: the grid in the left half, the chart
// in the right half, the grid's rows and columns sized to fill it. Lengths in twips.
#pragma once

#include <string>

#include "tables/chart.h"
#include "tables/grid.h"

namespace app {

inline constexpr int kGridRightMargin = 150;
inline constexpr int kGridBottomSpace = 750;
inline constexpr int kGridFirstColumnWidth = 950;
inline constexpr int kGridRowDivisor = 19;

struct Placement {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const Placement&) const = default;
};

struct TableControlsPlacement {
  Placement chart;
  Placement grid;
};

// For a client area of width w and height h. The strip under the grid is at least
// freeBelowGrid high, so the frames shown there fit.
TableControlsPlacement PlaceTableControls(int w, int h, int freeBelowGrid = 0);

// The table part of Form_Resize: once a table has been opened since start-up, places
// the chart and the grid and sizes the grid's rows and columns.
void LayoutTableControls(const std::string& activeTableName, tables::Grid& grid,
                         tables::Chart& chart, int w, int h, int freeBelowGrid = 0);

}  // namespace app
