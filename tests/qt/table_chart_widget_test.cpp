// The 3D chart on a real display: the front table of an example JX tune beside its
// surface, and the close request that saves the file.
#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>

#include "fakes/temp_folder.h"
#include "qt/chart_snapshot.h"
#include "qt/table_chart.h"
#include "qt/table_grid.h"
#include "tables/cell_codec.h"
#include "tables/cell_text.h"
#include "tables/chart_template.h"
#include "window_rig.h"

namespace {

namespace fs = std::filesystem;

class TableChartWidgetTest : public testing::Test {
 protected:
  TableChartWidgetTest() {
    window_.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&window_));
  }
  void Trigger(const char* name) { rig_.Trigger(name); }

  fakes::TempFolder folder_;
  qttest::WindowRig<> rig_;
  fakes::ScriptedHost& host_ = rig_.host;
  qtui::frmMain& window_ = rig_.window;
};

// What the table holds, its labels and the captions are the editor's tests on the fake
// chart; here, the real 3D surface beside the grid and the chart page drawn alike.
TEST_F(TableChartWidgetTest, TheFrontTableOfAJXTuneIsChartedAsItsPrintedPage) {
  rig_.Load("JX");
  Trigger("mnuEditFrontCylTrimTbl");
  qtui::TableGrid& grid = *window_.grid();
  qtui::TableChart& chart = *window_.chart();
  ASSERT_TRUE(grid.isVisible());
  ASSERT_TRUE(chart.isVisible());
  ASSERT_TRUE(chart.HasSurface());
  EXPECT_FALSE(grid.currentIndex().isValid());  // the corner is current: no cell is marked
  const core::ModuleImage& image = window_.session().image;
  const double expected = tables::ReadCell(image, tables::TableId::FrontCylTrim, 22, 22, 9).chart;
  EXPECT_NEAR(chart.SurfaceHeight(22, 9), expected, 1e-4);

  // The printed chart page of the command line is drawn with the same set-up.
  const QSize page(480, 360);
  qtui::ChartSnapshot snapshot(
      tables::ReadChartTemplate(fs::path(VENTREL_DATA_DIR) / "Quillon_JX_CylTrim_Chart.oc3"),
      window_.session().editor.TableChartData);
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
  EXPECT_EQ(window_.findChild<QLabel*>(QStringLiteral("lblChartTitle"))->text(), "Fuel Trim");
}

// Which answers close is the shell's test; here, that Yes in the real window saves the file.
TEST_F(TableChartWidgetTest, CloseRequestYesSavesTheFile) {
  rig_.Load("VOSK");
  Trigger("mnuEditRearCylTrimTbl");
  ASSERT_TRUE(window_.chart()->isVisible());
  const fs::path out = folder_.path() / "exit.dat";
  host_.ExpectBox(core::Answer::Yes);  // Save data before exiting?
  host_.ExpectBox(core::Answer::Yes);  // Save table edits to buffer before closing?
  host_.ExpectFileDialog(out.string());
  EXPECT_TRUE(window_.close());
  EXPECT_EQ(host_.boxes[0].text, "Save data before exiting?");
  EXPECT_EQ(fs::file_size(out), 1360u);
}

}  // namespace
