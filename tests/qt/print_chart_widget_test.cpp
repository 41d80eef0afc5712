// On a display with OpenGL the table printout starts with the chart page: the heading
// over the chart's picture.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QTest>

#include "pdf_text.h"
#include "qt/table_chart.h"
#include "window_rig.h"

namespace {

TEST(PrintChart, ChartPageThenTablePageOnAPdfPrinter) {
  QTemporaryDir folder;
  qttest::WindowRig<> rig;
  rig.window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&rig.window));
  rig.Load("QL2 VOSK");
  rig.window.session().window.SetDataSourceText("t.dat");
  rig.Trigger("mnuEditRetardTbl");
  ASSERT_TRUE(rig.window.chart()->HasSurface());
  rig.window.chart()->SetValueLabelVisible(true);

  const QString pdf = folder.filePath(QStringLiteral("r.pdf"));
  printtest::UsePdfPrinter(rig.window, pdf);
  rig.host.ExpectInput("SN 9");
  rig.Trigger("mnuPrint3DTable");
  EXPECT_TRUE(rig.host.boxes.empty());
  EXPECT_FALSE(rig.window.chart()->ValueLabelShown());

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
}

}  // namespace
