// Without an OpenGL context the chart shows its placeholder and the table still opens
// (the editor's tests with the fake chart stand for its charting and saving).
#include <gtest/gtest.h>

#include <QHeaderView>
#include <QLabel>
#include <QScreen>
#include <QScrollBar>
#include <QTest>

#include <QGroupBox>

#include "qt/fra_port_select.h"
#include "qt/table_chart.h"
#include "qt/table_grid.h"
#include "window_rig.h"

namespace {

// At the window's default size, within the screen, the whole 18-row table shows with all
// ten columns, its labels whole; the frames shown under it are wholly in view and in front.
TEST(TableChartPlaceholder, DefaultWindowShowsThePlaceholderTheWholeTableAndTheFramesBelowIt) {
  qttest::WindowRig<> rig;
  qtui::frmMain& window = rig.window;
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  EXPECT_TRUE(window.screen()->availableGeometry().contains(window.frameGeometry()));
  EXPECT_LE(window.minimumWidth(), window.width());
  rig.Load("VOSK");
  rig.Trigger("mnuEditFrontCylTrimTbl");
  // Without GL the chart shows its placeholder beside the grid.
  EXPECT_FALSE(window.chart()->HasSurface());
  EXPECT_NE(window.chart()->findChild<QLabel*>(QStringLiteral("chartPlaceholder")), nullptr);
  EXPECT_TRUE(window.chart()->isVisible());
  qtui::TableGrid& grid = *window.grid();
  const QWidget& cells = *grid.viewport();
  EXPECT_LE(grid.columnViewportPosition(8) + grid.columnWidth(8), cells.width());
  EXPECT_LE(grid.rowViewportPosition(17) + grid.rowHeight(17), cells.height());
  EXPECT_FALSE(grid.horizontalScrollBar()->isVisible());
  const QFontMetrics metrics(grid.horizontalHeader()->font());
  for (int c = 1; c <= 9; ++c) {
    EXPECT_LE(metrics.horizontalAdvance(QString::fromStdString(grid.TextMatrix(0, c))),
              grid.columnWidth(c - 1))
        << c;
  }

  QWidget& client = *window.centralWidget();
  for (QWidget* frame :
       {static_cast<QWidget*>(window.progressFrame()), static_cast<QWidget*>(window.portFrame())}) {
    SCOPED_TRACE(frame->objectName().toStdString());
    frame->show();
    EXPECT_TRUE(client.rect().contains(frame->geometry()));
    EXPECT_FALSE(frame->geometry().intersects(grid.geometry()));
    EXPECT_FALSE(frame->geometry().intersects(window.chart()->geometry()));
    EXPECT_GE(frame->height(), frame->sizeHint().height());
    QWidget* inFront = client.childAt(frame->geometry().center());
    EXPECT_TRUE(inFront == frame || frame->isAncestorOf(inFront));
    frame->hide();
  }
}

}  // namespace
