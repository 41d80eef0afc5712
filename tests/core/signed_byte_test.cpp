// Signed values in single bytes: the editors read and write every signed cell and
// parameter through these two, so a wrap instead of a clamp corrupts stored data.
#include "core/signed_byte.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {

constexpr int kMin16 = std::numeric_limits<std::int16_t>::min();
constexpr int kMax16 = std::numeric_limits<std::int16_t>::max();

TEST(SignedByte, EncodingAndDecodingAtTheLimits) {
  const std::pair<int, std::uint8_t> cases[] = {
      {kMin16, 0x80}, {-129, 0x80}, {-128, 0x80}, {-127, 0x81}, {-1, 0xFF}, {0, 0x00},
      {1, 0x01},      {127, 0x7F},  {128, 0x7F},  {kMax16, 0x7F}};
  for (const auto& [x, byte] : cases) {
    EXPECT_EQ(core::IntToSByte(static_cast<std::int16_t>(x)), byte) << "x = " << x;
    if (x >= -128 && x <= 127) {
      EXPECT_EQ(core::SByteToInt(byte), x) << "byte " << int{byte};
    }
  }
}

// Covers every byte on the way back as well: -128..127 map onto all 256 of them.
TEST(SignedByte, EverySixteenBitValueIsClampedNeverWrapped) {
  for (int x = kMin16; x <= kMax16; ++x) {
    ASSERT_EQ(core::SByteToInt(core::IntToSByte(static_cast<std::int16_t>(x))),
              std::clamp(x, -128, 127))
        << "x = " << x;
  }
}

}  // namespace
