// Without an OpenGL context the chart shows its placeholder and the table editor still
// opens, charts and saves tables.
#include <gtest/gtest.h>

#include <QLabel>

#include "qt/table_chart.h"
#include "qt/table_grid.h"
#include "window_rig.h"

namespace {

TEST(TableChartPlaceholder, OffscreenOpenShowsThePlaceholderBesideTheGrid) {
  qttest::WindowRig<> rig;
  rig.window.show();
  rig.Load("QL2 KQ");
  rig.Trigger("mnuEditRetardTbl");
  qtui::TableChart& chart = *rig.window.chart();
  EXPECT_FALSE(chart.HasSurface());
  EXPECT_NE(chart.findChild<QLabel*>(QStringLiteral("chartPlaceholder")), nullptr);
  EXPECT_TRUE(chart.isVisible());
  ASSERT_TRUE(rig.window.grid()->isVisible());
  EXPECT_EQ(rig.window.grid()->Rows(), 19);
  EXPECT_DOUBLE_EQ(chart.Height(18, 9), 4);
  EXPECT_EQ(rig.window.grid()->TextMatrix(18, 9), "-4");
  rig.Trigger("mnuSaveTbl");
  EXPECT_FALSE(rig.window.grid()->isVisible());
  EXPECT_TRUE(rig.host.boxes.empty());
}

}  // namespace
