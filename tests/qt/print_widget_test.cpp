// The print commands of the main window without a printer and with a PDF file that cannot
// be written, read back with poppler's pdftotext; Print Setup's dialog. The table page and
// its chart are ventrel-cli's print test on the same print surface.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include "qt/print_commands.h"
#include "window_rig.h"

namespace {

// The text of a PDF file as pdftotext reads it; a failure to run it fails the test.
std::string PdfText(const QString& pdf) {
  QProcess process;
  process.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
  if (!process.waitForFinished(30000) || process.exitCode() != 0) {
    ADD_FAILURE() << "pdftotext failed on " << pdf.toStdString() << ": "
                  << process.readAllStandardError().toStdString()
                  << " (is poppler-utils installed? scripts/setup installs it)";
    return {};
  }
  return process.readAllStandardOutput().toStdString();
}

class PrintWidgetTest : public testing::Test {
 protected:
  PrintWidgetTest() {
    rig_.Load("JX");
    window_.session().window.SetDataSourceText("t.dat");
  }

  void Trigger(const char* name) { rig_.Trigger(name); }
  // The window's printer, writing every later printout to this PDF file.
  QString PrintToPdfPrinter(const char* name) {
    const QString pdf = folder_.filePath(QString::fromLatin1(name));
    QPrinter& printer = window_.findChild<qtui::PrintCommands*>()->printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    return pdf;
  }

  QTemporaryDir folder_;
  qttest::WindowRig<> rig_;
  fakes::ScriptedHost& host_ = rig_.host;
  qtui::frmMain& window_ = rig_.window;
};

TEST_F(PrintWidgetTest, WithoutAPrinterTheParameterPageCanBeSavedAsPdf) {
  if (!QPrinterInfo::availablePrinters().isEmpty()) GTEST_SKIP() << "a print queue is installed";
  host_.ExpectInput("");
  host_.ExpectBox(core::Answer::Yes);
  host_.ExpectFileDialog(folder_.filePath(QStringLiteral("tune")).toStdString());
  Trigger("mnuPrintParams");
  EXPECT_EQ(host_.boxes.at(0).text,
            "No printer is installed.\r\n\r\nWrite the printout to a PDF file instead?");
  const QString pdf = folder_.filePath(QStringLiteral("tune.pdf"));
  EXPECT_NE(PdfText(pdf).find("Parameter 19:"), std::string::npos);
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
