#include "app/form_layout.h"

#include <algorithm>
#include <cmath>

#include "tables/table_map.h"

namespace app {

namespace {

// To a whole number with exact halves to the even neighbour, never below 0.
int WholeTwips(double length) { return std::max(0, static_cast<int>(std::nearbyint(length))); }

}  // namespace

TableControlsPlacement PlaceTableControls(int w, int h, int freeBelowGrid) {
  const double half = w * 0.5;
  return {{WholeTwips(half), 0, WholeTwips(half), std::max(0, h)},
          {0, 0, WholeTwips(half - kGridRightMargin),
           WholeTwips(h - std::max(kGridBottomSpace, freeBelowGrid))}};
}

void LayoutTableControls(const std::string& activeTableName, tables::Grid& grid,
                         tables::Chart& chart, int w, int h, int freeBelowGrid) {
  if (!tables::TableFromName(activeTableName)) return;
  const TableControlsPlacement placement = PlaceTableControls(w, h, freeBelowGrid);
  chart.Move(placement.chart.left, placement.chart.top, placement.chart.width,
             placement.chart.height);
  grid.Move(placement.grid.left, placement.grid.top, placement.grid.width, placement.grid.height);
  // A grid too small for its rows gets rows of no height rather than a failure.
  grid.SetRowHeights(std::max(0, grid.ClientHeight() / kGridRowDivisor - 1));
  // The nine data columns share what the first column leaves, so the last of them is
  // never cut off while the grid is wide enough for all ten.
  grid.SetColWidths(
      std::max(0, (grid.ClientWidth() - kGridFirstColumnWidth) / tables::kTpsColumns - 1));
  grid.SetColWidth(0, kGridFirstColumnWidth);
}

}  // namespace app
