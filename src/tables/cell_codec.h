// How a stored cell byte becomes the number the user sees and the chart draws, and back.
#pragma once

#include <cstdint>

#include "core/module_image.h"
#include "tables/table_map.h"

namespace tables {

struct DecodedCell {
  double displayed = 0;
  // The retard table is charted as positive degrees although it is shown negative.
  double chart = 0;
};

DecodedCell DecodeCell(TableKind kind, std::uint8_t b);

// Cell (r, c) of a table as the editor shows it: decoded, and 0 in the KQ locked zone.
DecodedCell ReadCell(const core::ModuleImage& image, TableId table, int rows, int r, int c);

// Rounds to the nearest whole byte value with exact halves to the even neighbour, then
// clamps (fuel 0..255, retard 0..254).
std::uint8_t EncodeCell(TableKind kind, double displayed);

}  // namespace tables
