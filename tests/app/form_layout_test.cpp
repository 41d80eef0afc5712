// The table controls' layout in the main window's client area, in twips.
#include "app/form_layout.h"

#include <gtest/gtest.h>

#include <vector>

#include "fakes/fake_chart.h"
#include "fakes/fake_grid.h"

namespace {

using Place = std::vector<int>;

TEST(FormLayout, GridLeftChartRightRowsAndColumnsFillTheGridAndTinyAreasGiveNoNegatives) {
  fakes::FakeGrid grid;
  grid.SetRows(19);
  grid.SetCols(10);
  fakes::FakeChart chart;
  // Nothing moves before the first table opens.
  app::LayoutTableControls("", grid, chart, 8000, 6000);
  EXPECT_EQ(chart.placement, (Place{0, 0, 0, 0}));
  app::LayoutTableControls("Retard Table", grid, chart, 8000, 6000);
  EXPECT_EQ(chart.placement, (Place{4000, 0, 4000, 6000}));
  EXPECT_EQ(grid.placement, (Place{0, 0, 3850, 5250}));
  EXPECT_EQ(grid.rowHeight, 5250 / 19 - 1);
  EXPECT_EQ(grid.colWidths[5], (3850 - 950) / 9 - 1);  // all ten columns within the grid
  EXPECT_EQ(grid.colWidths[0], 950);
  app::LayoutTableControls("Front Cylinder Fuel Trim Table", grid, chart, 100, 100);
  EXPECT_EQ(grid.rowHeight, 0);
  EXPECT_EQ(app::PlaceTableControls(299, 6000).grid.width, 0);
  EXPECT_EQ(app::PlaceTableControls(8000, 700).grid.height, 0);
  // 8001 * 0.5 - 150 = 3850.5 goes to the even neighbour.
  EXPECT_EQ(app::PlaceTableControls(8001, 6000).grid.width, 3850);
}

}  // namespace
