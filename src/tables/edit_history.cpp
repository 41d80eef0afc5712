#include "tables/edit_history.h"

namespace tables {

namespace {

std::size_t TextFootprint(const std::string& text) {
  // Short texts live inside the string object itself.
  return sizeof(std::string) + (text.capacity() > sizeof(std::string) ? text.capacity() : 0);
}

std::size_t TableFootprint(const std::optional<ShownTable>& table) {
  if (!table) return 0;
  std::size_t bytes =
      table->texts.capacity() * sizeof(std::string) + table->heights.capacity() * sizeof(double);
  for (const std::string& text : table->texts) bytes += TextFootprint(text) - sizeof(std::string);
  return bytes;
}

}  // namespace

std::size_t EditStep::Footprint() const {
  std::size_t total =
      sizeof(EditStep) + TextFootprint(name) + bytes.capacity() * sizeof(ByteChange);
  total += cells.capacity() * sizeof(CellChange);
  for (const CellChange& cell : cells) {
    total += TextFootprint(cell.before) + TextFootprint(cell.after) - 2 * sizeof(std::string);
  }
  return total + TableFootprint(tableBefore) + TableFootprint(tableAfter);
}

void EditHistory::Record(EditStep step) {
  if (step.Empty()) return;
  steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(done_), steps_.end());
  steps_.push_back(std::move(step));
  while (steps_.size() > limit_) steps_.pop_front();
  done_ = steps_.size();
  Changed();
}

void EditHistory::Clear() {
  steps_.clear();
  done_ = 0;
  Changed();
}

std::string_view EditHistory::UndoName() const {
  return CanUndo() ? std::string_view(NextUndo().name) : std::string_view();
}

std::string_view EditHistory::RedoName() const {
  return CanRedo() ? std::string_view(NextRedo().name) : std::string_view();
}

void EditHistory::Undone() {
  if (CanUndo()) --done_;
  Changed();
}

void EditHistory::Redone() {
  if (CanRedo()) ++done_;
  Changed();
}

std::size_t EditHistory::Footprint() const {
  std::size_t total = sizeof(EditHistory);
  for (const EditStep& step : steps_) total += step.Footprint();
  return total;
}

void EditHistory::Changed() const {
  if (listener_) listener_();
}

}  // namespace tables
