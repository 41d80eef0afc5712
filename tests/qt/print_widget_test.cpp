// The print commands of the main window on a PDF printer, without a printer, and with
// a PDF file that cannot be written; Print Setup's dialog. The chart needs GL and is
// left out here.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <QTimer>

#include "pdf_text.h"
#include "window_rig.h"

namespace {

constexpr double kTenPointColumn = 6;
constexpr double kEightPointColumn = 4.8;

class PrintWidgetTest : public testing::Test {
 protected:
  PrintWidgetTest() {
    rig_.Load("JX");
    window_.session().window.SetDataSourceText("t.dat");
  }

  void Trigger(const char* name) { rig_.Trigger(name); }
  QString PrintToPdfPrinter(const char* name) {
    const QString pdf = folder_.filePath(QString::fromLatin1(name));
    printtest::UsePdfPrinter(window_, pdf);
    return pdf;
  }

  QTemporaryDir folder_;
  qttest::WindowRig<> rig_;
  fakes::ScriptedHost& host_ = rig_.host;
  qtui::frmMain& window_ = rig_.window;
};

// The rows' columns are the table page's test and ventrel-cli's print test, on the same
// print surface.
TEST_F(PrintWidgetTest, PrintTableWritesTheOpenTableWithoutTheChartPageHere) {
  Trigger("mnuEditFrontCylTrimTbl");
  const QString pdf = PrintToPdfPrinter("f.pdf");
  host_.ExpectInput("");
  host_.ExpectBox(core::Answer::OK);  // no GL here: the chart page is left out
  Trigger("mnuPrint3DTable");
  EXPECT_EQ(host_.boxes.at(0).title, "Print 3D Table");
  ASSERT_EQ(printtest::PageCount(pdf), 1);
  const auto lines = printtest::FixedLines(pdf, kEightPointColumn);
  EXPECT_NE(printtest::LineWith(lines, "9500"), "");
}

TEST_F(PrintWidgetTest, WithoutAPrinterTheParameterPageCanBeSavedAsPdf) {
  if (!QPrinterInfo::availablePrinters().isEmpty()) GTEST_SKIP() << "a print queue is installed";
  host_.ExpectInput("");
  host_.ExpectBox(core::Answer::Yes);
  host_.ExpectFileDialog(folder_.filePath(QStringLiteral("tune")).toStdString());
  Trigger("mnuPrintParams");
  EXPECT_EQ(host_.boxes.at(0).text,
            "No printer is installed.\r\n\r\nWrite the printout to a PDF file instead?");
  const QString pdf = folder_.filePath(QStringLiteral("tune.pdf"));
  ASSERT_EQ(printtest::PageCount(pdf), 1);
  EXPECT_NE(printtest::LineWith(printtest::FixedLines(pdf, kTenPointColumn), "Parameter 19:"), "");
}

TEST_F(PrintWidgetTest, AFailedPdfWriteSaysWhatFailedAndAbortKeepsNothing) {
  const QString missing = PrintToPdfPrinter("no such folder/p.pdf");
  host_.ExpectInput("");
  host_.ExpectBox(core::Answer::Abort);
  Trigger("mnuPrintParams");
  ASSERT_EQ(host_.boxes.size(), 1u);
  EXPECT_EQ(host_.boxes[0].title, "Error");
  EXPECT_EQ(host_.boxes[0].text.rfind("Printing the parameter page failed: The PDF file ", 0), 0u)
      << host_.boxes[0].text;
  EXPECT_FALSE(QFile::exists(missing));
}

TEST_F(PrintWidgetTest, PrintSetupIsTitledPrinterSetupAndCancelKeepsThePrinter) {
  const QString pdf = PrintToPdfPrinter("kept.pdf");
  const QPrinter& printer = window_.findChild<qtui::PrintCommands*>()->printer();
  QString title;
  QTimer closer;
  QObject::connect(&closer, &QTimer::timeout, [&] {
    if (QWidget* dialog = QApplication::activeModalWidget()) {
      title = dialog->windowTitle();
      dialog->close();
    }
  });
  closer.start(20);
  Trigger("mnuPrintSetup");
  EXPECT_EQ(title.toStdString(), "Printer Setup");
  EXPECT_EQ(printer.outputFileName(), pdf);
  EXPECT_TRUE(host_.boxes.empty());
}

}  // namespace
