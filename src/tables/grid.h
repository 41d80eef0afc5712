// What the table editor needs of the table grid. Cells are addressed from (0, 0); row 0
// and column 0 hold the axis labels and are never edited. Lengths are in twips.
#pragma once

#include <string>

#include "tables/cell_note.h"
#include "tables/colour.h"

namespace tables {

struct CellRect {
  int row1 = 0;
  int col1 = 0;
  int row2 = 0;
  int col2 = 0;
  bool operator==(const CellRect&) const = default;
};

// The grid's normal and highlight colours.
struct GridColours {
  Colour back;
  Colour fore;
  Colour backSel;
  Colour foreSel;
};

// What the grid reports; the editor answers them.
class GridEvents {
 public:
  virtual ~GridEvents() = default;
  // An in-place edit is about to be committed; setting cancel refuses it and keeps the
  // editor open.
  virtual void ValidateEdit(int row, int col, bool& cancel) = 0;
  virtual void AfterEdit(int row, int col) = 0;
  virtual void LeaveCell(int oldRow, int oldCol, int newRow, int newCol, bool& cancel) = 0;
  virtual void EnterCell(int oldRow, int oldCol, int newRow, int newCol) = 0;
  // Button 2 is the right button; x and y in twips from the grid's corner.
  virtual void MouseDown(int button, int shift, int x, int y) = 0;
};

class Grid {
 public:
  virtual ~Grid() = default;

  virtual void SetEventSink(GridEvents* sink) = 0;

  virtual void SetRows(int rows) = 0;
  virtual void SetCols(int cols) = 0;
  virtual int Rows() const = 0;
  virtual int Cols() const = 0;
  virtual void CentreAllColumns() = 0;

  virtual void SetTextMatrix(int row, int col, const std::string& text) = 0;
  virtual std::string TextMatrix(int row, int col) const = 0;
  virtual void SetCellBackColour(int row, int col, Colour colour) = 0;
  virtual void SetCellForeColour(int row, int col, Colour colour) = 0;
  // The cell's change mark and tool tip.
  virtual void SetCellNote(int row, int col, const CellNote& note) = 0;

  // Moving the current cell raises the leaving and entering events.
  virtual void SetCurrentCell(int row, int col) = 0;
  virtual int CurrentRow() const = 0;
  virtual int CurrentCol() const = 0;
  // The current cell's own colours, which override the grid's for that cell.
  virtual void SetCurrentCellColours(Colour back, Colour fore) = 0;
  virtual GridColours Colours() const = 0;

  // Normalised: row1 <= row2, col1 <= col2.
  virtual CellRect Selection() const = 0;
  // Selects from the current cell to (row, col).
  virtual void ExtendSelection(int row, int col) = 0;
  // TAB between cells, CR between rows.
  virtual std::string ClipText(const CellRect& rect) const = 0;
  // Writes clip text into the selection from its top-left cell; what overflows is dropped.
  virtual void SetClipText(const std::string& text) = 0;
  virtual void SetRedraw(bool on) = 0;
  // The text in the in-place editor while an entry is being validated.
  virtual std::string EditText() const = 0;
  // Ends an entry still open in the in-place editor through the same check as Enter.
  // True when none was open or it has been committed; false when it was refused: the
  // message has been shown and the editor stays open on the refused text.
  virtual bool EndEntry() = 0;
  // Closes an open entry without committing it: the table is going away.
  virtual void AbandonEntry() = 0;

  // Off: no in-place editing; on: by keyboard and mouse.
  virtual void SetEditable(bool editable) = 0;
  virtual bool Editable() const = 0;
  virtual void SetToolTip(const std::string& text) = 0;

  virtual void SetVisible(bool visible) = 0;
  virtual bool Visible() const = 0;

  virtual void Move(int left, int top, int width, int height) = 0;
  // The drawing area without scroll bars.
  virtual int ClientWidth() const = 0;
  virtual int ClientHeight() const = 0;
  virtual void SetRowHeights(int height) = 0;
  virtual void SetColWidth(int col, int width) = 0;
  virtual void SetColWidths(int width) = 0;
};

}  // namespace tables
