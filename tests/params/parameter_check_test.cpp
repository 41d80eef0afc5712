// The check of a typed parameter: any text gives a whole value inside the range, with
// the range's message when it had to be forced there.
#include "params/parameter_check.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

using params::kFuelRange;
using params::kSmallRange;

TEST(CheckParameterText, BoundsRoundingNonNumbersAndHugeInput) {
  const std::string above30 = "Value must be less than or equal to 30";
  const std::string below20 = "Value must be greater than or equal to -20";
  const std::string above10 = "Value must be less than or equal to 10";
  const std::string below0 = "Value must be greater than or equal to 0";
  const std::string digits(10'000, '9');
  struct Case {
    std::string text;
    const params::ParameterRange* range;
    std::string shown;
    std::optional<std::string> message;
  };
  const Case cases[] = {
      {"30", &kFuelRange, " 30", {}},
      {"30.2", &kFuelRange, " 30", above30},  // compared before rounding down
      {"-20", &kFuelRange, "-20", {}},
      {"-20.1", &kFuelRange, "-20", below20},
      {"25.9", &kFuelRange, " 25", {}},
      {"-3.5", &kFuelRange, "-4", {}},
      {"-0.5", &kFuelRange, "-1", {}},
      {"-0.5", &kSmallRange, " 0", below0},
      {"10", &kSmallRange, " 10", {}},
      {"10.5", &kSmallRange, " 10", above10},
      {"12abc", &kFuelRange, " 12", {}},
      {"  7 ", &kFuelRange, " 7", {}},
      {"1,5", &kFuelRange, " 1", {}},
      {"1e5", &kFuelRange, " 30", above30},
      {"70000", &kFuelRange, " 30", above30},
      {digits, &kSmallRange, " 10", above10},
      {"-" + digits, &kFuelRange, "-20", below20},
      {"", &kSmallRange, " 0", {}},
      {"   ", &kFuelRange, " 0", {}},
      {"abc", &kFuelRange, " 0", {}},
      {"--3", &kSmallRange, " 0", {}},
      {"nan", &kFuelRange, " 0", {}},
      {"-inf", &kSmallRange, " 0", {}},
  };
  for (const Case& c : cases) {
    const params::CheckedParameter checked = params::CheckParameterText(c.text, *c.range);
    const std::string label = '"' + c.text.substr(0, 12) + '"';
    EXPECT_EQ(checked.text, c.shown) << label;
    EXPECT_EQ(checked.message, c.message) << label;
    EXPECT_EQ(checked.value, std::stoi(c.shown)) << label;
  }
}

// Each box names its group and range in its tool tip.
TEST(ParameterToolTip, NamesTheGroupAndRangeOfEveryBox) {
  const auto tip = [](params::Generation generation, int number) {
    return params::ParameterToolTip(generation, params::ParameterBoxes(generation)[number - 1]);
  };
  EXPECT_EQ(tip(params::Generation::Second, 1), "Fuel parameter, -20 to 30");
  EXPECT_EQ(tip(params::Generation::Second, 9), "Fuel parameter, -20 to 30");
  EXPECT_EQ(tip(params::Generation::Second, 10), "Acceleration enrichment, 0 to 10");
  EXPECT_EQ(tip(params::Generation::Second, 19), "Retard parameter, 0 to 10");
  EXPECT_EQ(tip(params::Generation::First, 8), "Fuel parameter, -20 to 30");
  EXPECT_EQ(tip(params::Generation::First, 9), "Acceleration enrichment, 0 to 10");
}

}  // namespace
