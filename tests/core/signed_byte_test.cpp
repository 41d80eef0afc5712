// Signed values in single bytes: the editors read and write every signed cell and
// parameter through these two, so a wrap instead of a clamp corrupts stored data.
#include "core/signed_byte.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {

using core::IntToSByte;
using core::SByteToInt;

TEST(SignedByte, IntToSByteClampsAndEncodesAtItsLimits) {
  struct Case {
    std::int16_t x;
    std::uint8_t byte;
  };
  const Case cases[] = {
      {std::numeric_limits<std::int16_t>::min(), 0x80},
      {-300, 0x80},
      {-129, 0x80},
      {-128, 0x80},
      {-127, 0x81},
      {-1, 0xFF},
      {0, 0x00},
      {1, 0x01},
      {126, 0x7E},
      {127, 0x7F},
      {128, 0x7F},
      {300, 0x7F},
      {std::numeric_limits<std::int16_t>::max(), 0x7F},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IntToSByte(c.x), c.byte) << "x = " << c.x;
  }
}

TEST(SignedByte, SByteToIntReadsTwosComplement) {
  struct Case {
    std::uint8_t byte;
    std::int16_t value;
  };
  const Case cases[] = {{0x00, 0},   {0x01, 1},     {0x7E, 126}, {0x7F, 127},
                        {0x80, -128}, {0x81, -127}, {0xFE, -2},  {0xFF, -1}};
  for (const Case& c : cases) {
    EXPECT_EQ(SByteToInt(c.byte), c.value) << "byte = " << int{c.byte};
  }
}

TEST(SignedByte, EveryByteSurvivesARoundTrip) {
  for (int b = 0; b <= 0xFF; ++b) {
    const auto byte = static_cast<std::uint8_t>(b);
    const std::int16_t value = SByteToInt(byte);
    EXPECT_GE(value, -128);
    EXPECT_LE(value, 127);
    EXPECT_EQ(IntToSByte(value), byte) << "byte = " << b;
  }
}

TEST(SignedByte, EverySixteenBitValueIsClampedNeverWrapped) {
  for (int x = std::numeric_limits<std::int16_t>::min(); x <= std::numeric_limits<std::int16_t>::max();
       ++x) {
    const std::uint8_t byte = IntToSByte(static_cast<std::int16_t>(x));
    ASSERT_EQ(SByteToInt(byte), std::clamp(x, -128, 127)) << "x = " << x;
  }
}

}  // namespace
