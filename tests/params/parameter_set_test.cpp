// The parameter bytes of both generations, the mode byte's invariant, the user data
// field and the defaults.
#include "params/parameter_set.h"
#include "core/eeprom_map.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

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

  eeprom[96] = 0x5A;
  const std::string forty = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcd";
  params::WriteUserData(forty, eeprom);
  EXPECT_EQ(params::ReadUserData(eeprom), forty.substr(0, 32));
  EXPECT_EQ(eeprom[96], 0x5A);

  // Only printable ASCII is stored, so what is stored reads back whole.
  params::WriteUserData("Z\xC3\xA9\xE2\x82\xAC\xC3\xBC\xFF\xC0\xAF!\t~\x7F", eeprom);
  EXPECT_EQ(params::ReadUserData(eeprom), "Z!~" + std::string(29, ' '));
  for (const char32_t c : {U' ', U'~', U'A'}) EXPECT_TRUE(params::IsUserDataCharacter(c));
  for (const char32_t c : {U'\t', U'\x7F', U'\u00E9', U'\u00FC', U'\u20AC'}) {
    EXPECT_FALSE(params::IsUserDataCharacter(c)) << static_cast<unsigned>(c);
  }
}

}  // namespace
