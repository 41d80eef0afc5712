// On a display with OpenGL the table printout starts with the chart page: the heading
// over the chart's picture.
#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>

#include "fakes/scripted_host.h"
#include "files/base_tune.h"
#include "pdf_text.h"
#include "qt/frm_main.h"
#include "qt/print_commands.h"
#include "qt/table_chart.h"

namespace {

namespace fs = std::filesystem;

TEST(PrintChart, ChartPageThenTablePageOnAPdfPrinter) {
  const fs::path saved = fs::current_path();
  QTemporaryDir folder;
  fakes::ScriptedHost host;
  qtui::frmMain window(app::BuiltInBranding(), QCoreApplication::applicationDirPath().toStdString(),
                       &host);
  window.Form_Load();
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  window.session().image = files::BaseTune("QL2 VOSK");
  window.session().window.SetDataSourceText("t.dat");
  window.findChild<QAction*>(QStringLiteral("mnuEditRetardTbl"))->trigger();
  ASSERT_TRUE(window.chart()->HasSurface());
  window.chart()->SetValueLabelVisible(true);

  const QString pdf = folder.filePath(QStringLiteral("r.pdf"));
  QPrinter& printer = window.findChild<qtui::PrintCommands*>()->printer();
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(pdf);
  host.ExpectInput("SN 9");
  window.findChild<QAction*>(QStringLiteral("mnuPrint3DTable"))->trigger();
  EXPECT_TRUE(host.boxes.empty());
  EXPECT_FALSE(window.chart()->ValueLabelShown());

  ASSERT_EQ(printtest::PageCount(pdf), 2);
  const std::string chartPage = printtest::RunPoppler(
      QStringLiteral("pdftotext"), {QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                                    QStringLiteral("1"), pdf, QStringLiteral("-")});
  EXPECT_NE(chartPage.find("Quillon II Vosk Version Retard Table Data Printed: "),
            std::string::npos);
  EXPECT_NE(chartPage.find("Serial/Comment: SN 9"), std::string::npos);
  EXPECT_EQ(chartPage.find("RPM/TPS"), std::string::npos);
  const std::string images =
      printtest::RunPoppler(QStringLiteral("pdfimages"),
                            {QStringLiteral("-list"), QStringLiteral("-f"), QStringLiteral("1"),
                             QStringLiteral("-l"), QStringLiteral("1"), pdf});
  EXPECT_NE(images.find("\n   1 "), std::string::npos) << images;
  const auto tablePage = printtest::FixedLines(pdf, 4.8);
  EXPECT_NE(printtest::LineWith(tablePage, "RPM/TPS"), "");
  fs::current_path(saved);
}

}  // namespace
