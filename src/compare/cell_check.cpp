#include "compare/cell_check.h"

#include <cmath>

#include "tables/cell_text.h"

namespace compare {

std::optional<std::string> CheckCellValue(tables::TableKind kind, bool locked, double value) {
  if (locked) {
    if (value == 0) return std::nullopt;
    return std::string("lies in the KQ locked zone, where a cell must be 0");
  }
  const tables::ValueRange range = tables::AllowedRange(kind);
  const double shown = std::round(value);
  if (std::isfinite(value) && shown >= range.lowest && shown <= range.highest) {
    return std::nullopt;
  }
  return "is outside the allowed range " + tables::FormatWhole(range.lowest) + " to " +
         tables::FormatWhole(range.highest);
}

}  // namespace compare
