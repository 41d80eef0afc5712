// Whether a value may go into a table cell by import or by taking it from another tune:
// the rule of typed entries, applied to the value as the grid would show it.
#pragma once

#include <optional>
#include <string>

#include "tables/table_map.h"

namespace compare {

// Nothing when the value may stand; otherwise why not, to follow the value in a message:
// "is outside the allowed range -20 to 30". A value counts as in range when its whole
// number, as the grid shows it, is: a table read from a module may hold -20.3125, which
// the grid shows as -20. A cell of the KQ locked zone takes 0 only.
std::optional<std::string> CheckCellValue(tables::TableKind kind, bool locked, double value);

}  // namespace compare
