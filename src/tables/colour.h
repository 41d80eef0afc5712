// Colours of grid cells, as red, green and blue.
#pragma once

#include <cstdint>

namespace tables {

struct Colour {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  bool operator==(const Colour&) const = default;
};

// Background of a cell in the KQ locked zone.
inline constexpr Colour kLockedCellColour{255, 0, 0};

}  // namespace tables
