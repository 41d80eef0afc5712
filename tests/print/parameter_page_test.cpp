// The parameter page lines read straight from the EEPROM image.
#include "print/parameter_page.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> Rendered(const core::ModuleImage& image) {
  std::vector<std::string> lines;
  for (const auto& line : print::ParameterLines(image)) {
    lines.push_back(print::RenderLine(line, 1));
  }
  return lines;
}

TEST(ParameterPage, FirstGenerationHasNineParametersInItsColumns) {
  core::ModuleImage image;
  image.ModuleVersion = "VOSK";
  image.EEPROMBuffer[17] = 0xFB;
  image.EEPROMBuffer[25] = 0x05;
  image.EEPROMBuffer[32] = 0x07;
  const std::string userData =
      "AB\x07"
      "C";
  for (std::size_t i = 0; i < userData.size(); ++i) image.EEPROMBuffer[64 + i] = userData[i];
  const std::vector<std::string> expected = {
      "         User Data:          ABC",
      "",
      "         Quillon Basic Mode Enabled",
      "         Injector Swap on Enrichment Mode Enabled",
      "",
      "         Parameter 1:   -5",
      "         Parameter 2:    0",
      "         Parameter 3:    0",
      "         Parameter 4:    0",
      "         Parameter 5:    0",
      "         Parameter 6:    0",
      "         Parameter 7:    0",
      "         Parameter 8:    0",
      "         Parameter 9:    5",
  };
  EXPECT_EQ(Rendered(image), expected);
}

TEST(ParameterPage, SecondGenerationAddsParameters10To19Unsigned) {
  core::ModuleImage image;
  image.ModuleVersion = "JX";
  image.EEPROMBuffer[58] = 200;
  image.EEPROMBuffer[49] = 11;
  image.EEPROMBuffer[57] = 0xFF;
  image.EEPROMBuffer[32] = 0x06;
  const auto lines = Rendered(image);
  ASSERT_EQ(lines.size(), 25u);
  EXPECT_EQ(lines[2], "         Quillon Advanced Mode Enabled");
  EXPECT_EQ(lines[4], "         Manual Trim in Advanced Mode Enabled");
  EXPECT_EQ(lines[15], "         Parameter 10:   200");
  EXPECT_EQ(lines[16], "         Parameter 11:   11");
  EXPECT_EQ(lines[24], "         Parameter 19:   255");
}

TEST(ParameterPage, ManualTrimLineOnlyInAdvancedModeAndEmptyUserData) {
  core::ModuleImage image;
  image.ModuleVersion = "QL2 KQ";
  image.EEPROMBuffer[32] = 0x05;
  const auto lines = Rendered(image);
  EXPECT_EQ(lines[0], "         User Data:          ");
  EXPECT_EQ(lines[2], "         Quillon Basic Mode Enabled");
  EXPECT_EQ(lines[3], "");
  EXPECT_EQ(print::SignFirst(-12), "-12");
  EXPECT_EQ(print::SignFirst(0), " 0");
}

}  // namespace
