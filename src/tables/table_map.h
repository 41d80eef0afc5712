// Where the three trim tables lie in the FLASH image, how big they are for each edition,
// their axis labels, and which cells the restricted KQ editions may not change.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/module_image.h"

namespace tables {

enum class TableId { FrontCylTrim, RearCylTrim, Retard };

// Fuel tables hold percent of fuel trim; the retard table degrees of ignition retard.
enum class TableKind { Fuel, Retard };

inline constexpr std::string_view kFrontCylTrimTableName = "Front Cylinder Fuel Trim Table";
inline constexpr std::string_view kRearCylTrimTableName = "Rear Cylinder Fuel Trim Table";
inline constexpr std::string_view kRetardTableName = "Retard Table";

inline constexpr int kTpsColumns = 9;
inline constexpr int kRpmRowsStandard = 18;
inline constexpr int kRpmRowsJX = 22;
inline constexpr const char* kCornerLabel = "RPM/TPS";
inline constexpr std::array<std::string_view, kTpsColumns> kTpsLabels = {
    "0%", "2.5%", "5%", "10%", "20%", "40%", "60%", "80%", "100%"};
inline constexpr std::array<double, kTpsColumns> kTpsPercent = {0, 2.5, 5, 10, 20, 40, 60, 80, 100};

std::string_view TableName(TableId table);
std::optional<TableId> TableFromName(std::string_view name);
TableKind KindOf(TableId table);
std::size_t BaseWord(TableId table);

// R RPM rows by nine TPS columns; the row and column labels as the grid shows them.
struct TableLayout {
  int rows = kRpmRowsStandard;
  std::vector<int> rpm;
  std::vector<std::string> rpmLabels;

  // FLASH words one table occupies: R / 2 per column.
  std::size_t Words() const { return static_cast<std::size_t>(rows / 2) * kTpsColumns; }
};

// 22 rows for "JX", 18 for every other ModuleVersion.
TableLayout TableLayoutFor(std::string_view moduleVersion);

// The FLASH word of cell (r, c), r in 1..R and c in 1..9: stored column by column, two
// rows to a word, the odd row in the low byte.
struct CellAddress {
  std::size_t word = 0;
  bool hiByte = false;
};
CellAddress AddressOf(TableId table, int rows, int r, int c);

std::uint8_t CellByte(const core::ModuleImage& image, TableId table, int rows, int r, int c);
void SetCellByte(core::ModuleImage& image, TableId table, int rows, int r, int c, std::uint8_t b);

// The KQ locked zone: TPS 0 % to 40 % below 5000 RPM, on restricted editions only.
bool IsLocked(std::string_view moduleVersion, int r, int c);

struct ValueRange {
  double lowest = 0;
  double highest = 0;
};
ValueRange AllowedRange(TableKind kind);

}  // namespace tables
