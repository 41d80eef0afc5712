// The clip text that copy and paste exchange: TAB between the cells of a row, CR
// between rows, cell texts as they stand.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tables {

inline constexpr char kClipCellSeparator = '\t';
inline constexpr char kClipRowSeparator = '\r';

// Rows of cell texts.
using ClipBlock = std::vector<std::vector<std::string>>;

// Reads clip text whose rows end in CR, LF or CR LF, as programs place them on the
// clipboard. Cells are separated by TAB; text without a TAB may separate them by ";" (as
// spreadsheets with a decimal comma write CSV) or else by ","; one row end at the very end closes
// the last row and starts none. Only the first maxRows rows and the first maxCols cells of each are
// kept, so a huge text costs no more than the block a table can take. Text with no characters gives
// no rows.
ClipBlock SplitClipText(std::string_view text, int maxRows, int maxCols);

// TAB between cells, CR between rows, no trailing separator.
std::string JoinClipText(const ClipBlock& block);

// The clip text as the system clipboard carries it to spreadsheets: every row ended by LF.
std::string SystemClipboardText(std::string_view clipText);

}  // namespace tables
