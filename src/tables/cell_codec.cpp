#include "tables/cell_codec.h"

#include <cmath>

namespace tables {

namespace {

// Byte 128 is 0 % fuel trim; one step is 1/1.28 %.
constexpr double kFuelStepsPerPercent = 1.28;
constexpr double kFuelOffsetPercent = 100;
// One step of retard is 1/16 degree.
constexpr double kRetardDegreesPerStep = 0.0625;
constexpr double kFuelHighestByte = 255;
// 255 is the erased-cell value, never written as retard.
constexpr double kRetardHighestByte = 254;

std::uint8_t Clamp(double b, double highest) {
  if (!(b > 0)) return 0;
  if (b > highest) return static_cast<std::uint8_t>(highest);
  return static_cast<std::uint8_t>(b);
}

}  // namespace

DecodedCell DecodeCell(TableKind kind, std::uint8_t b) {
  if (kind == TableKind::Fuel) {
    const double percent = b / kFuelStepsPerPercent - kFuelOffsetPercent;
    return {percent, percent};
  }
  const double degrees = b * kRetardDegreesPerStep;
  return {-degrees, degrees};
}

DecodedCell ReadCell(const core::ModuleImage& image, TableId table, int rows, int r, int c) {
  if (IsLocked(image.ModuleVersion, r, c)) return {};
  return DecodeCell(KindOf(table), CellByte(image, table, rows, r, c));
}

std::uint8_t EncodeCell(TableKind kind, double displayed) {
  // nearbyint rounds exact halves to the even neighbour in the default rounding mode.
  if (kind == TableKind::Fuel) {
    return Clamp(std::nearbyint((displayed + kFuelOffsetPercent) * kFuelStepsPerPercent),
                 kFuelHighestByte);
  }
  return Clamp(-std::nearbyint(displayed / kRetardDegreesPerStep), kRetardHighestByte);
}

}  // namespace tables
