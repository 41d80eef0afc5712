// The table controls' layout in the main window's client area.
#include "app/form_layout.h"

#include <gtest/gtest.h>

#include "fakes/fake_chart.h"
#include "fakes/fake_grid.h"

namespace {

TEST(FormLayout, GridLeftChartRightAndRowsAndColumnsFillTheGrid) {
  fakes::FakeGrid grid;
  grid.SetRows(19);
  grid.SetCols(10);
  fakes::FakeChart chart;
  app::LayoutTableControls("Retard Table", grid, chart, 8000, 6000);
  EXPECT_EQ(chart.placement, (std::vector<int>{4000, 0, 4000, 6000}));
  EXPECT_EQ(grid.placement, (std::vector<int>{0, 0, 3850, 5250}));
  EXPECT_EQ(grid.rowHeight, 5250 / 19 - 1);
  EXPECT_EQ(grid.colWidths[5], 3850 / 10 - 1);
  EXPECT_EQ(grid.colWidths[0], 950);
}

TEST(FormLayout, TinyClientAreasGiveEmptyGridsWithoutFailing) {
  EXPECT_EQ(app::PlaceTableControls(299, 6000).grid.width, 0);
  EXPECT_EQ(app::PlaceTableControls(8000, 700).grid.height, 0);
  // 8001 * 0.5 - 150 = 3850.5 goes to the even neighbour.
  EXPECT_EQ(app::PlaceTableControls(8001, 6000).grid.width, 3850);
  fakes::FakeGrid grid;
  fakes::FakeChart chart;
  app::LayoutTableControls("Front Cylinder Fuel Trim Table", grid, chart, 100, 100);
  EXPECT_EQ(grid.rowHeight, 0);
}

TEST(FormLayout, NothingMovesBeforeTheFirstTableOpens) {
  fakes::FakeGrid grid;
  fakes::FakeChart chart;
  app::LayoutTableControls("", grid, chart, 8000, 6000);
  EXPECT_EQ(chart.placement, (std::vector<int>{0, 0, 0, 0}));
  EXPECT_EQ(grid.placement, (std::vector<int>{0, 0, 0, 0}));
}

}  // namespace
