// The main window's commands that compare and exchange tunes: Compare With File, Export
// Table and Import Table in the File menu, Compare With Quillon in the Communications
// menu, and the comparison window they show.
#pragma once

#include <QObject>
#include <QPointer>
#include <QPrinter>
#include <functional>
#include <optional>
#include <vector>

#include "app/compare_commands.h"
#include "qt/frm_compare.h"

namespace qtui {

class frmMain;
class PageTarget;

class CompareCommands : public QObject {
  Q_OBJECT

 public:
  // Binds the four menu commands.
  explicit CompareCommands(frmMain& window);

  void mnuCompareWithFile_Click();
  void mnuCompareWithQuillon_Click();
  void mnuExportTable_Click();
  void mnuImportTable_Click();

  // The comparison window, once a comparison has been shown.
  frmCompare* compareWindow() const { return frmCompare_; }

 private:
  void Show(std::optional<app::ComparedTune> compared);
  void TakeCells(tables::TableId table, const std::vector<app::TableCell>& cells);
  void Print();
  void SaveAsPdf();
  void PrintTo(PageTarget& target);
  // A window button's work, with any failure sent to the error prompt.
  void Guarded(const std::function<void()>& work);

  frmMain& window_;
  std::optional<app::ComparedTune> compared_;
  QPointer<frmCompare> frmCompare_;
  // The printer chosen in the comparison's print dialog, for the run.
  QPrinter printer_{QPrinter::HighResolution};
};

}  // namespace qtui
