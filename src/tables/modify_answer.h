// The answer to the Modify prompt: a number with two flags that say how it changes
// each selected cell.
#pragma once

#include <optional>
#include <string_view>

namespace tables {

inline constexpr const char* kModifyTitle = "Modify Selection";
inline constexpr const char* kModifyPrompt =
    "Enter a new value. See examples below or Help for details.\r\n"
    "   Enter 30 to set all cells in selection to 30\r\n"
    "   Enter -5 to subtract 5 from each cell in selection\r\n"
    "   Enter +10 to add 10 to each cell in selection\r\n"
    "   Enter 80% to multiply each cell in selection by 80%\r\n"
    "   Enter -7.5% to reduce each cell in selection by 7.5%\r\n"
    "   Enter +15% to increase each cell in selection by 15%";

struct ModifyAnswer {
  double x = 0;
  // "%" anywhere: x is a percentage of the cell.
  bool percent = false;
  // "+" or "-" anywhere: x changes the cell instead of replacing it.
  bool isSigned = false;
};

// The answer without its surrounding blanks.
std::string_view TrimModifyAnswer(std::string_view answer);

// Reads a trimmed answer: x is the number that starts it once "%" and "+" are taken out.
// Nothing when no number is there ("", "abc", "%"), so that a mistyped answer changes
// no cell.
std::optional<ModifyAnswer> ReadModifyAnswer(std::string_view trimmed);

// The new value of a cell holding current, before it is clamped to the table's range.
double ModifiedValue(const ModifyAnswer& answer, double current);

}  // namespace tables
