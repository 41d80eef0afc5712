#include "tables/table_map.h"

#include "core/editions.h"
#include "core/regions.h"

namespace tables {

namespace {

// RPM rows: 250 RPM steps up to 3000, then 500 RPM steps.
constexpr int kStandardFineRows = 11;
constexpr int kJXFineRows = 9;
constexpr int kFineStep = 250;
constexpr int kCoarseStep = 500;
constexpr int kStandardFineOffset = 250;
constexpr int kStandardCoarseOffset = -2500;
constexpr int kJXFineOffset = 750;
constexpr int kJXCoarseOffset = -1500;

// The KQ locked zone: columns below 7 (TPS up to 40 %) and rows below 15 (below 5000 RPM).
constexpr int kFirstFreeColumn = 7;
constexpr int kFirstFreeRow = 15;

constexpr ValueRange kFuelRange{-20, 30};
constexpr ValueRange kRetardRange{-10, 0};

}  // namespace

std::string_view TableName(TableId table) {
  switch (table) {
    case TableId::FrontCylTrim:
      return kFrontCylTrimTableName;
    case TableId::RearCylTrim:
      return kRearCylTrimTableName;
    case TableId::Retard:
      return kRetardTableName;
  }
  return {};
}

std::optional<TableId> TableFromName(std::string_view name) {
  for (const TableId table : {TableId::FrontCylTrim, TableId::RearCylTrim, TableId::Retard}) {
    if (TableName(table) == name) return table;
  }
  return std::nullopt;
}

TableKind KindOf(TableId table) {
  return table == TableId::Retard ? TableKind::Retard : TableKind::Fuel;
}

std::size_t BaseWord(TableId table) {
  switch (table) {
    case TableId::FrontCylTrim:
      return core::kFrontCylTrimTableBaseWord;
    case TableId::RearCylTrim:
      return core::kRearCylTrimTableBaseWord;
    case TableId::Retard:
      return core::kRetardTableBaseWord;
  }
  return core::kRetardTableBaseWord;
}

TableLayout TableLayoutFor(std::string_view moduleVersion) {
  const bool jx = moduleVersion == core::kVersionJX;
  TableLayout layout;
  layout.rows = jx ? kRpmRowsJX : kRpmRowsStandard;
  const int fineRows = jx ? kJXFineRows : kStandardFineRows;
  const int fineOffset = jx ? kJXFineOffset : kStandardFineOffset;
  const int coarseOffset = jx ? kJXCoarseOffset : kStandardCoarseOffset;
  for (int r = 1; r <= layout.rows; ++r) {
    const int rpm = r <= fineRows ? kFineStep * r + fineOffset : kCoarseStep * r + coarseOffset;
    layout.rpm.push_back(rpm);
    layout.rpmLabels.push_back(std::to_string(rpm));
  }
  return layout;
}

CellAddress AddressOf(TableId table, int rows, int r, int c) {
  const auto rowPairs = static_cast<std::size_t>(rows / 2);
  return {BaseWord(table) + rowPairs * static_cast<std::size_t>(c - 1) +
              static_cast<std::size_t>((r - 1) / 2),
          r % 2 == 0};
}

std::uint8_t CellByte(const core::ModuleImage& image, TableId table, int rows, int r, int c) {
  const CellAddress at = AddressOf(table, rows, r, c);
  const core::FLASHWord& word = image.FLASHBuffer.at(at.word);
  return at.hiByte ? word.HiByte : word.LoByte;
}

void SetCellByte(core::ModuleImage& image, TableId table, int rows, int r, int c, std::uint8_t b) {
  const CellAddress at = AddressOf(table, rows, r, c);
  core::FLASHWord& word = image.FLASHBuffer.at(at.word);
  (at.hiByte ? word.HiByte : word.LoByte) = b;
}

bool IsLocked(std::string_view moduleVersion, int r, int c) {
  return core::IsRestrictedEdition(moduleVersion) && c < kFirstFreeColumn && r < kFirstFreeRow;
}

ValueRange AllowedRange(TableKind kind) {
  return kind == TableKind::Fuel ? kFuelRange : kRetardRange;
}

}  // namespace tables
