// The File menu's print commands in the main window: the printer chosen in Print Setup
// lasts for the run and every later printout uses it.
#pragma once

#include <QObject>
#include <QPrinter>
#include <memory>
#include <string>

#include "qt/page_target.h"

namespace qtui {

class frmMain;

class PrintCommands : public QObject {
  Q_OBJECT

 public:
  explicit PrintCommands(frmMain& window);

  QPrinter& printer() { return printer_; }

  void mnuPrintParams_Click();
  void mnuPrint3DTable_Click();
  void mnuPrintSetup_Click();

 private:
  // The chosen print queue, or the PDF file chosen in Print Setup's print-to-file.
  std::unique_ptr<PageTarget> ChosenTarget();

  frmMain& window_;
  QPrinter printer_{QPrinter::HighResolution};
};

// Where a printout on this printer goes: the PDF file of print-to-file, else the queue
// chosen in the print dialog, else the system's default queue, else any queue there is.
std::unique_ptr<PageTarget> ChosenPageTarget(const QPrinter& printer, std::string title,
                                             std::string advice);

// The print jobs sent, in the main window's status bar for a while.
void ShowPrintReceipts(frmMain& window, const PageTarget& target);

// Enables Print Quillon Parameters, Print Table and Print Setup.
void BindPrintCommands(frmMain& window);

}  // namespace qtui
