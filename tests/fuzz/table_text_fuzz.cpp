// Feeds arbitrary text to the three readers of what users type and paste into a table:
// an accepted entry always lies in its range (0 in a locked cell), a Modify answer never
// takes a cell outside its range, and pasted text splits into at most the block a table
// can take, with no separator left inside a cell.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/text.h"
#include "tables/cell_text.h"
#include "tables/clip_text.h"
#include "tables/entry_check.h"
#include "tables/modify_answer.h"
#include "tables/selection.h"

namespace {

constexpr int kRows = 22;
constexpr int kCols = 9;

void CheckEntries(const std::string& text) {
  for (const tables::TableKind kind : {tables::TableKind::Fuel, tables::TableKind::Retard}) {
    const tables::ValueRange range = tables::AllowedRange(kind);
    const double value = core::LeadingNumber(text);
    if (!tables::CheckEntry(kind, false, text)) {
      if (!tables::IsNumeric(text) || value < range.lowest || value > range.highest) {
        __builtin_trap();
      }
    }
    if (!tables::CheckEntry(kind, true, text) && value != 0) __builtin_trap();
  }
}

void CheckModify(const std::string& text) {
  const auto answer = tables::ReadModifyAnswer(tables::TrimModifyAnswer(text));
  if (!answer) return;
  for (const tables::TableKind kind : {tables::TableKind::Fuel, tables::TableKind::Retard}) {
    const tables::ValueRange range = tables::AllowedRange(kind);
    for (const double current : {-20.0, -10.0, -7.5, 0.0, 12.0, 30.0}) {
      const double value = tables::ClampToRange(kind, tables::ModifiedValue(*answer, current));
      if (!(value >= range.lowest && value <= range.highest)) __builtin_trap();
      const std::string shown = tables::FormatWhole(value);
      const double read = tables::CellNumber(shown);
      if (!tables::IsNumeric(shown) || read < range.lowest || read > range.highest) {
        __builtin_trap();
      }
    }
  }
}

void CheckClipText(const std::string& text) {
  const tables::ClipBlock block = tables::SplitClipText(text, kRows, kCols);
  if (block.size() > static_cast<std::size_t>(kRows)) __builtin_trap();
  for (const auto& row : block) {
    if (row.empty() || row.size() > static_cast<std::size_t>(kCols)) __builtin_trap();
    for (const std::string& cell : row) {
      if (cell.find_first_of("\t\r\n") != std::string::npos) __builtin_trap();
    }
  }
  // A last row of one empty cell reads back as a trailing row end.
  if (block.empty() || block.back() == std::vector<std::string>{""}) return;
  if (tables::SplitClipText(tables::JoinClipText(block), kRows, kCols) != block) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  CheckEntries(text);
  CheckModify(text);
  CheckClipText(text);
  return 0;
}
