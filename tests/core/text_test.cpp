// Text read from files and boxes: numbers taken the forgiving way, and 8-bit text
// turned into UTF-8 without losing or mangling a byte. Then signed values in single bytes.
#include "core/text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

#include "core/signed_byte.h"

namespace {

TEST(LeadingNumber, TakesTheNumberAtTheStartAndIgnoresTheRest) {
  // clang-format off
  const std::pair<std::string, double> cases[] = {
      {"  -3.5x", -3.5}, {"\t 7", 7}, {"00012", 12}, {"+7", 7}, {".5", 0.5}, {"5.", 5},
      {"1.5.5", 1.5}, {"1,5", 1},
      // No number at all.
      {"", 0}, {"abc", 0}, {"-.", 0}, {"- 5", 0}, {"0x10", 0},
      // An exponent counts only with digits.
      {"1E5", 100000}, {"25e-1", 2.5}, {"1e+", 1}, {"1ex", 1},
      // Words the standard parsers take are no numbers here.
      {"nan", 0}, {"-infinity", 0},
      // Too small to tell from zero is zero.
      {"-1e-400", 0}, {"1e-99999999999999999999", 0}};
  // clang-format on
  for (const auto& [text, value] : cases) {
    EXPECT_EQ(core::LeadingNumber(text), value) << "\"" << text << "\"";
  }
}

TEST(LeadingNumber, TooLargeToHoldSaturatesWithItsSignAndTenThousandDigitsAreNoCrash) {
  const std::string digits(10'000, '9');
  const std::string texts[] = {"1e309", "1e99999999999999999999", "0.000001e400", "-1e400",
                               digits,  "-" + digits + "xyz"};
  for (const std::string& text : texts) {
    const double value = core::LeadingNumber(text);
    EXPECT_TRUE(std::isfinite(value)) << text.substr(0, 20);
    EXPECT_GT(std::abs(value), 1e300) << text.substr(0, 20);
    EXPECT_EQ(value < 0, text[0] == '-') << text.substr(0, 20);
  }
  // Long but small: leading zeros and a cancelling exponent.
  EXPECT_EQ(core::LeadingNumber(std::string(10'000, '0') + "42"), 42);
  EXPECT_EQ(core::LeadingNumber("1" + std::string(10'000, '0') + "e-10000"), 1);
}

TEST(UnicodeText, ValidityAtEverySequenceLimit) {
  // clang-format off
  const std::pair<const char*, std::string> valid[] = {
      {"empty", ""}, {"NUL byte", std::string("a\0b", 3)}, {"lowest two-byte", "\xC2\x80"},
      {"three-byte", "\xE2\x82\xAC"}, {"last before surrogates", "\xED\x9F\xBF"},
      {"first after surrogates", "\xEE\x80\x80"}, {"highest code point", "\xF4\x8F\xBF\xBF"},
      {"complete sequence at the very end", "ab\xC3\xBC"}};
  const std::pair<const char*, std::string> invalid[] = {
      {"overlong NUL", "\xC0\x80"}, {"overlong two-byte", "\xC1\xBF"},
      {"overlong three-byte", "\xE0\x9F\xBF"}, {"overlong four-byte", "\xF0\x8F\xBF\xBF"},
      {"high surrogate", "\xED\xA0\x80"}, {"low surrogate", "\xED\xBF\xBF"},
      {"beyond U+10FFFF", "\xF4\x90\x80\x80"}, {"five-byte lead", "\xF8\x88\x80\x80\x80"},
      {"lone continuation", "a\x80"}, {"four-byte truncated", "a\xF0\x9F\x98"},
      {"broken in the middle", "\xE2" "A\xAC"}};
  // clang-format on
  for (const auto& [name, bytes] : valid) EXPECT_TRUE(core::IsValidUtf8(bytes)) << name;
  for (const auto& [name, bytes] : invalid) EXPECT_FALSE(core::IsValidUtf8(bytes)) << name;
}

TEST(UnicodeText, ValidUtf8StaysAsItIsAnythingElseIsReadAsLatin1) {
  EXPECT_EQ(core::EightBitToUtf8("M\xC3\xBCller \xE2\x82\xAC"), "M\xC3\xBCller \xE2\x82\xAC");
  // One invalid sequence makes the whole text Latin-1, the valid-looking part too.
  EXPECT_EQ(core::EightBitToUtf8("\xC3\xBC\xFF"), "\xC3\x83\xC2\xBC\xC3\xBF");
  EXPECT_EQ(core::EightBitToUtf8(std::string("a\0\xE9", 3)), std::string("a\0\xC3\xA9", 4));
  // The limits of the two-byte forms: 0x7F stays, 0x80, 0xBF, 0xC0 and 0xFF become pairs.
  EXPECT_EQ(core::Latin1ToUtf8("\x7F\x80\xBF\xC0\xFF"), "\x7F\xC2\x80\xC2\xBF\xC3\x80\xC3\xBF");
}

// The editors read and write every signed cell and parameter through these two, so a
// wrap instead of a clamp corrupts stored data.
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
