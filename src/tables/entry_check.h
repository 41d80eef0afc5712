// The check of a value typed into a table cell, before the grid commits it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "tables/table_map.h"

namespace tables {

inline constexpr const char* kFuelEditTitle = "Fuel Trim Edit";
inline constexpr const char* kFuelRangeMessage =
    "Fuel trim percent must be numeric value between -20 and 30.";
inline constexpr const char* kFuelZeroMessage = "Fuel trim percent must be zero in this cell.";
inline constexpr const char* kRetardEditTitle = "Retard Edit";
inline constexpr const char* kRetardRangeMessage =
    "Retard must be numeric value between -10 and zero.";
inline constexpr const char* kRetardZeroMessage = "Retard must be zero in this cell.";

// Why an entry was refused, as the user is told.
struct EntryRefusal {
  std::string message;
  std::string title;
  bool operator==(const EntryRefusal&) const = default;
};

// Nothing when the entry may stand. A cell of the KQ locked zone takes 0 only; any other
// cell a number within its table's allowed range. The text is kept in the cell as typed.
std::optional<EntryRefusal> CheckEntry(TableKind kind, bool locked, std::string_view text);

}  // namespace tables
