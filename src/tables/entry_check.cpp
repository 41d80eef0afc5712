#include "tables/entry_check.h"

#include "core/text.h"
#include "tables/cell_text.h"

namespace tables {

std::optional<EntryRefusal> CheckEntry(TableKind kind, bool locked, std::string_view text) {
  const bool fuel = kind == TableKind::Fuel;
  const char* title = fuel ? kFuelEditTitle : kRetardEditTitle;
  const EntryRefusal outOfRange{fuel ? kFuelRangeMessage : kRetardRangeMessage, title};
  if (!IsNumeric(text)) return outOfRange;
  const double value = core::LeadingNumber(text);
  if (locked) {
    if (value == 0) return std::nullopt;
    return EntryRefusal{fuel ? kFuelZeroMessage : kRetardZeroMessage, title};
  }
  const ValueRange range = AllowedRange(kind);
  if (value >= range.lowest && value <= range.highest) return std::nullopt;
  return outOfRange;
}

}  // namespace tables
