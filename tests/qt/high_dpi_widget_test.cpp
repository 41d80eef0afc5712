// The main window, its table and the parameter dialog at twice the scale on a 1920x1080
// screen (a virtual X display run with QT_SCALE_FACTOR=2): everything within the screen,
// the grid's text and the chart's labels drawn at the screen's full resolution.
#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QScreen>
#include <QTest>

#include "qt/frm_params2.h"
#include "qt/table_chart.h"
#include "qt/table_grid.h"
#include "window_rig.h"

namespace {

bool Fits(const QWidget& widget) {
  return widget.screen()->availableGeometry().contains(widget.frameGeometry());
}

TEST(HighDpi, TheWindowAnOpenTableAndTheParameterDialogFitTheScreenAndTheGridShowsWholeRows) {
  ASSERT_EQ(QGuiApplication::primaryScreen()->devicePixelRatio(), 2.0)
      << "run with QT_SCALE_FACTOR=2";
  qttest::WindowRig<> rig;
  rig.Load("JX");
  rig.window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&rig.window));
  EXPECT_TRUE(Fits(rig.window));
  rig.Trigger("mnuEditFrontCylTrimTbl");
  qtui::TableGrid& grid = *rig.window.grid();
  ASSERT_TRUE(grid.isVisible());
  // Every row is as high as the first (the layout's test): whole rows of text.
  EXPECT_GE(grid.rowHeight(0), grid.fontMetrics().height());
  // All ten columns side by side beside the chart.
  EXPECT_LE(grid.horizontalHeader()->length(), grid.width());
  // The chart is drawn at the size asked for, not scaled from half of it.
  ASSERT_TRUE(rig.window.chart()->HasSurface());
  EXPECT_EQ(rig.window.chart()->Render(QSize(400, 300)).size(), QSize(400, 300));

  qtui::frmParams2 dialog(rig.host);
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  EXPECT_TRUE(Fits(dialog));
}

}  // namespace
