// The File menu's print commands in the main window: the printer chosen in Print Setup
// lasts for the run and every later printout uses it.
#pragma once

#include <QObject>
#include <QPrinter>
#include <memory>

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
  // The print jobs sent, in the status bar for a while.
  void ShowReceipts(const PageTarget& target);

  frmMain& window_;
  QPrinter printer_{QPrinter::HighResolution};
};

// Enables Print Quillon Parameters, Print Table and Print Setup.
void BindPrintCommands(frmMain& window);

}  // namespace qtui
