// How a stored cell byte becomes the number the user sees and the chart draws, and back.
#pragma once

#include <cstdint>

#include "tables/table_map.h"

namespace tables {

struct DecodedCell {
  double displayed = 0;
  // The retard table is charted as positive degrees although it is shown negative.
  double chart = 0;
};

DecodedCell DecodeCell(TableKind kind, std::uint8_t b);

// Rounds to the nearest whole byte value with exact halves to the even neighbour, then
// clamps (fuel 0..255, retard 0..254).
std::uint8_t EncodeCell(TableKind kind, double displayed);

}  // namespace tables
