#include "tables/selection_commands.h"

#include <optional>

#include "core/text.h"
#include "tables/cell_text.h"
#include "tables/clip_text.h"
#include "tables/modify_answer.h"
#include "tables/selection.h"

namespace tables {

namespace {

constexpr const char* kNothingToPaste =
    "The clipboard holds no text to paste. Copy table cells here or in a spreadsheet first.";
constexpr const char* kUnreadableModify =
    " is not a change Modify can make. Enter a number such as 30, -5, +10, 80%, -7.5% or "
    "+15%.";
constexpr const char* kNumbersOnly = "Paste numbers only, with \".\" as the decimal point.";
constexpr const char* kDecimalComma =
    "A decimal comma is not accepted: write the decimal point as \".\", and separate the "
    "cells by tabs or semicolons.";

// The first cell of the block, placed at (row, col), whose text is no number.
std::optional<std::string> FirstNonNumber(const Grid& grid, const ClipBlock& block, int row,
                                          int col) {
  for (std::size_t i = 0; i < block.size(); ++i) {
    for (std::size_t j = 0; j < block[i].size(); ++j) {
      if (IsNumeric(block[i][j])) continue;
      return "The text " + QuotedExcerpt(block[i][j]) + " for the cell at " +
             CellPlace(grid, row + static_cast<int>(i), col + static_cast<int>(j)) +
             " is not a number, so nothing was pasted. " +
             (IsDecimalCommaNumber(block[i][j]) ? kDecimalComma : kNumbersOnly);
    }
  }
  return std::nullopt;
}

// The clamp pass over the whole table: only values beyond the range change; everything
// else keeps its text exactly.
void ClampTable(Grid& grid, TableKind kind) {
  const ValueRange range = AllowedRange(kind);
  for (int r = 1; r < grid.Rows(); ++r) {
    for (int c = 1; c < grid.Cols(); ++c) {
      const double value = core::LeadingNumber(grid.TextMatrix(r, c));
      if (value < range.lowest) grid.SetTextMatrix(r, c, FormatWhole(range.lowest));
      if (value > range.highest) grid.SetTextMatrix(r, c, FormatWhole(range.highest));
    }
  }
}

}  // namespace

void CopySelection(Grid& grid, std::string_view moduleVersion, std::string& copyBuffer,
                   core::Host& host, TableWindow& window) {
  const std::optional<CellRect> cells = CellsToWorkOn(grid, moduleVersion, kCopyOperation, host);
  if (!cells) return;
  copyBuffer = grid.ClipText(*cells);
  host.SetClipboardText(SystemClipboardText(copyBuffer));
  window.SetPopUpPasteEnabled(true);
}

void PasteClipboard(Grid& grid, Chart& chart, TableKind kind, std::string_view moduleVersion,
                    core::Host& host) {
  const std::optional<CellRect> cells = CellsToWorkOn(grid, moduleVersion, kPasteOperation, host);
  if (!cells) return;
  const int lastRow = grid.Rows() - 1;
  const int lastCol = grid.Cols() - 1;
  const ClipBlock block =
      SplitClipText(host.ClipboardText(), lastRow - cells->row1 + 1, lastCol - cells->col1 + 1);
  if (block.empty()) {
    host.MsgBox(kNothingToPaste, kPasteOperation.title, core::Buttons::OK, core::Icon::Exclamation);
    return;
  }
  if (const auto refusal = FirstNonNumber(grid, block, cells->row1, cells->col1)) {
    host.MsgBox(*refusal, kPasteOperation.title, core::Buttons::OK, core::Icon::Exclamation);
    return;
  }
  {
    grid.SetCurrentCell(cells->row1, cells->col1);
    const GridRedraw redraw(grid);
    grid.ExtendSelection(lastRow, lastCol);
    grid.SetClipText(JoinClipText(block));
    grid.SetCurrentCell(cells->row1, cells->col1);
  }
  const ChartBatch batch(chart);
  ClampTable(grid, kind);
  for (int r = cells->row1; r <= lastRow; ++r) {
    for (int c = cells->col1; c <= lastCol; ++c) {
      chart.SetHeight(r, c, ChartValueOf(kind, core::LeadingNumber(grid.TextMatrix(r, c))));
    }
  }
}

void ModifySelection(Grid& grid, Chart& chart, TableKind kind, std::string_view moduleVersion,
                     core::Host& host) {
  const std::optional<CellRect> cells = CellsToWorkOn(grid, moduleVersion, kModifyOperation, host);
  if (!cells) return;
  const std::optional<std::string> typed = host.InputBox(kModifyPrompt, kModifyTitle, "");
  if (!typed) return;
  const std::string_view answer = TrimModifyAnswer(*typed);
  if (answer.empty()) return;
  const std::optional<ModifyAnswer> change = ReadModifyAnswer(answer);
  if (!change) {
    host.MsgBox(QuotedExcerpt(answer) + kUnreadableModify, kModifyTitle, core::Buttons::OK,
                core::Icon::Exclamation);
    return;
  }
  const ChartBatch batch(chart);
  for (int r = cells->row1; r <= cells->row2; ++r) {
    for (int c = cells->col1; c <= cells->col2; ++c) {
      const double value =
          ClampToRange(kind, ModifiedValue(*change, CellNumber(grid.TextMatrix(r, c))));
      chart.SetHeight(r, c, ChartValueOf(kind, value));
      grid.SetTextMatrix(r, c, FormatWhole(value));
    }
  }
}

}  // namespace tables
