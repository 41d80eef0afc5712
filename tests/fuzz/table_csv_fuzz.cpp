// Feeds arbitrary text to the table CSV reader for every layout and table kind: a reading
// either names a problem where it lies or gives every cell a value the cell may take, and
// the bytes it would write read back the same.
#include <cstddef>
#include <cstdint>
#include <string>

#include "compare/cell_check.h"
#include "compare/table_csv.h"
#include "tables/cell_codec.h"

namespace {

void Check(const std::string& text, const char* moduleVersion, tables::TableId table) {
  const compare::CsvReading reading = compare::ReadTableCsv(text, moduleVersion, table);
  if (!reading.values) {
    if (!reading.problem.starts_with("Line ") && !reading.problem.starts_with("The file")) {
      __builtin_trap();
    }
    return;
  }
  const int rows = tables::TableLayoutFor(moduleVersion).rows;
  if (reading.values->rows != rows ||
      reading.values->cells.size() != static_cast<std::size_t>(rows * tables::kTpsColumns)) {
    __builtin_trap();
  }
  core::ModuleImage image;
  image.ModuleVersion = moduleVersion;
  for (int r = 1; r <= rows; ++r) {
    for (int c = 1; c <= tables::kTpsColumns; ++c) {
      if (compare::CheckCellValue(tables::KindOf(table), tables::IsLocked(moduleVersion, r, c),
                                  reading.values->At(r, c))) {
        __builtin_trap();
      }
    }
  }
  for (const compare::CellWrite& write : compare::ChangedBytes(image, table, *reading.values)) {
    tables::SetCellByte(image, table, rows, write.row, write.col, write.byte);
  }
  const compare::CsvReading again =
      compare::ReadTableCsv(compare::TableCsv(image, table), moduleVersion, table);
  if (!again.values || !compare::ChangedBytes(image, table, *again.values).empty()) {
    __builtin_trap();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  Check(text, "VOSK", tables::TableId::FrontCylTrim);
  Check(text, "QL2 KQ", tables::TableId::Retard);
  Check(text, "JX", tables::TableId::RearCylTrim);
  return 0;
}
