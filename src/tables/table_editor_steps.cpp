// The table editor's history: recording each command as one step, taking steps back and
// doing them again through the paths the commands use, and the commands that give the
// selection new values.
#include "tables/table_editor.h"

#include "tables/cell_text.h"
#include "tables/selection.h"

namespace tables {

namespace {

constexpr const char* kEntryStep = "Entry";
constexpr const char* kNoOpenTable =
    "No table is open. Open a table from the Edit menu, select the cells, then try again.";

// Marks a command's run, so that the commands it calls belong to its step.
class Recording {
 public:
  explicit Recording(bool& flag) : flag_(flag) { flag_ = true; }
  ~Recording() { flag_ = false; }
  Recording(const Recording&) = delete;
  Recording& operator=(const Recording&) = delete;

 private:
  bool& flag_;
};

}  // namespace

std::optional<TableId> TableEditor::OpenTableId() const {
  if (!TableIsOpen()) return std::nullopt;
  return TableFromName(ActiveTableName);
}

void TableEditor::SetHistoryListener(std::function<void()> listener) {
  history_.SetListener(std::move(listener));
}

void TableEditor::RecordChange(std::string_view name, const std::function<void()>& change) {
  if (recording_ || !grid_) {
    change();
    return;
  }
  // Data just saved to a file are what later changes are marked against.
  painter_.FollowFile();
  const EditSnapshot before = TakeSnapshot(image_, *grid_, *chart_, OpenTableId());
  const auto changed = [&] {
    return StepBetween(std::string(name), before,
                       TakeSnapshot(image_, *grid_, *chart_, OpenTableId()), image_);
  };
  try {
    const Recording recording(recording_);
    change();
  } catch (...) {
    // Half a change is never left behind, nor recorded.
    const Recording recording(recording_);
    ApplyStep(changed(), true);
    throw;
  }
  EditStep step = changed();
  if (step.table && TableIsOpen()) {
    for (const CellChange& cell : step.cells) painter_.Paint(*step.table, cell.row, cell.col);
  }
  history_.Record(std::move(step));
}

void TableEditor::RecordEntry(int row, int col, const std::string& before, double heightBefore) {
  const std::optional<TableId> table = OpenTableId();
  if (!table) return;
  painter_.Paint(*table, row, col);
  const std::string after = grid_->TextMatrix(row, col);
  const double heightAfter = chart_->Height(row, col);
  if (recording_ || (after == before && heightAfter == heightBefore)) return;
  EditStep step;
  step.name = kEntryStep;
  step.table = table;
  step.cells.push_back({row, col, before, after, heightBefore, heightAfter});
  history_.Record(std::move(step));
}

bool TableEditor::mnuUndo_Click() { return TakeStep(true); }

bool TableEditor::mnuRedo_Click() { return TakeStep(false); }

bool TableEditor::TakeStep(bool undo) {
  if (!grid_ || !EndOpenEntry()) return false;
  if (undo ? !history_.CanUndo() : !history_.CanRedo()) return false;
  painter_.FollowFile();
  // Copied: applying the step may be told to the history's listener.
  const EditStep step = undo ? history_.NextUndo() : history_.NextRedo();
  {
    const Recording recording(recording_);
    ApplyStep(step, undo);
  }
  if (undo) {
    history_.Undone();
  } else {
    history_.Redone();
  }
  return true;
}

void TableEditor::ApplyStep(const EditStep& step, bool undo) {
  const std::optional<ShownTable>& from = undo ? step.tableAfter : step.tableBefore;
  const std::optional<ShownTable>& to = undo ? step.tableBefore : step.tableAfter;
  // Since the step, a table may have been closed or opened without any change of data;
  // the table the step ended on comes back as the image shows it.
  const std::optional<TableId> ends = from ? from->table : step.table;
  if (OpenTableId() != ends) {
    EndTable();
    if (ends) ShowTable(*ends, nullptr);
  }
  const std::optional<TableId> shown = OpenTableId();
  const bool showsImage =
      shown && TableInGrid(*grid_, *chart_, shown).texts == DecodedTexts(image_, *shown);
  for (const ByteChange& byte : step.bytes) {
    ImageByte(image_, byte.offset) = undo ? byte.before : byte.after;
  }
  if (to) {
    EndTable();
    if (to->table) ShowTable(*to->table, &*to);
  } else if (!step.cells.empty()) {
    if (step.table && OpenTableId() == step.table) PutCells(*step.table, step.cells, undo);
  } else if (showsImage && !step.bytes.empty()) {
    RefreshFromImage(*shown);
  }
}

void TableEditor::PutCells(TableId table, const std::vector<CellChange>& cells, bool undo) {
  {
    const GridRedraw redraw(*grid_);
    const ChartBatch batch(*chart_);
    for (const CellChange& cell : cells) {
      grid_->SetTextMatrix(cell.row, cell.col, undo ? cell.before : cell.after);
      chart_->SetHeight(cell.row, cell.col, undo ? cell.heightBefore : cell.heightAfter);
    }
  }
  for (const CellChange& cell : cells) painter_.Paint(table, cell.row, cell.col);
}

void TableEditor::RefreshFromImage(TableId table) {
  const std::vector<std::string> texts = DecodedTexts(image_, table);
  std::vector<CellChange> cells;
  for (int r = 1; r < grid_->Rows(); ++r) {
    for (int c = 1; c < grid_->Cols(); ++c) {
      const std::size_t at =
          static_cast<std::size_t>(r - 1) * static_cast<std::size_t>(grid_->Cols() - 1) +
          static_cast<std::size_t>(c - 1);
      const std::string text = grid_->TextMatrix(r, c);
      if (at >= texts.size() || texts[at] == text) continue;
      cells.push_back({r, c, text, texts[at], chart_->Height(r, c),
                       ChartValueOf(KindOf(table), CellNumber(texts[at]))});
    }
  }
  PutCells(table, cells, false);
}

void TableEditor::SetHeatMap(bool on) {
  painter_.SetHeatMap(on);
  if (const std::optional<TableId> table = OpenTableId()) painter_.PaintAll(*table);
}

void TableEditor::SetShowChanges(bool on) {
  painter_.SetShowChanges(on);
  if (const std::optional<TableId> table = OpenTableId()) painter_.PaintAll(*table);
}

void TableEditor::RunGridCommand(const char* name, const SelectionOperation& operation,
                                 const GridCommand& command) {
  if (!EndOpenEntry()) return;
  const std::optional<TableId> table = OpenTableId();
  if (!table) {
    host_.MsgBox(kNoOpenTable, operation.title, core::Buttons::OK, core::Icon::Exclamation);
    return;
  }
  const OpenTableContext context{KindOf(*table), TableLayoutFor(image_.ModuleVersion).rows,
                                 image_.ModuleVersion};
  RecordChange(name, [&] { command(context); });
}

void TableEditor::mnuInterpolate_Click() {
  RunGridCommand("Interpolate", kInterpolateOperation, [this](const OpenTableContext& table) {
    InterpolateSelection(*grid_, *chart_, table, host_);
  });
}

void TableEditor::mnuSmooth_Click() {
  RunGridCommand("Smooth", kSmoothOperation, [this](const OpenTableContext& table) {
    SmoothSelection(*grid_, *chart_, table, host_);
  });
}

void TableEditor::mnuSetValue_Click() {
  RunGridCommand("Set Value", kSetValueOperation, [this](const OpenTableContext& table) {
    SetSelectionValue(*grid_, *chart_, table, host_);
  });
}

void TableEditor::StepValues(double units) {
  const char* name = units > 0 ? "Step Up" : "Step Down";
  RunGridCommand(name, kStepOperation, [&](const OpenTableContext& table) {
    StepSelection(*grid_, *chart_, table, units, host_);
  });
}

}  // namespace tables
