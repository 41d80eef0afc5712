// What a data cell tells beyond its text: whether it differs from the data as last
// loaded, downloaded or saved, and its tool tip with the exact value and byte it stores.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "tables/table_map.h"

namespace tables {

struct CellNote {
  bool changed = false;
  // "12.5 % (byte 144), was 10.2 %"
  std::string toolTip;
  bool operator==(const CellNote&) const = default;
};

// A stored byte as an exact value: fuel trim to a tenth of a percent, retard to a
// hundredth of a degree (each finer than one step of the byte).
std::string ExactValueText(TableKind kind, std::uint8_t byte);

// The cell holding text, against the byte it held as last loaded (shown as
// baselineText). A text that reads as the loaded byte is shown never counts as a change,
// though saving it may round the byte to the whole number it shows.
CellNote NoteFor(TableKind kind, std::string_view text, std::uint8_t baselineByte,
                 std::string_view baselineText);

}  // namespace tables
