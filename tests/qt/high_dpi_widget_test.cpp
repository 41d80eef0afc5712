// The main window, its table and the parameter dialog at twice the scale on a 1920x1080
// screen (a virtual X display run with QT_SCALE_FACTOR=2): everything within the screen,
// the grid's text and the chart's labels drawn at the screen's full resolution.
#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "qt/frm_params2.h"
#include "qt/table_chart.h"
#include "qt/table_grid.h"
#include "window_rig.h"

namespace {

QRect Available(const QWidget& widget) { return widget.screen()->availableGeometry(); }

class HighDpiTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(QGuiApplication::primaryScreen()->devicePixelRatio(), 2.0)
        << "run with QT_SCALE_FACTOR=2";
  }
};

TEST_F(HighDpiTest, TheWindowAndAnOpenTableFitTheScreenAndTheGridShowsWholeRows) {
  qttest::WindowRig<> rig;
  rig.Load("JX");
  rig.window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&rig.window));
  EXPECT_TRUE(Available(rig.window).contains(rig.window.frameGeometry()))
      << "window " << rig.window.frameGeometry().width() << "x"
      << rig.window.frameGeometry().height();
  rig.Trigger("mnuEditFrontCylTrimTbl");
  qtui::TableGrid& grid = *rig.window.grid();
  ASSERT_TRUE(grid.isVisible());
  const int textHeight = grid.fontMetrics().height();
  for (int r = 0; r < 19; ++r) {
    EXPECT_GE(grid.verticalHeader()->sectionSize(r), textHeight) << "row " << r;
  }
  // All ten columns side by side beside the chart.
  int width = 0;
  for (int c = 0; c < grid.Cols(); ++c) width += grid.horizontalHeader()->sectionSize(c);
  EXPECT_LE(width, grid.width());
  // The chart is drawn at the screen's resolution, not scaled up from half of it.
  qtui::TableChart& chart = *rig.window.chart();
  ASSERT_TRUE(chart.HasSurface());
  const QImage picture = chart.Render(QSize(400, 300));
  EXPECT_EQ(picture.size(), QSize(400, 300));
}

TEST_F(HighDpiTest, TheNineteenParameterDialogFitsTheScreen) {
  fakes::ScriptedHost host;
  qtui::frmParams2 dialog(host);
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  EXPECT_TRUE(Available(dialog).contains(dialog.frameGeometry()))
      << "dialog " << dialog.frameGeometry().width() << "x" << dialog.frameGeometry().height();
}

}  // namespace
