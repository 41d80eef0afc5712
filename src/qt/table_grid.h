// The table grid: a QTableView over the grid model, with the fixed header row and
// column inside the table, offering the table editor the operations it relies on.
#pragma once

#include <QLineEdit>
#include <QPointer>
#include <QTableView>
#include <optional>

#include "qt/grid_model.h"
#include "tables/grid.h"

namespace qtui {

class TableGrid : public QTableView, public tables::Grid {
  Q_OBJECT

 public:
  explicit TableGrid(QWidget* parent = nullptr);

  GridModel* gridModel() const { return model_; }

  void SetEventSink(tables::GridEvents* sink) override { sink_ = sink; }
  void SetRows(int rows) override;
  void SetCols(int cols) override;
  int Rows() const override { return model_->Rows(); }
  int Cols() const override { return model_->Cols(); }
  void CentreAllColumns() override { model_->SetCentred(true); }

  void SetTextMatrix(int row, int col, const std::string& text) override;
  std::string TextMatrix(int row, int col) const override;
  void SetCellBackColour(int row, int col, tables::Colour colour) override;
  void SetCellForeColour(int row, int col, tables::Colour colour) override;
  void SetCellNote(int row, int col, const tables::CellNote& note) override;

  void SetCurrentCell(int row, int col) override;
  int CurrentRow() const override { return currentRow_; }
  int CurrentCol() const override { return currentCol_; }
  void SetCurrentCellColours(tables::Colour back, tables::Colour fore) override;
  tables::GridColours Colours() const override;

  tables::CellRect Selection() const override;
  void ExtendSelection(int row, int col) override;
  std::string ClipText(const tables::CellRect& rect) const override;
  void SetClipText(const std::string& text) override;
  void SetRedraw(bool on) override { setUpdatesEnabled(on); }
  std::string EditText() const override;
  bool EndEntry() override;
  void AbandonEntry() override;

  void SetEditable(bool editable) override;
  bool Editable() const override { return model_->Editable(); }
  void SetToolTip(const std::string& text) override;

  void SetVisible(bool visible) override { setVisible(visible); }
  bool Visible() const override { return !isHidden(); }

  void Move(int left, int top, int width, int height) override;
  int ClientWidth() const override;
  int ClientHeight() const override;
  void SetRowHeights(int height) override;
  void SetColWidth(int col, int width) override;
  void SetColWidths(int width) override;

  // The delegate's hand-over of the editor it has opened on a cell.
  void EditorOpened(QLineEdit* editor, const QModelIndex& index);
  // Only text that the check has just accepted may be written into the cell.
  bool EntryChecked(const QLineEdit* editor) const;
  void EntryCommitted(int row, int col);
  // While the table editor judges an entry (its message may take the focus).
  bool JudgingEntry() const { return judging_; }
  // Enter: the cell below becomes current, as in a spreadsheet.
  void StepDown();
  bool Editing() const { return state() == EditingState; }

 Q_SIGNALS:
  // Ctrl+C and Ctrl+V on the grid: the context menu's Copy and Paste.
  void copyRequested();
  void pasteRequested();

 protected:
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  int TotalRowHeight() const;
  QSize ClientPixels() const;
  // Raises the leaving and entering events for a move of the current cell.
  void MoveCurrentCell(int newRow, int newCol);

  GridModel* model_;
  tables::GridEvents* sink_ = nullptr;
  QPointer<QLineEdit> activeEditor_;
  QPersistentModelIndex editing_;
  // The editor text the check accepted last; nothing else reaches a cell.
  std::optional<QString> checkedText_;
  bool judging_ = false;
  int currentRow_ = 0;
  int currentCol_ = 0;
};

}  // namespace qtui
