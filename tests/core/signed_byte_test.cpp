// Signed values in single bytes: the editors read and write every signed cell and
// parameter through these two, so a wrap instead of a clamp corrupts stored data.
#include "core/signed_byte.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

namespace {

TEST(SignedByte, TwosComplementBytesAndEverySixteenBitValueClampedNeverWrapped) {
  const std::pair<int, std::uint8_t> bytes[] = {{-128, 0x80}, {-127, 0x81}, {-1, 0xFF},
                                                {0, 0x00},    {1, 0x01},    {127, 0x7F}};
  for (const auto& [x, byte] : bytes) {
    EXPECT_EQ(core::IntToSByte(static_cast<std::int16_t>(x)), byte) << x;
    EXPECT_EQ(core::SByteToInt(byte), x) << int{byte};
  }
  // Covers every byte on the way back as well: -128..127 map onto all 256 of them.
  for (int x = INT16_MIN; x <= INT16_MAX; ++x) {
    ASSERT_EQ(core::SByteToInt(core::IntToSByte(static_cast<std::int16_t>(x))),
              std::clamp(x, -128, 127))
        << "x = " << x;
  }
}

}  // namespace
