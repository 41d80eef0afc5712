// Without an OpenGL context the chart shows its placeholder and the table editor still
// opens, charts and saves tables.
#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QLabel>

#include "fakes/scripted_host.h"
#include "files/base_tune.h"
#include "qt/frm_main.h"
#include "qt/table_chart.h"
#include "qt/table_grid.h"

namespace {

TEST(TableChartPlaceholder, OffscreenOpenShowsThePlaceholderBesideTheGrid) {
  fakes::ScriptedHost host;
  const std::filesystem::path saved = std::filesystem::current_path();
  qtui::frmMain window(app::BuiltInBranding(), QCoreApplication::applicationDirPath().toStdString(),
                       &host);
  window.Form_Load();
  window.show();
  window.session().image = files::BaseTune("QL2 KQ");
  window.findChild<QAction*>(QStringLiteral("mnuEditRetardTbl"))->trigger();
  EXPECT_FALSE(window.chart()->HasSurface());
  EXPECT_NE(window.chart()->findChild<QLabel*>(QStringLiteral("chartPlaceholder")), nullptr);
  EXPECT_TRUE(window.grid()->isVisible());
  EXPECT_TRUE(window.chart()->isVisible());
  EXPECT_EQ(window.grid()->Rows(), 19);
  EXPECT_DOUBLE_EQ(window.chart()->Height(18, 9), 4);
  EXPECT_EQ(window.grid()->TextMatrix(18, 9), "-4");
  window.findChild<QAction*>(QStringLiteral("mnuSaveTbl"))->trigger();
  EXPECT_FALSE(window.grid()->isVisible());
  EXPECT_TRUE(host.boxes.empty());
  std::filesystem::current_path(saved);
}

}  // namespace
