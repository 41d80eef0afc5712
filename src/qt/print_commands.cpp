#include "qt/print_commands.h"

#include <QPrintDialog>
#include <QStatusBar>

#include "app/branding.h"
#include "print/print_commands.h"
#include "qt/frm_main.h"
#include "qt/pdf_file_target.h"
#include "qt/print_date.h"
#include "qt/print_queue_target.h"
#include "qt/print_queues.h"
#include "qt/qt_print_surface.h"
#include "qt/qt_text.h"
#include "qt/table_chart.h"
#include "qt/table_grid.h"

namespace qtui {

namespace {

constexpr const char* kPrinterSetupTitle = "Printer Setup";
constexpr const char* kQueueAdvice = "Choose another printer with Print Setup, or try again.";
constexpr int kReceiptMilliseconds = 15000;

print::PrintRequest RequestFor(app::Session& session, print::PrintSurface& surface) {
  return {session.host, surface, app::Item(session.branding.CompanyLines, app::kCompanyShortLabel),
          session.window.DataSourceText, PrintDateText};
}

}  // namespace

std::unique_ptr<PageTarget> ChosenPageTarget(const QPrinter& printer, std::string title,
                                             std::string advice) {
  if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()) {
    return std::make_unique<PdfFileTarget>(printer.outputFileName(), printer.pageLayout());
  }
  std::string queue = ToStdString(printer.printerName());
  if (queue.empty()) queue = DefaultPrintQueue();
  if (queue.empty()) {
    const std::vector<std::string> queues = PrintQueueNames();
    if (!queues.empty()) queue = queues.front();
  }
  return std::make_unique<PrintQueueTarget>(queue, printer.pageLayout(), std::move(title),
                                            std::move(advice));
}

PrintCommands::PrintCommands(frmMain& window) : QObject(&window), window_(window) {
  setObjectName(QStringLiteral("printCommands"));
}

std::unique_ptr<PageTarget> PrintCommands::ChosenTarget() {
  return ChosenPageTarget(printer_, "Ventrel - " + window_.session().window.DataSourceText,
                          kQueueAdvice);
}

void ShowPrintReceipts(frmMain& window, const PageTarget& target) {
  const std::vector<std::string> receipts = target.Receipts();
  if (!receipts.empty())
    window.statusBar()->showMessage(ToQString(receipts.back()), kReceiptMilliseconds);
}

void PrintCommands::mnuPrintParams_Click() {
  app::Session& session = window_.session();
  const std::unique_ptr<PageTarget> target = ChosenTarget();
  QtPrintSurface surface(*target);
  print::PrintParams(session.image, RequestFor(session, surface));
  ShowPrintReceipts(window_, *target);
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
  ShowPrintReceipts(window_, *target);
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
