// The whole path on a real display: open an example JX tune, open the front table in the
// grid beside its 3D surface, save the table and the file.
#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>

#include "fakes/temp_folder.h"
#include "files/data_file.h"
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

TEST_F(TableChartWidgetTest, OpenJXTuneShowTheFrontTableAndSave) {
  const fs::path tune = folder_.path() / "t.dat";
  const core::ModuleImage base = files::BaseTune("JX");
  files::WriteDataFile(tune, core::EncodeDataFile(base));
  host_.ExpectFileDialog(tune.string());
  host_.ExpectBox(core::Answer::OK);
  Trigger("mnuOpenFile");
  EXPECT_EQ(window_.windowTitle().toStdString(), "Ventrel Version 5.0 - t.dat");
  EXPECT_TRUE(rig_.Item("mnuEditRetardTbl")->isVisible());

  Trigger("mnuEditFrontCylTrimTbl");
  qtui::TableGrid& grid = *window_.grid();
  qtui::TableChart& chart = *window_.chart();
  ASSERT_TRUE(grid.isVisible());
  ASSERT_TRUE(chart.isVisible());
  ASSERT_TRUE(chart.HasSurface());
  EXPECT_EQ(window_.windowTitle().toStdString(),
            "Ventrel Version 5.0 - t.dat - Front Cylinder Fuel Trim Table");
  ASSERT_EQ(grid.Rows(), 23);
  EXPECT_EQ(grid.TextMatrix(0, 0), "RPM/TPS");
  EXPECT_EQ(grid.TextMatrix(1, 0), "1000");
  EXPECT_EQ(grid.TextMatrix(22, 0), "9500");
  EXPECT_EQ(grid.TextMatrix(0, 9), "100%");
  EXPECT_FALSE(grid.currentIndex().isValid());  // the corner is current: no cell is marked
  const double expected = tables::ReadCell(base, tables::TableId::FrontCylTrim, 22, 22, 9).chart;
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


  Trigger("mnuSaveTbl");
  EXPECT_FALSE(grid.isVisible());
  const fs::path saved = folder_.path() / "saved";
  host_.ExpectFileDialog(saved.string());
  Trigger("mnuSaveFile");
  EXPECT_EQ(window_.windowTitle().toStdString(), "Ventrel Version 5.0 - saved.dat");
  EXPECT_EQ(fakes::ReadFile(folder_.path() / "saved.dat"), fakes::ReadFile(tune));
}

TEST_F(TableChartWidgetTest, CloseRequestYesSavesAndACancelledSaveKeepsTheWindow) {
  rig_.Load("VOSK");
  Trigger("mnuEditRearCylTrimTbl");
  ASSERT_TRUE(window_.chart()->isVisible());
  host_.ExpectBox(core::Answer::Yes);  // Save data before exiting?
  host_.ExpectBox(core::Answer::No);   // Save table edits to buffer before closing?
  host_.ExpectFileDialog(std::nullopt);
  EXPECT_FALSE(window_.close());
  EXPECT_EQ(host_.boxes[0].text, "Save data before exiting?");

  rig_.Load("VOSK");
  Trigger("mnuEditRearCylTrimTbl");
  const fs::path out = folder_.path() / "exit.dat";
  host_.ExpectBox(core::Answer::Yes);
  host_.ExpectBox(core::Answer::Yes);
  host_.ExpectFileDialog(out.string());
  EXPECT_TRUE(window_.close());
  EXPECT_EQ(fs::file_size(out), 1360u);
}

}  // namespace
