#include "core/signed_byte.h"

namespace core {

namespace {
constexpr int kByteValues = 256;
constexpr int kMinSigned = -128;
constexpr int kMaxSigned = 127;
}  // namespace

std::int16_t SByteToInt(std::uint8_t b) {
  return static_cast<std::int16_t>(b <= kMaxSigned ? b : b - kByteValues);
}

std::uint8_t IntToSByte(std::int16_t x) {
  if (x < kMinSigned) return static_cast<std::uint8_t>(kMinSigned + kByteValues);
  if (x < 0) return static_cast<std::uint8_t>(x + kByteValues);
  if (x <= kMaxSigned) return static_cast<std::uint8_t>(x);
  return static_cast<std::uint8_t>(kMaxSigned);
}

}  // namespace core
