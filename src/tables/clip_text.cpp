#include "tables/clip_text.h"

namespace tables {

namespace {

constexpr char kLineFeed = '\n';
constexpr char kComma = ',';
constexpr char kSemicolon = ';';

bool IsRowEnd(char c) { return c == kClipRowSeparator || c == kLineFeed; }

// Length of the row end at the start of text: CR LF counts as one.
std::size_t RowEndLength(std::string_view text) {
  if (text.empty() || !IsRowEnd(text.front())) return 0;
  return text.size() > 1 && text[0] == kClipRowSeparator && text[1] == kLineFeed ? 2 : 1;
}

std::string_view WithoutTrailingRowEnd(std::string_view text) {
  if (text.size() >= 2 && text.substr(text.size() - 2) == "\r\n")
    return text.substr(0, text.size() - 2);
  if (!text.empty() && IsRowEnd(text.back())) return text.substr(0, text.size() - 1);
  return text;
}

std::vector<std::string> SplitRow(std::string_view row, int maxCols, char separator) {
  std::vector<std::string> cells;
  while (static_cast<int>(cells.size()) < maxCols) {
    const std::size_t end = row.find(separator);
    cells.emplace_back(row.substr(0, end));
    if (end == std::string_view::npos) break;
    row.remove_prefix(end + 1);
  }
  return cells;
}

// TAB where the rows have one; else the semicolon of decimal-comma spreadsheets, else the
// comma.
char CellSeparatorOf(const std::vector<std::string_view>& rows) {
  for (const char separator : {kClipCellSeparator, kSemicolon, kComma}) {
    for (const std::string_view row : rows) {
      if (row.find(separator) != std::string_view::npos) return separator;
    }
  }
  return kClipCellSeparator;
}

}  // namespace

ClipBlock SplitClipText(std::string_view text, int maxRows, int maxCols) {
  ClipBlock block;
  text = WithoutTrailingRowEnd(text);
  if (text.empty() || maxCols < 1) return block;
  std::vector<std::string_view> rows;
  while (static_cast<int>(rows.size()) < maxRows) {
    std::size_t end = 0;
    while (end < text.size() && !IsRowEnd(text[end])) ++end;
    rows.push_back(text.substr(0, end));
    if (end == text.size()) break;
    text.remove_prefix(end + RowEndLength(text.substr(end)));
  }
  // Only the rows kept decide, so that the block reads the same when joined again.
  const char separator = CellSeparatorOf(rows);
  for (const std::string_view row : rows) block.push_back(SplitRow(row, maxCols, separator));
  return block;
}

std::string JoinClipText(const ClipBlock& block) {
  std::string text;
  for (std::size_t r = 0; r < block.size(); ++r) {
    if (r > 0) text += kClipRowSeparator;
    for (std::size_t c = 0; c < block[r].size(); ++c) {
      if (c > 0) text += kClipCellSeparator;
      text += block[r][c];
    }
  }
  return text;
}

std::string SystemClipboardText(std::string_view clipText) {
  std::string text(clipText);
  for (char& c : text) {
    if (c == kClipRowSeparator) c = kLineFeed;
  }
  text += kLineFeed;
  return text;
}

}  // namespace tables
