// The editing history behind Undo and Redo: each step holds only what it changed, before
// and after (image bytes, grid cell texts, the open table), so a full history costs what
// its edits touched, never copies of the image.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tables/table_map.h"

namespace tables {

// One byte of the image: FLASH bytes first (word i at 2i low, 2i + 1 high), EEPROM after.
struct ByteChange {
  std::uint32_t offset = 0;
  std::uint8_t before = 0;
  std::uint8_t after = 0;
  bool operator==(const ByteChange&) const = default;
};

// A data cell of the open table, addressed as the grid numbers it, with its chart point
// (Modify charts the unrounded value the cell shows rounded).
struct CellChange {
  int row = 0;
  int col = 0;
  std::string before;
  std::string after;
  double heightBefore = 0;
  double heightAfter = 0;
  bool operator==(const CellChange&) const = default;
};

// The table shown in the grid: its cell texts and chart heights, row by row from (1, 1).
struct ShownTable {
  std::optional<TableId> table;
  std::vector<std::string> texts;
  std::vector<double> heights;
  bool operator==(const ShownTable&) const = default;
};

struct EditStep {
  // As the Edit menu names it: "Undo Paste".
  std::string name;
  std::vector<ByteChange> bytes;
  // Cells changed while this table stayed open.
  std::optional<TableId> table;
  std::vector<CellChange> cells;
  // Set when the step opened, closed or switched the table; the whole tables then.
  std::optional<ShownTable> tableBefore;
  std::optional<ShownTable> tableAfter;

  bool Empty() const { return bytes.empty() && cells.empty() && !tableBefore && !tableAfter; }
  // The memory the step holds, roughly, in bytes.
  std::size_t Footprint() const;
};

class EditHistory {
 public:
  // The oldest steps are forgotten beyond this many.
  static constexpr std::size_t kDefaultLimit = 1000;
  explicit EditHistory(std::size_t limit = kDefaultLimit) : limit_(limit) {}

  // Adds a step after the ones that can be undone; the redo steps are dropped. An empty
  // step is not recorded.
  void Record(EditStep step);
  // Forgets every step: new data have replaced the image.
  void Clear();

  bool CanUndo() const { return done_ > 0; }
  bool CanRedo() const { return done_ < steps_.size(); }
  // "" when there is none.
  std::string_view UndoName() const;
  std::string_view RedoName() const;

  // The step Undo would take back and Redo would do again; call only when possible.
  const EditStep& NextUndo() const { return steps_[done_ - 1]; }
  const EditStep& NextRedo() const { return steps_[done_]; }
  // The step has been taken back or done again.
  void Undone();
  void Redone();

  std::size_t Size() const { return steps_.size(); }
  std::size_t Limit() const { return limit_; }
  std::size_t Footprint() const;

  // Told after every change of what can be undone or redone (the menu items follow).
  void SetListener(std::function<void()> listener) { listener_ = std::move(listener); }

 private:
  void Changed() const;

  std::size_t limit_;
  std::deque<EditStep> steps_;
  // Steps that can be undone: steps_[0 .. done_).
  std::size_t done_ = 0;
  std::function<void()> listener_;
};

}  // namespace tables
