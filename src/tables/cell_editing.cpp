#include "tables/cell_editing.h"

#include "core/error_prompt.h"
#include "tables/cell_text.h"
#include "tables/entry_check.h"
#include "tables/selection.h"

namespace tables {

namespace {

bool IsDataCell(int row, int col) { return row != 0 && col != 0; }

}  // namespace

CellEditing::CellEditing(const core::ModuleImage& image, const std::string& activeTableName,
                         const std::string& copyBuffer, core::Host& host,
                         const CellPainter& painter)
    : image_(image),
      activeTableName_(activeTableName),
      copyBuffer_(copyBuffer),
      host_(host),
      painter_(painter) {}

void CellEditing::Attach(Grid& grid, Chart& chart, TableWindow& window) {
  grid_ = &grid;
  chart_ = &chart;
  window_ = &window;
}

std::optional<TableKind> CellEditing::ActiveKind() const {
  const std::optional<TableId> table = TableFromName(activeTableName_);
  if (!table) return std::nullopt;
  return KindOf(*table);
}

bool CellEditing::Guarded(const std::function<void()>& work) {
  return core::GuardedStep(host_, work) == core::StepOutcome::Done;
}

bool CellEditing::UpdatePopUpPaste() {
  const bool offered = !copyBuffer_.empty() || !host_.ClipboardText().empty();
  if (window_) window_->SetPopUpPasteEnabled(offered);
  return offered;
}

void CellEditing::ValidateEdit(int row, int col, bool& cancel) {
  bool accepted = false;
  Guarded([&] {
    const std::optional<TableKind> kind = ActiveKind();
    if (!kind || !IsDataCell(row, col)) return;
    const std::optional<EntryRefusal> refusal =
        CheckEntry(*kind, IsLocked(image_.ModuleVersion, row, col), grid_->EditText());
    if (refusal) {
      host_.MsgBox(refusal->message, refusal->title, core::Buttons::OK, core::Icon::Critical);
      return;
    }
    entryBefore_ = grid_->TextMatrix(row, col);
    heightBefore_ = chart_->Height(row, col);
    accepted = true;
  });
  if (!accepted) cancel = true;
}

void CellEditing::AfterEdit(int row, int col) {
  Guarded([&] {
    const std::optional<TableKind> kind = ActiveKind();
    if (!kind) return;
    if (chart_->Visible()) {
      const double value = ChartValueOf(*kind, CellNumber(grid_->TextMatrix(row, col)));
      chart_->SetHeight(row, col, value);
      chart_->SetValueLabelText(FormatWhole(value));
    }
    if (entryListener_) entryListener_(row, col, entryBefore_, heightBefore_);
  });
}

void CellEditing::LeaveCell(int oldRow, int oldCol, int /*newRow*/, int /*newCol*/,
                            bool& /*cancel*/) {
  if (!IsDataCell(oldRow, oldCol)) return;
  Guarded([&] {
    const GridColours colours = grid_->Colours();
    grid_->SetCurrentCellColours(colours.back, colours.fore);
    // The cell left may belong to a grid since set up anew for another table.
    const std::optional<TableId> table = TableFromName(activeTableName_);
    if (table && oldRow < grid_->Rows() && oldCol < grid_->Cols()) {
      painter_.PaintResting(*table, oldRow, oldCol);
    }
  });
}

void CellEditing::EnterCell(int /*oldRow*/, int /*oldCol*/, int newRow, int newCol) {
  if (!IsDataCell(newRow, newCol)) return;
  Guarded([&] {
    const GridColours colours = grid_->Colours();
    grid_->SetCurrentCellColours(colours.backSel, colours.foreSel);
    if (!ActiveKind()) return;
    const double height = chart_->Height(newRow, newCol);
    chart_->SetBatchUpdating(true);
    chart_->SetValueLabelVisible(true);
    chart_->AttachValueLabel(newRow, newCol);
    chart_->SetValueLabelText(FormatWhole(height));
    chart_->SetBatchUpdating(false);
  });
}

void CellEditing::MouseDown(int button, int /*shift*/, int x, int y) {
  if (button != kRightButton) return;
  Guarded([&] {
    UpdatePopUpPaste();
    window_->ShowPopUpEdit3D(x, y);
  });
}

}  // namespace tables
