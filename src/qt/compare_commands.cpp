#include "qt/compare_commands.h"

#include <QPrintDialog>
#include <QPrinter>

#include "app/branding.h"
#include "app/comparison_printout.h"
#include "app/table_exchange.h"
#include "core/error_prompt.h"
#include "files/file_dialogs.h"
#include "print/print_commands.h"
#include "qt/frm_compare.h"
#include "qt/frm_main.h"
#include "qt/pdf_file_target.h"
#include "qt/print_commands.h"
#include "qt/print_date.h"
#include "qt/qt_print_surface.h"
#include "qt/qt_text.h"
#include "qt/table_chart.h"
#include "qt/table_grid.h"
#include "qt/transfer_commands.h"

namespace qtui {

namespace {

constexpr const char* kPrintTitle = "Print Comparison";
constexpr const char* kPdfTitle = "Save Comparison As PDF";
constexpr const char* kQueueAdvice = "Choose another printer in the print dialog, or try again.";
constexpr const char* kNoPrinter =
    "No printer is installed. Choose Save As PDF to keep the comparison as a PDF file.";

}  // namespace

CompareCommands::CompareCommands(frmMain& window) : QObject(&window), window_(window) {
  setObjectName(QStringLiteral("compareCommands"));
  window.BindCommand(app::menu::kCompareWithFile, [this] { mnuCompareWithFile_Click(); });
  window.BindCommand(app::menu::kCompareWithQuillon, [this] { mnuCompareWithQuillon_Click(); });
  window.BindCommand(app::menu::kExportTable, [this] { mnuExportTable_Click(); });
  window.BindCommand(app::menu::kImportTable, [this] { mnuImportTable_Click(); });
}

void CompareCommands::mnuCompareWithFile_Click() {
  Show(app::CompareWithFile(window_.session(), *window_.grid()));
}

void CompareCommands::mnuCompareWithQuillon_Click() {
  // The module is read as a download reads it, with the same guard on the other commands.
  std::optional<app::ComparedTune> compared;
  window_.transferCommands().RunModuleRead(
      [&] { compared = app::CompareWithQuillon(window_.session(), *window_.grid()); });
  Show(std::move(compared));
}

void CompareCommands::mnuExportTable_Click() {
  app::ExportTable(window_.session(), *window_.grid());
}

void CompareCommands::mnuImportTable_Click() {
  app::ImportTable(window_.session(), *window_.grid(), *window_.chart());
}

void CompareCommands::Show(std::optional<app::ComparedTune> compared) {
  if (!compared) return;
  compared_ = std::move(compared);
  if (!frmCompare_) {
    frmCompare_ = new frmCompare(
        &window_,
        {[this](tables::TableId table, const std::vector<app::TableCell>& cells) {
           Guarded([&] { TakeCells(table, cells); });
         },
         [this] { Guarded([this] { Print(); }); }, [this] { Guarded([this] { SaveAsPdf(); }); }});
  }
  frmCompare_->ShowComparison(compared_->comparison);
}

void CompareCommands::Guarded(const std::function<void()>& work) {
  core::GuardedStep(window_.session().host, work);
}

void CompareCommands::TakeCells(tables::TableId table, const std::vector<app::TableCell>& cells) {
  // The grid is held while a transfer runs.
  if (!compared_ || window_.transferCommands().Running()) return;
  app::Session& session = window_.session();
  if (!app::TakeCells(session, *window_.grid(), *window_.chart(), *compared_, table, cells)) return;
  compared_->comparison = app::Recompare(session, *window_.grid(), *compared_);
  frmCompare_->ShowComparison(compared_->comparison);
}

void CompareCommands::Print() {
  QPrintDialog dialog(&printer_, frmCompare_);
  dialog.setWindowTitle(QString::fromLatin1(kPrintTitle));
  if (dialog.exec() != QDialog::Accepted) return;
  const std::unique_ptr<PageTarget> target = ChosenPageTarget(printer_, kPrintTitle, kQueueAdvice);
  if (!target->Ready()) {
    window_.session().host.MsgBox(kNoPrinter, kPrintTitle, core::Buttons::OK,
                                  core::Icon::Exclamation);
    return;
  }
  PrintTo(*target);
  ShowPrintReceipts(window_, *target);
}

void CompareCommands::SaveAsPdf() {
  std::string filter = print::kPdfFilter;
  std::string existMessage;
  const std::string path = files::FileSave(window_.session().host, kPdfTitle, filter, existMessage,
                                           print::kPdfExtension);
  if (path.empty()) return;
  PdfFileTarget target(ToQString(path));
  PrintTo(target);
}

void CompareCommands::PrintTo(PageTarget& target) {
  if (!compared_) return;
  const app::Session& session = window_.session();
  QtPrintSurface surface(target);
  const print::PageHeading heading{
      app::Item(session.branding.CompanyLines, app::kCompanyShortLabel),
      session.image.ModuleVersion, session.window.DataSourceText, "", PrintDateText()};
  app::PrintComparison(compared_->comparison, surface, heading, window_.session().host);
}

}  // namespace qtui
