#include "tables/cell_note.h"

#include <cstdio>

#include "tables/cell_codec.h"
#include "tables/cell_text.h"

namespace tables {

std::string ExactValueText(TableKind kind, std::uint8_t byte) {
  const double value = DecodeCell(kind, byte).displayed;
  char text[64];
  if (kind == TableKind::Retard) {
    std::snprintf(text, sizeof text, "%.2f\u00B0", value == 0 ? 0.0 : value);
  } else {
    std::snprintf(text, sizeof text, "%.1f %%", value);
  }
  return text;
}

CellNote NoteFor(TableKind kind, std::string_view text, std::uint8_t baselineByte,
                 std::string_view baselineText) {
  const std::uint8_t byte = EncodeCell(kind, CellNumber(text));
  CellNote note;
  note.changed = byte != baselineByte && text != baselineText;
  note.toolTip = ExactValueText(kind, byte) + " (byte " + std::to_string(byte) + ")";
  if (note.changed) note.toolTip += ", was " + ExactValueText(kind, baselineByte);
  return note;
}

}  // namespace tables
