// The parameter bytes of both generations, the mode byte's invariant, the user data
// field and the defaults; and the check of a typed parameter: any text gives a whole value
// inside the range, with the range's message when it had to be forced there.
#include "params/parameter_set.h"
#include "core/eeprom_map.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

#include "params/parameter_check.h"
#include "params/user_data.h"

namespace {

using params::Generation;
using params::ParameterSet;

TEST(ParameterSet, LoadThenStoreGivesBackTheWholeImageEvenOutOfRangeValues) {
  params::EEPROMImage before{};
  for (std::size_t i = 0; i < before.size(); ++i) before[i] = static_cast<std::uint8_t>(i * 7 + 3);
  before[core::kModeByte] = 0x06;
  for (std::size_t i = 0; i < 32; ++i) before[64 + i] = static_cast<std::uint8_t>('a' + i % 26);
  for (const Generation generation : {Generation::First, Generation::Second}) {
    params::EEPROMImage eeprom = before;
    ParameterSet set;
    params::LoadParameterSet(generation, eeprom, set);
    params::StoreParameterSet(generation, set.UserData, set, eeprom);
    EXPECT_EQ(eeprom, before);
  }
}

TEST(ParameterSet, ByteLayoutOfEachGeneration) {
  params::EEPROMImage eeprom{};
  eeprom[17] = 0xEC;
  eeprom[18] = 0x1E;
  eeprom[25] = 0xF6;
  eeprom[49] = 11;
  eeprom[57] = 19;
  eeprom[58] = 10;
  ParameterSet set;
  params::LoadParameterSet(Generation::Second, eeprom, set);
  EXPECT_EQ((std::vector<int>{set.Param(1), set.Param(2), set.Param(9), set.Param(10),
                              set.Param(11), set.Param(19)}),
            (std::vector<int>{-20, 30, -10, 10, 11, 19}));
  params::LoadParameterSet(Generation::First, eeprom, set);
  EXPECT_EQ(set.Param(9), 246) << "the first generation's byte 25 is unsigned";
  EXPECT_EQ(set.Param(10), 10) << "a first-generation load leaves parameters 10 to 19";

  for (int n = 1; n <= 19; ++n) set.Param(n) = static_cast<std::int16_t>(n <= 9 ? -n : n);
  params::StoreParameterSet(Generation::Second, "", set, eeprom);
  for (int n = 1; n <= 9; ++n) EXPECT_EQ(eeprom[16 + n], 256 - n) << n;
  for (int n = 11; n <= 19; ++n) EXPECT_EQ(eeprom[38 + n], n) << n;
  EXPECT_EQ(eeprom[58], 10);
}

TEST(ParameterSet, ModeByteKeepsTrimOutOfBasicMode) {
  struct Case {
    std::uint8_t mode;
    bool basic, swap, trim;
    std::uint8_t stored;
  };
  for (const Case c : {Case{0xFF, true, true, false, 0x03}, Case{0x06, false, true, true, 0x06},
                       Case{0x05, true, false, false, 0x01}, Case{0xF8, false, false, false, 0}}) {
    params::EEPROMImage eeprom{};
    eeprom[core::kModeByte] = c.mode;
    ParameterSet set;
    params::LoadParameterSet(Generation::Second, eeprom, set);
    EXPECT_EQ((std::vector<bool>{set.BasicMode, set.SwapMode, set.TrimEnable}),
              (std::vector<bool>{c.basic, c.swap, c.trim}))
        << int{c.mode};
    params::StoreParameterSet(Generation::Second, "", set, eeprom);
    EXPECT_EQ(eeprom[core::kModeByte], c.stored) << int{c.mode};
  }
}

TEST(UserData, PaddedSkippedCutAndPrintableASCIIOnly) {
  params::EEPROMImage eeprom{};
  eeprom[64] = 'A';
  eeprom[65] = 'B';
  EXPECT_EQ(params::ReadUserData(eeprom), "AB");
  params::WriteUserData("AB", eeprom);
  EXPECT_EQ(params::ReadUserData(eeprom), "AB" + std::string(30, ' '));

  const std::uint8_t field[] = {0x07, 'A', 0x00, 'B', 0x7F, 0xFF, 'C', 0xE9, ' ', 'D'};
  std::copy(std::begin(field), std::end(field), eeprom.begin() + 64);
  EXPECT_EQ(params::ReadUserData(eeprom).substr(0, 6), "ABC D ");

  // That nothing is written past the field is the user data fuzz run's check.
  const std::string forty = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcd";
  params::WriteUserData(forty, eeprom);
  EXPECT_EQ(params::ReadUserData(eeprom), forty.substr(0, 32));

  // Only printable ASCII is stored, so what is stored reads back whole.
  params::WriteUserData("Z\xC3\xA9\xE2\x82\xAC\xC3\xBC\xFF\xC0\xAF!\t~\x7F", eeprom);
  EXPECT_EQ(params::ReadUserData(eeprom), "Z!~" + std::string(29, ' '));
  // A character beyond one byte reaches the check only from typing in the dialog.
  EXPECT_FALSE(params::IsUserDataCharacter(U'\u20AC'));
}

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
  // How the text is read as a number is the core's; here the bounds, the rounding down and
  // the messages, also for what the reading gives at its limits.
  const Case cases[] = {
      {"30", &kFuelRange, " 30", {}},
      {"30.2", &kFuelRange, " 30", above30},  // compared before rounding down
      {"-20", &kFuelRange, "-20", {}},
      {"-20.1", &kFuelRange, "-20", below20},
      {"-3.5", &kFuelRange, "-4", {}},
      {"-0.5", &kSmallRange, " 0", below0},
      {"10.5", &kSmallRange, " 10", above10},
      {digits, &kSmallRange, " 10", above10},
      {"nan", &kFuelRange, " 0", {}},
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
  EXPECT_EQ(tip(Generation::Second, 10), "Acceleration enrichment, 0 to 10");
  EXPECT_EQ(tip(Generation::Second, 19), "Retard parameter, 0 to 10");
  EXPECT_EQ(tip(Generation::First, 8), "Fuel parameter, -20 to 30");
  EXPECT_EQ(tip(Generation::First, 9), "Acceleration enrichment, 0 to 10");
}

}  // namespace
