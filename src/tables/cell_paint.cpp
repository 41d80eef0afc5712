#include "tables/cell_paint.h"

#include "tables/cell_codec.h"
#include "tables/cell_note.h"
#include "tables/cell_text.h"
#include "tables/heat_map.h"

namespace tables {

void CellPainter::TakeBaseline() {
  baseline_.emplace();
  baseline_->FLASHBuffer = image_.FLASHBuffer;
}

void CellPainter::FollowFile() {
  if (!baseline_ || !image_.HasUnsavedData()) TakeBaseline();
}

void CellPainter::PaintResting(TableId table, int row, int col) const {
  const GridColours colours = grid_->Colours();
  const std::string text = grid_->TextMatrix(row, col);
  if (IsLocked(image_.ModuleVersion, row, col)) {
    grid_->SetCellBackColour(row, col, kLockedCellColour);
    grid_->SetCellForeColour(row, col, colours.fore);
  } else if (heatMap_) {
    const Colour back = HeatColour(KindOf(table), CellNumber(text));
    grid_->SetCellBackColour(row, col, back);
    grid_->SetCellForeColour(row, col, ReadableTextOn(back));
  } else {
    grid_->SetCellBackColour(row, col, colours.back);
    grid_->SetCellForeColour(row, col, colours.fore);
  }
  PaintNote(table, row, col);
}

void CellPainter::Paint(TableId table, int row, int col) const {
  if (row == grid_->CurrentRow() && col == grid_->CurrentCol()) {
    PaintNote(table, row, col);
  } else {
    PaintResting(table, row, col);
  }
}

void CellPainter::PaintNote(TableId table, int row, int col) const {
  if (!baseline_) return;
  const int rows = TableLayoutFor(image_.ModuleVersion).rows;
  const std::uint8_t was = CellByte(*baseline_, table, rows, row, col);
  // The baseline as the grid showed it on opening: the locked zone reads 0.
  const bool locked = IsLocked(image_.ModuleVersion, row, col);
  const std::string wasText = FormatWhole(locked ? 0 : DecodeCell(KindOf(table), was).displayed);
  CellNote note = NoteFor(KindOf(table), grid_->TextMatrix(row, col), was, wasText);
  note.changed = note.changed && showChanges_;
  grid_->SetCellNote(row, col, note);
}

void CellPainter::PaintAll(TableId table) const {
  for (int r = 1; r < grid_->Rows(); ++r) {
    for (int c = 1; c < grid_->Cols(); ++c) Paint(table, r, c);
  }
}

}  // namespace tables
