// The parameter bytes of both generations, the mode byte's invariant, the user data
// field and the defaults, checked against the whole EEPROM image.
#include "params/parameter_set.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>

#include "params/user_data.h"

namespace {

using params::Generation;
using params::ParameterSet;

params::EEPROMImage PatternedImage() {
  params::EEPROMImage eeprom{};
  for (std::size_t i = 0; i < eeprom.size(); ++i) eeprom[i] = static_cast<std::uint8_t>(i * 7 + 3);
  eeprom[params::kModeByte] = 0x06;
  for (std::size_t i = 0; i < params::kUserDataLength; ++i) eeprom[64 + i] = 'a' + i % 26;
  return eeprom;
}

std::set<std::size_t> ChangedBytes(const params::EEPROMImage& before,
                                   const params::EEPROMImage& after) {
  std::set<std::size_t> changed;
  for (std::size_t i = 0; i < before.size(); ++i) {
    if (before[i] != after[i]) changed.insert(i);
  }
  return changed;
}

TEST(ParameterSet, LoadThenStoreGivesBackTheWholeImageForBothGenerations) {
  for (const Generation generation : {Generation::First, Generation::Second}) {
    const params::EEPROMImage before = PatternedImage();
    params::EEPROMImage eeprom = before;
    ParameterSet set;
    params::LoadParameterSet(generation, eeprom, set);
    params::StoreParameterSet(generation, set.UserData, set, eeprom);
    EXPECT_EQ(eeprom, before);
  }
}

TEST(ParameterSet, SecondGenerationLayout) {
  params::EEPROMImage eeprom{};
  eeprom[17] = 0xEC;
  eeprom[18] = 0x1E;
  eeprom[25] = 0xF6;
  eeprom[49] = 11;
  eeprom[57] = 19;
  eeprom[58] = 10;
  ParameterSet set;
  params::LoadParameterSet(Generation::Second, eeprom, set);
  EXPECT_EQ(set.Param(1), -20);
  EXPECT_EQ(set.Param(2), 30);
  EXPECT_EQ(set.Param(9), -10);
  EXPECT_EQ(set.Param(10), 10);
  EXPECT_EQ(set.Param(11), 11);
  EXPECT_EQ(set.Param(19), 19);

  for (int n = 1; n <= 19; ++n) set.Param(n) = static_cast<std::int16_t>(n <= 9 ? -n : n);
  params::StoreParameterSet(Generation::Second, "", set, eeprom);
  for (int n = 1; n <= 9; ++n) EXPECT_EQ(eeprom[16 + n], 256 - n) << n;
  for (int n = 11; n <= 19; ++n) EXPECT_EQ(eeprom[38 + n], n) << n;
  EXPECT_EQ(eeprom[58], 10);
}

TEST(ParameterSet, FirstGenerationReadsByte25UnsignedAndLeavesTheRestAlone) {
  params::EEPROMImage eeprom = PatternedImage();
  eeprom[25] = 0xF6;
  ParameterSet set;
  set.Param(10) = 77;
  set.Param(19) = 99;
  params::LoadParameterSet(Generation::First, eeprom, set);
  EXPECT_EQ(set.Param(9), 246);
  EXPECT_EQ(set.Param(10), 77);
  EXPECT_EQ(set.Param(19), 99);

  const params::EEPROMImage before = eeprom;
  set.Param(9) = 4;
  set.Param(8) = -1;
  params::StoreParameterSet(Generation::First, set.UserData, set, eeprom);
  EXPECT_EQ(ChangedBytes(before, eeprom), (std::set<std::size_t>{24, 25}));
  EXPECT_EQ(eeprom[25], 4);
  EXPECT_EQ(eeprom[24], 0xFF);
}

TEST(ParameterSet, ValuesOutsideTheirRangeComeBackUnchanged) {
  params::EEPROMImage eeprom{};
  eeprom[49] = 200;
  eeprom[17] = 0x80;
  ParameterSet set;
  params::LoadParameterSet(Generation::Second, eeprom, set);
  EXPECT_EQ(set.Param(11), 200);
  EXPECT_EQ(set.Param(1), -128);
  params::StoreParameterSet(Generation::Second, "", set, eeprom);
  EXPECT_EQ(eeprom[49], 200);
  EXPECT_EQ(eeprom[17], 0x80);
}

TEST(ParameterSet, StoreClampsInsteadOfWrapping) {
  params::EEPROMImage eeprom{};
  ParameterSet set;
  set.Param(1) = 200;
  set.Param(2) = -300;
  set.Param(10) = 300;
  set.Param(11) = -1;
  params::StoreParameterSet(Generation::Second, "", set, eeprom);
  EXPECT_EQ(eeprom[17], 0x7F);
  EXPECT_EQ(eeprom[18], 0x80);
  EXPECT_EQ(eeprom[58], 255);
  EXPECT_EQ(eeprom[49], 0);
}

TEST(ParameterSet, ModeByteKeepsTrimOutOfBasicMode) {
  struct Case {
    std::uint8_t mode;
    bool basic, swap, trim;
    std::uint8_t stored;
  };
  const Case cases[] = {
      {0xFF, true, true, false, 0x03},   {0x06, false, true, true, 0x06},
      {0x05, true, false, false, 0x01},  {0x04, false, false, true, 0x04},
      {0xF8, false, false, false, 0x00}, {0x00, false, false, false, 0x00},
  };
  for (const Case& c : cases) {
    params::EEPROMImage eeprom{};
    eeprom[params::kModeByte] = c.mode;
    ParameterSet set;
    params::LoadParameterSet(Generation::Second, eeprom, set);
    EXPECT_EQ(set.BasicMode, c.basic) << int{c.mode};
    EXPECT_EQ(set.SwapMode, c.swap) << int{c.mode};
    EXPECT_EQ(set.TrimEnable, c.trim) << int{c.mode};
    params::StoreParameterSet(Generation::Second, "", set, eeprom);
    EXPECT_EQ(eeprom[params::kModeByte], c.stored) << int{c.mode};
  }
  // Trim switched on in the set while in basic mode is dropped on the way out.
  params::EEPROMImage eeprom{};
  ParameterSet set;
  set.BasicMode = true;
  set.TrimEnable = true;
  params::StoreParameterSet(Generation::First, "", set, eeprom);
  EXPECT_EQ(eeprom[params::kModeByte], 0x01);
  EXPECT_FALSE(set.TrimEnable);
}

TEST(UserData, ShortTextIsBlankPaddedAndComesBackWithItsBlanks) {
  params::EEPROMImage eeprom{};
  eeprom[64] = 'A';
  eeprom[65] = 'B';
  EXPECT_EQ(params::ReadUserData(eeprom), "AB");
  params::WriteUserData("AB", eeprom);
  EXPECT_EQ(eeprom[64], 'A');
  EXPECT_EQ(eeprom[65], 'B');
  for (std::size_t i = 66; i < 96; ++i) EXPECT_EQ(eeprom[i], ' ') << i;
  EXPECT_EQ(params::ReadUserData(eeprom), "AB" + std::string(30, ' '));
}

TEST(UserData, ReadingSkipsControlAndHighBytesWhereverTheyStand) {
  params::EEPROMImage eeprom{};
  const std::uint8_t field[] = {0x07, 'A', 0x00, 'B', 0x7F, 0xFF, 'C', 0xE9, ' ', 'D'};
  std::copy(std::begin(field), std::end(field), eeprom.begin() + 64);
  eeprom[95] = '!';
  eeprom[96] = 'X';  // beyond the field
  EXPECT_EQ(params::ReadUserData(eeprom), "ABC D!");
}

TEST(UserData, WritingCutsAtThirtyTwoCharactersAndNeverSpillsOver) {
  params::EEPROMImage eeprom{};
  eeprom[96] = 0x5A;
  const std::string forty = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcd";
  params::WriteUserData(forty, eeprom);
  EXPECT_EQ(params::ReadUserData(eeprom), forty.substr(0, 32));
  EXPECT_EQ(eeprom[96], 0x5A);
  EXPECT_EQ(eeprom[63], 0);
}

TEST(UserData, LatinOneFitsOneByteAndWhatDoesNotFitIsLeftOut) {
  params::EEPROMImage eeprom{};
  // "Zé€ü" then a malformed byte and a cut-off sequence: € has no Latin-1 byte.
  params::WriteUserData("Z\xC3\xA9\xE2\x82\xAC\xC3\xBC\xFF!\xE2\x82", eeprom);
  const std::uint8_t expected[] = {'Z', 0xE9, 0xFC, '!', ' '};
  for (std::size_t i = 0; i < std::size(expected); ++i) EXPECT_EQ(eeprom[64 + i], expected[i]) << i;
  // An overlong encoding of '/' is malformed, not a slash.
  params::WriteUserData("\xC0\xAF", eeprom);
  EXPECT_EQ(eeprom[64], ' ');
}

TEST(UserData, TheBoxAcceptsPrintableAsciiAndLatinOneLettersOnly) {
  for (const char32_t c : {U' ', U'A', U'~', U'\u00E9', U'\u00C0', U'\u00FF', U'\u00B5'}) {
    EXPECT_TRUE(params::IsUserDataCharacter(c)) << static_cast<unsigned>(c);
  }
  for (const char32_t c : {U'\t', U'\x1F', U'\x7F', U'\u00A0', U'\u00D7', U'\u00F7', U'\u20AC',
                           U'\u0100', U'\U0001F600'}) {
    EXPECT_FALSE(params::IsUserDataCharacter(c)) << static_cast<unsigned>(c);
  }
}

TEST(ParameterSet, DefaultsStoreModeOneAndZerosLeavingUserDataAndEdition) {
  const params::EEPROMImage before = PatternedImage();
  params::EEPROMImage eeprom = before;
  ParameterSet set;
  params::LoadParameterSet(Generation::Second, eeprom, set);
  params::ApplyDefaults(Generation::Second, set);
  params::StoreParameterSet(Generation::Second, set.UserData, set, eeprom);
  EXPECT_EQ(eeprom[params::kModeByte], 0x01);
  for (std::size_t i = 17; i <= 25; ++i) EXPECT_EQ(eeprom[i], 0) << i;
  for (std::size_t i = 49; i <= 58; ++i) EXPECT_EQ(eeprom[i], 0) << i;
  std::set<std::size_t> allowed{32};
  for (std::size_t i = 17; i <= 25; ++i) allowed.insert(i);
  for (std::size_t i = 49; i <= 58; ++i) allowed.insert(i);
  for (const std::size_t i : ChangedBytes(before, eeprom)) EXPECT_TRUE(allowed.count(i)) << i;
}

}  // namespace
