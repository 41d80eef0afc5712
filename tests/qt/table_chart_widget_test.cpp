// The 3D chart on a real display: the front table of an example JX tune beside its
// surface. Which answers to the close request save and close is the shell's test.
#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>

#include "qt/chart_snapshot.h"
#include "qt/table_chart.h"
#include "qt/table_grid.h"
#include "tables/cell_codec.h"
#include "tables/cell_text.h"
#include "tables/chart_template.h"
#include "window_rig.h"

namespace {

namespace fs = std::filesystem;

// What the table holds, its labels and the captions are the editor's tests on the fake
// chart; here, the real 3D surface beside the grid and the chart page drawn alike.
TEST(TableChartWidgetTest, TheFrontTableOfAJXTuneIsChartedAsItsPrintedPage) {
  qttest::WindowRig<> rig;
  qtui::frmMain& window = rig.window;
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  rig.Load("JX");
  rig.Trigger("mnuEditFrontCylTrimTbl");
  qtui::TableGrid& grid = *window.grid();
  qtui::TableChart& chart = *window.chart();
  ASSERT_TRUE(grid.isVisible());
  ASSERT_TRUE(chart.isVisible());
  ASSERT_TRUE(chart.HasSurface());
  EXPECT_FALSE(grid.currentIndex().isValid());  // the corner is current: no cell is marked
  const core::ModuleImage& image = window.session().image;
  const double expected = tables::ReadCell(image, tables::TableId::FrontCylTrim, 22, 22, 9).chart;
  EXPECT_NEAR(chart.SurfaceHeight(22, 9), expected, 1e-4);

  // The printed chart page of the command line is drawn with the same set-up.
  const QSize page(480, 360);
  qtui::ChartSnapshot snapshot(
      tables::ReadChartTemplate(fs::path(VENTREL_DATA_DIR) / "Quillon_JX_CylTrim_Chart.oc3"),
      window.session().editor.TableChartData);
  ASSERT_TRUE(snapshot.Available());
  const QImage printed = snapshot.Render(page).convertToFormat(QImage::Format_RGB32);
  const QImage shown = chart.Render(page).convertToFormat(QImage::Format_RGB32);
  int differing = 0;
  for (int y = 0; y < page.height(); ++y) {
    for (int x = 0; x < page.width(); ++x) differing += printed.pixel(x, y) != shown.pixel(x, y);
  }
  EXPECT_LT(differing, page.width() * page.height() / 100);
  // The value of the current cell is written over the 3D view whatever GL can draw.
  grid.SetCurrentCell(22, 9);
  EXPECT_EQ(chart.ValueLine().toStdString(), "9500 RPM, 100 %: " + tables::FormatWhole(expected));
  EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("lblChartTitle"))->text(), "Fuel Trim");
}

}  // namespace
