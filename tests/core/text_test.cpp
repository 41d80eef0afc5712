// Text read from files and boxes: numbers taken the forgiving way, and 8-bit text
// turned into UTF-8 without losing or mangling a byte.
#include "core/text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>

namespace {

TEST(LeadingNumber, TakesTheNumberAtTheStartAndIgnoresTheRest) {
  struct Case {
    std::string text;
    double value;
  };
  const Case cases[] = {
      {"12abc", 12},
      {"  -3.5x", -3.5},
      {"\t 7", 7},
      {"48", 48},
      {"48pt", 48},
      {"20 points", 20},
      {"00012", 12},
      {"abc", 0},
      {"", 0},
      {"   ", 0},
      {"1e5", 100000},
      {"1E5", 100000},
      {"1e+2", 100},
      {"25e-1", 2.5},
      {"1e", 1},
      {"1e+", 1},
      {"1ex", 1},
      {".5", 0.5},
      {"5.", 5},
      {"-.25", -0.25},
      {"-.", 0},
      {".", 0},
      {"-", 0},
      {"+", 0},
      {"+7", 7},
      {"- 5", 0},
      {"1.5.5", 1.5},
      {"1,5", 1},
      {"0x10", 0},
      {"nan", 0},
      {"NaN", 0},
      {"inf", 0},
      {"-infinity", 0},
      {"1e-400", 0},
      {"-1e-400", 0},
      {"1e-99999999999999999999", 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(core::LeadingNumber(c.text), c.value) << "\"" << c.text << "\"";
  }
}

TEST(LeadingNumber, TooLargeToHoldSaturatesWithItsSign) {
  for (const char* text : {"1e400", "1e309", "+1e400", "1e99999999999999999999",
                                 "0.000001e400", "  9.9e999 points"}) {
    const double value = core::LeadingNumber(text);
    EXPECT_TRUE(std::isfinite(value)) << text;
    EXPECT_GT(value, 1e300) << text;
  }
  const double negative = core::LeadingNumber("-1e400");
  EXPECT_TRUE(std::isfinite(negative));
  EXPECT_LT(negative, -1e300);
}

TEST(LeadingNumber, TenThousandDigitsAreHugeNotACrash) {
  const std::string digits(10'000, '9');
  EXPECT_GT(core::LeadingNumber(digits), 1e300);
  EXPECT_LT(core::LeadingNumber("-" + digits + "xyz"), -1e300);
  // Long but small: leading zeros and a cancelling exponent.
  EXPECT_EQ(core::LeadingNumber(std::string(10'000, '0') + "42"), 42);
  EXPECT_EQ(core::LeadingNumber("1" + std::string(10'000, '0') + "e-10000"), 1);
  EXPECT_EQ(core::LeadingNumber("0." + std::string(10'000, '0') + "1"), 0);
}

TEST(CaseBlindText, ContainsAndUpperCaseTouchOnlyAsciiLetters) {
  EXPECT_TRUE(core::ContainsIgnoringCase("Bold Italic", "bold"));
  EXPECT_TRUE(core::ContainsIgnoringCase("bold italic", "ITALIC"));
  EXPECT_FALSE(core::ContainsIgnoringCase("bol d", "bold"));
  EXPECT_FALSE(core::ContainsIgnoringCase("", "bold"));
  EXPECT_TRUE(core::ContainsIgnoringCase("", ""));
  EXPECT_TRUE(core::ContainsIgnoringCase("x", ""));
  // UTF-8 "ü" and "Ü" differ in their bytes; only ASCII letters fold.
  EXPECT_FALSE(core::ContainsIgnoringCase("M\xC3\xBCller", "M\xC3\x9CLLER"));
  EXPECT_EQ(core::ToUpperAscii("null M\xC3\xBCller 9z"), "NULL M\xC3\xBCLLER 9Z");
}

TEST(UnicodeText, ValidityAtEverySequenceLimit) {
  struct Case {
    const char* name;
    std::string bytes;
    bool valid;
  };
  const Case cases[] = {
      {"empty", "", true},
      {"ASCII", "Marrowby 48", true},
      {"NUL byte", std::string("a\0b", 3), true},
      {"two-byte", "M\xC3\xBCller", true},
      {"lowest two-byte", "\xC2\x80", true},
      {"three-byte", "\xE2\x82\xAC", true},
      {"last before surrogates", "\xED\x9F\xBF", true},
      {"first after surrogates", "\xEE\x80\x80", true},
      {"four-byte", "\xF0\x9F\x98\x80", true},
      {"highest code point", "\xF4\x8F\xBF\xBF", true},
      {"complete sequence at the very end", "ab\xC3\xBC", true},
      {"overlong NUL", "\xC0\x80", false},
      {"overlong two-byte", "\xC1\xBF", false},
      {"overlong three-byte", "\xE0\x9F\xBF", false},
      {"overlong four-byte", "\xF0\x8F\xBF\xBF", false},
      {"high surrogate", "\xED\xA0\x80", false},
      {"low surrogate", "\xED\xBF\xBF", false},
      {"beyond U+10FFFF", "\xF4\x90\x80\x80", false},
      {"lead F5", "\xF5\x80\x80\x80", false},
      {"five-byte lead", "\xF8\x88\x80\x80\x80", false},
      {"FE", "\xFE", false},
      {"FF", "\xFF", false},
      {"lone continuation", "a\x80", false},
      {"two-byte truncated at the end", "a\xC3", false},
      {"three-byte truncated at the end", "a\xE2\x82", false},
      {"four-byte truncated at the end", "a\xF0\x9F\x98", false},
      {"lead followed by ASCII", "\xC3" "A", false},
      {"three-byte broken in the middle", "\xE2" "A\xAC", false},
      {"Latin-1 word", "M\xFCller", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(core::IsValidUtf8(c.bytes), c.valid) << c.name;
  }
}

TEST(UnicodeText, EightBitTextKeepsValidUtf8AndReadsTheRestAsLatin1) {
  EXPECT_EQ(core::EightBitToUtf8("Marrowby"), "Marrowby");
  EXPECT_EQ(core::EightBitToUtf8("M\xC3\xBCller \xE2\x82\xAC"), "M\xC3\xBCller \xE2\x82\xAC");
  EXPECT_EQ(core::EightBitToUtf8("M\xFCller"), "M\xC3\xBCller");
  EXPECT_EQ(core::EightBitToUtf8("Stra\xDF" "e 7, K\xF6ln"), "Stra\xC3\x9F" "e 7, K\xC3\xB6ln");
  // One invalid sequence makes the whole text Latin-1, the valid-looking part too.
  EXPECT_EQ(core::EightBitToUtf8("\xC3\xBC\xFF"), "\xC3\x83\xC2\xBC\xC3\xBF");
  EXPECT_EQ(core::EightBitToUtf8(std::string("a\0\xE9", 3)), std::string("a\0\xC3\xA9", 4));
}

TEST(UnicodeText, EveryLatin1ByteBecomesItsCodePoint) {
  for (int b = 0; b <= 0xFF; ++b) {
    const std::string utf8 = core::Latin1ToUtf8(std::string(1, static_cast<char>(b)));
    ASSERT_TRUE(core::IsValidUtf8(utf8)) << b;
    if (b < 0x80) {
      ASSERT_EQ(utf8, std::string(1, static_cast<char>(b)));
    } else {
      ASSERT_EQ(utf8.size(), 2u) << b;
      const int codePoint = ((static_cast<std::uint8_t>(utf8[0]) & 0x1F) << 6) |
                            (static_cast<std::uint8_t>(utf8[1]) & 0x3F);
      ASSERT_EQ(codePoint, b);
    }
  }
}

}  // namespace
