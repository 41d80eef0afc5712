// The comparison window and the print commands of the main window. Compare With File and
// Compare With Quillon show the differences, selected cells go into the open table; the
// comparison's printout and Export and Import Table are the exchange commands' tests. The
// parameter page printed without a printer and into a PDF file that cannot be written,
// read back with poppler's pdftotext, and Print Setup's dialog; the table page and its
// chart are ventrel-cli's print test on the same print surface.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>

#include "fakes/temp_folder.h"
#include "qt/compare_commands.h"
#include "qt/frm_compare.h"
#include "qt/link_devices.h"
#include "qt/print_commands.h"
#include "qt/table_grid.h"
#include "tables/cell_codec.h"
#include "tables/cell_text.h"
#include "window_rig.h"

namespace {

using tables::TableId;

constexpr int kRows = 18;

// The window with the data of a QL2 VOSK file in memory.
class WindowCommands : public testing::Test {
 protected:
  WindowCommands() {
    rig.Load("QL2 VOSK");
    rig.window.session().window.SetDataSourceText("base.dat");
  }

  core::ModuleImage& Image() { return rig.window.session().image; }
  qtui::frmCompare* Window() { return rig.window.findChild<qtui::frmCompare*>(); }
  std::string Summary() { return Window()->summary()->text().toStdString(); }
  QPushButton* Button(const char* name) {
    return Window()->findChild<QPushButton*>(QString::fromLatin1(name));
  }
  QString InFolder(const char* name) {
    return QString::fromStdString((folder.path() / name).string());
  }

  fakes::TempFolder folder;
  qttest::WindowRig<> rig;
};

TEST_F(WindowCommands, CompareWithFileShowsTheDifferenceAndTakesTheSelectedCellIntoTheOpenTable) {
  core::ModuleImage other = Image();
  const std::uint8_t byte = tables::CellByte(other, TableId::FrontCylTrim, kRows, 3, 5);
  tables::SetCellByte(other, TableId::FrontCylTrim, kRows, 3, 5, byte + 4);
  rig.Trigger("mnuEditFrontCylTrimTbl");
  rig.host.ExpectFileDialog(folder.WriteTune("other.dat", other).string());
  rig.Trigger("mnuCompareWithFile");
  ASSERT_TRUE(Window() && Window()->isVisible());
  EXPECT_NE(Summary().find("The tunes differ: 1 cell in 1 table."), std::string::npos) << Summary();

  QTableWidget* differences = Window()->differences(TableId::FrontCylTrim);
  ASSERT_TRUE(differences);
  // Where each difference shows and how it reads are the comparison's tests.
  QTableWidgetItem* cell = differences->item(2, 4);
  EXPECT_EQ(cell->text(), QStringLiteral("+3.12"));
  EXPECT_FALSE(Button("cmdTakeCells")->isEnabled());
  Window()->tabs()->setCurrentWidget(differences);
  cell->setSelected(true);
  ASSERT_TRUE(Button("cmdTakeCells")->isEnabled());
  Button("cmdTakeCells")->click();
  const double taken =
      tables::DecodeCell(tables::TableKind::Fuel, static_cast<std::uint8_t>(byte + 4)).displayed;
  EXPECT_EQ(tables::CellNumber(rig.window.grid()->TextMatrix(3, 5)), taken);
  EXPECT_NE(Summary().find("The tunes are the same."), std::string::npos) << Summary();
}

TEST_F(WindowCommands, CompareWithQuillonReadsTheModuleAndLeavesTheDataInMemory) {
  rig.window.linkDevices().UseSimulatedModule(sim::Edition::QL2Vosk);
  const core::ModuleImage before = Image();
  rig.host.ExpectBox(core::Answer::OK);
  rig.Trigger("mnuCompareWithQuillon");
  EXPECT_EQ(rig.host.boxes.at(0).title, "Compare With Quillon");
  ASSERT_TRUE(Window() && Window()->isVisible());
  EXPECT_NE(Summary().find("Second: the module Quillon II Vosk V2.4 - QL2 VOSK data"),
            std::string::npos)
      << Summary();
  EXPECT_EQ(Image().FLASHBuffer, before.FLASHBuffer);
  EXPECT_TRUE(rig.Item("mnuDownload")->isEnabled());
}

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

TEST_F(WindowCommands, WithoutAPrinterTheParameterPageCanBeSavedAsPdf) {
  if (!QPrinterInfo::availablePrinters().isEmpty()) GTEST_SKIP() << "a print queue is installed";
  rig.host.ExpectInput("");
  rig.host.ExpectBox(core::Answer::Yes);
  rig.host.ExpectFileDialog(InFolder("tune").toStdString());
  rig.Trigger("mnuPrintParams");
  EXPECT_EQ(rig.host.boxes.at(0).text,
            "No printer is installed.\r\n\r\nWrite the printout to a PDF file instead?");
  EXPECT_NE(PdfText(InFolder("tune.pdf")).find("Parameter 19:"), std::string::npos);
}

TEST_F(WindowCommands, AFailedPdfWriteSaysWhatFailedAndAbortKeepsNothing) {
  const QString missing = InFolder("no such folder/p.pdf");
  QPrinter& printer = rig.window.findChild<qtui::PrintCommands*>()->printer();
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(missing);
  rig.host.ExpectInput("");
  rig.host.ExpectBox(core::Answer::Abort);
  rig.Trigger("mnuPrintParams");
  // The error prompt's title and buttons are the print commands' test.
  const std::string& text = rig.host.boxes.at(0).text;
  EXPECT_EQ(text.rfind("Printing the parameter page failed: The PDF file ", 0), 0u) << text;
  EXPECT_FALSE(QFile::exists(missing));
}

// What the dialog does with the printer is the toolkit's; here, that the command opens it.
TEST_F(WindowCommands, PrintSetupOpensThePrinterSetupDialog) {
  QString title;
  QTimer closer;
  QObject::connect(&closer, &QTimer::timeout, [&] {
    if (QWidget* dialog = QApplication::activeModalWidget()) {
      title = dialog->windowTitle();
      dialog->close();
    }
  });
  closer.start(20);
  rig.Trigger("mnuPrintSetup");
  EXPECT_EQ(title.toStdString(), "Printer Setup");
}

}  // namespace
