// The check of a typed parameter: any text gives a value inside the range, with the
// range's message when it had to be forced there.
#include "params/parameter_check.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

using params::kFuelRange;
using params::kSmallRange;

constexpr const char* kAbove30 = "Value must be less than or equal to 30";
constexpr const char* kBelowMinus20 = "Value must be greater than or equal to -20";
constexpr const char* kAbove10 = "Value must be less than or equal to 10";
constexpr const char* kBelow0 = "Value must be greater than or equal to 0";

struct Case {
  std::string text;
  const params::ParameterRange* range;
  std::string shown;
  std::optional<std::string> message;
};

TEST(CheckParameterText, RangesRoundingAndTextForm) {
  const Case cases[] = {
      {"30", &kFuelRange, " 30", std::nullopt},
      {"30.9", &kFuelRange, " 30", kAbove30},  // compared before rounding down
      {"31", &kFuelRange, " 30", kAbove30},
      {"-20", &kFuelRange, "-20", std::nullopt},
      {"-20.1", &kFuelRange, "-20", kBelowMinus20},
      {"-25", &kFuelRange, "-20", kBelowMinus20},
      {"25.9", &kFuelRange, " 25", std::nullopt},
      {"-3.5", &kFuelRange, "-4", std::nullopt},
      {"-0.5", &kFuelRange, "-1", std::nullopt},
      {"-0", &kFuelRange, " 0", std::nullopt},
      {"0", &kSmallRange, " 0", std::nullopt},
      {"10", &kSmallRange, " 10", std::nullopt},
      {"10.5", &kSmallRange, " 10", kAbove10},
      {"-0.5", &kSmallRange, " 0", kBelow0},
      {"-1", &kSmallRange, " 0", kBelow0},
      {"9.99", &kSmallRange, " 9", std::nullopt},
      {"200", &kSmallRange, " 10", kAbove10},
  };
  for (const Case& c : cases) {
    const params::CheckedParameter checked = params::CheckParameterText(c.text, *c.range);
    EXPECT_EQ(checked.text, c.shown) << '"' << c.text << '"';
    EXPECT_EQ(checked.message, c.message) << '"' << c.text << '"';
    EXPECT_EQ(std::to_string(checked.value), c.shown.substr(c.shown[0] == ' ' ? 1 : 0));
  }
}

TEST(CheckParameterText, TextThatIsNoNumberGivesZeroSilently) {
  for (const params::ParameterRange* range : {&kFuelRange, &kSmallRange}) {
    for (const char* text : {"", "   ", "abc", "--3", "nan", "inf", "-infinity", "+", ".", "x12"}) {
      const params::CheckedParameter checked = params::CheckParameterText(text, *range);
      EXPECT_EQ(checked.value, 0) << text;
      EXPECT_EQ(checked.text, " 0") << text;
      EXPECT_FALSE(checked.message) << text;
    }
  }
}

TEST(CheckParameterText, ForgivingReadingOfWhatFollowsTheNumber) {
  EXPECT_EQ(params::CheckParameterText("12abc", kFuelRange).value, 12);
  EXPECT_EQ(params::CheckParameterText("  7 ", kFuelRange).value, 7);
  EXPECT_EQ(params::CheckParameterText("1,5", kFuelRange).value, 1);
  EXPECT_EQ(params::CheckParameterText("2e1", kFuelRange).value, 20);
  const params::CheckedParameter exponent = params::CheckParameterText("1e5", kFuelRange);
  EXPECT_EQ(exponent.value, 30);
  EXPECT_EQ(exponent.message, kAbove30);
}

TEST(CheckParameterText, HugeNumbersAreClampedBeforeTheyBecomeWholeNumbers) {
  const std::string digits(10'000, '9');
  const params::CheckedParameter huge = params::CheckParameterText(digits, kSmallRange);
  EXPECT_EQ(huge.value, 10);
  EXPECT_EQ(huge.message, kAbove10);
  const params::CheckedParameter negative = params::CheckParameterText("-" + digits, kFuelRange);
  EXPECT_EQ(negative.value, -20);
  EXPECT_EQ(negative.message, kBelowMinus20);
  EXPECT_EQ(params::CheckParameterText("70000", kFuelRange).value, 30);
  EXPECT_EQ(params::CheckParameterText("-1e400", kSmallRange).value, 0);
}

TEST(ParameterBoxes, TwentyEightChecksWithTheirRangesAndModeDependence) {
  const auto second = params::ParameterBoxes(params::Generation::Second);
  ASSERT_EQ(second.size(), 19u);
  for (std::size_t i = 0; i < second.size(); ++i) {
    const int number = static_cast<int>(i) + 1;
    EXPECT_EQ(second[i].number, number);
    EXPECT_EQ(second[i].range, number <= 9 ? &kFuelRange : &kSmallRange) << number;
    EXPECT_EQ(second[i].modeDependent, number != 10) << number;
  }
  const auto first = params::ParameterBoxes(params::Generation::First);
  ASSERT_EQ(first.size(), 9u);
  for (std::size_t i = 0; i < first.size(); ++i) {
    const int number = static_cast<int>(i) + 1;
    EXPECT_EQ(first[i].number, number);
    EXPECT_EQ(first[i].range, number <= 8 ? &kFuelRange : &kSmallRange) << number;
    EXPECT_EQ(first[i].modeDependent, number != 9) << number;
  }
  EXPECT_EQ(params::ParameterTitle(19), "Parameter 19");
}

TEST(ParameterText, OneBlankBeforeZeroAndPositiveValues) {
  EXPECT_EQ(params::ParameterText(5), " 5");
  EXPECT_EQ(params::ParameterText(0), " 0");
  EXPECT_EQ(params::ParameterText(-12), "-12");
  EXPECT_EQ(params::ParameterText(246), " 246");
}

}  // namespace
