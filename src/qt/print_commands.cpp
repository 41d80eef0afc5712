#include "qt/print_commands.h"

#include <QPrintDialog>
#include <QPrinterInfo>

#include "app/branding.h"
#include "print/print_commands.h"
#include "qt/frm_main.h"
#include "qt/pdf_file_target.h"
#include "qt/print_date.h"
#include "qt/printer_target.h"
#include "qt/qt_print_surface.h"
#include "qt/table_chart.h"
#include "qt/table_grid.h"

namespace qtui {

namespace {

constexpr const char* kPrinterSetupTitle = "Printer Setup";

print::PrintRequest RequestFor(app::Session& session, print::PrintSurface& surface) {
  return {session.host, surface, app::Item(session.branding.CompanyLines, app::kCompanyShortLabel),
          session.window.DataSourceText, PrintDateText};
}

}  // namespace

PrintCommands::PrintCommands(frmMain& window) : QObject(&window), window_(window) {
  setObjectName(QStringLiteral("printCommands"));
}

std::unique_ptr<PageTarget> PrintCommands::ChosenTarget() {
  if (printer_.outputFormat() == QPrinter::PdfFormat) {
    if (!printer_.outputFileName().isEmpty()) {
      return std::make_unique<PdfFileTarget>(printer_.outputFileName(), printer_.pageLayout());
    }
    // Qt falls back to PDF output while no queue exists; a queue installed since is used.
    const QString queue = QPrinterInfo::defaultPrinterName();
    if (!queue.isEmpty()) printer_.setPrinterName(queue);
  }
  return std::make_unique<PrinterTarget>(printer_);
}

void PrintCommands::mnuPrintParams_Click() {
  app::Session& session = window_.session();
  const std::unique_ptr<PageTarget> target = ChosenTarget();
  QtPrintSurface surface(*target);
  print::PrintParams(session.image, RequestFor(session, surface));
}

void PrintCommands::mnuPrint3DTable_Click() {
  app::Session& session = window_.session();
  const std::unique_ptr<PageTarget> target = ChosenTarget();
  TableChart* chart = window_.chart();
  ChartRenderer renderChart;
  if (chart->HasSurface()) renderChart = [chart](const QSize& size) { return chart->Render(size); };
  QtPrintSurface surface(*target, renderChart);
  print::Print3DTable(session.editor, *window_.grid(), session.image.ModuleVersion,
                      RequestFor(session, surface));
}

void PrintCommands::mnuPrintSetup_Click() {
  QPrintDialog dialog(&printer_, &window_);
  dialog.setObjectName(QStringLiteral("dlgPrinterSetup"));
  dialog.setWindowTitle(QString::fromLatin1(kPrinterSetupTitle));
  // The choice of printer and its page options; a printout is always the whole page.
  dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
  dialog.exec();
}

void BindPrintCommands(frmMain& window) {
  auto* commands = new PrintCommands(window);
  window.BindCommand(app::menu::kPrintParams, [commands] { commands->mnuPrintParams_Click(); });
  window.BindCommand(app::menu::kPrint3DTable, [commands] { commands->mnuPrint3DTable_Click(); });
  window.BindCommand(app::menu::kPrintSetup, [commands] { commands->mnuPrintSetup_Click(); });
}

}  // namespace qtui
