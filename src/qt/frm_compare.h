// The comparison window: a summary, each table as a grid of differences coloured on a
// diverging scale with the sign written in every cell, and the parameters and settings
// side by side. Its buttons take cells into the open table, print and save as PDF; what
// they do is given by the main window.
#pragma once

#include <QDialog>
#include <functional>
#include <vector>

#include "app/compare_commands.h"
#include "compare/tune_comparison.h"

class QLabel;
class QPushButton;
class QTabWidget;
class QTableWidget;

namespace qtui {

class frmCompare : public QDialog {
  Q_OBJECT

 public:
  struct Commands {
    std::function<void(tables::TableId, const std::vector<app::TableCell>&)> takeCells;
    std::function<void()> print;
    std::function<void()> saveAsPdf;
  };

  frmCompare(QWidget* parent, Commands commands);

  // Shows this comparison in place of the last.
  void ShowComparison(const compare::TuneComparison& comparison);

  QLabel* summary() const { return lblSummary_; }
  QTabWidget* tabs() const { return tabDifferences_; }
  // The grid of differences of a table, or nullptr when neither tune has it.
  QTableWidget* differences(tables::TableId table) const;
  QTableWidget* parameters() const { return grdParameters_; }

 private:
  struct TableTab {
    tables::TableId table;
    QTableWidget* grid;
    // The RPM of each grid row.
    std::vector<int> rpm;
  };

  void AddTableTab(const compare::TableComparison& table);
  void FillParameters(const compare::TuneComparison& comparison);
  const TableTab* CurrentTableTab() const;
  void TakeSelectedCells();
  void UpdateTakeButton();

  Commands commands_;
  QLabel* lblSummary_;
  QTabWidget* tabDifferences_;
  QTableWidget* grdParameters_;
  QPushButton* cmdTakeCells_;
  std::vector<TableTab> tableTabs_;
};

}  // namespace qtui
