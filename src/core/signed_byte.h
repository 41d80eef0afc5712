// Signed values kept in single bytes of the image (two's complement).
#pragma once

#include <cstdint>

namespace core {

// Reads a byte as -128..127.
std::int16_t SByteToInt(std::uint8_t b);

// Stores a signed value in a byte, clamping to -128..127 instead of wrapping.
std::uint8_t IntToSByte(std::int16_t x);

}  // namespace core
