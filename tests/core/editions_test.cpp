// Editions decide table sizes, dialogs, locked cells and which data may go into which
// module, so a misclassified firmware ID or edition byte is a wrong upload waiting.
#include "core/editions.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>

#include "core/module_image.h"
#include "core/regions.h"

namespace {

TEST(FirmwareID, SecondGenerationFirstKQBeforeJXAndCaseIgnored) {
  struct Case {
    const char* id;
    std::string_view version;
    bool secondGeneration;
    bool restricted;
  };
  const Case cases[] = {
      // "Quillon II" contains "Quillon": tested the other way round, none is second generation.
      {"Quillon II Vosk V5.2", core::kVersionQL2Vosk, true, false},
      {"Quillon II JX KQ", core::kVersionQL2KQ, true, true},
      {"qUiLlOn Ii jx", core::kVersionJX, true, false},
      {"quillon kq", core::kVersionKQ, false, true},
      // A first-generation ID is never JX.
      {"Quillon JX", core::kVersionVosk, false, false},
      {"KQ JX", core::kVersionUnknown, false, false}};
  for (const Case& c : cases) {
    const std::string version = core::ClassifyFirmwareID(c.id);
    EXPECT_EQ(version, c.version) << "firmware ID \"" << c.id << "\"";
    EXPECT_EQ(core::IsSecondGeneration(version), c.secondGeneration) << c.id;
    EXPECT_EQ(core::IsRestrictedEdition(version), c.restricted) << c.id;
  }
}

TEST(EditionByte, UpperNibbleNamesTheVersionWhateverTheLowNibble) {
  const std::string_view byNibble[6] = {core::kVersionVosk,  core::kVersionVosk,
                                        core::kVersionKQ,    core::kVersionQL2Vosk,
                                        core::kVersionQL2KQ, core::kVersionJX};
  for (int b = 0; b <= 0xFF; ++b) {
    ASSERT_EQ(core::ModuleVersionFromEditionByte(static_cast<std::uint8_t>(b)),
              b < 0x60 ? byNibble[b >> 4] : core::kVersionVosk)
        << "edition byte 0x" << std::hex << b;
  }
}

TEST(EditionByte, MarkingWritesOnlyRestrictedCodesAndKeepsTheLowNibble) {
  // Code -1: the byte stays as it was.
  const std::pair<std::string_view, int> cases[] = {
      {core::kVersionKQ, 0x20}, {core::kVersionQL2KQ, 0x40}, {core::kVersionJX, -1}};
  for (const auto& [version, code] : cases) {
    for (int b = 0; b <= 0xFF; ++b) {
      core::ModuleImage image;
      image.ModuleVersion = std::string(version);
      image.EEPROMBuffer[core::kEditionByte] = static_cast<std::uint8_t>(b);
      core::MarkEdition(image);
      const std::uint8_t marked = image.EEPROMBuffer[core::kEditionByte];
      ASSERT_EQ(marked, code < 0 ? b : code | (b & 0x0F))
          << version << ", byte 0x" << std::hex << b;
      // The marked byte decodes back to the edition it marks.
      if (code >= 0) {
        ASSERT_EQ(core::ModuleVersionFromEditionByte(marked), version);
      }
    }
  }
}

// Even words have a blank high byte, odd words a blank low byte, so a clean-up that
// reaches too far or too short, or clears a whole word, shows.
TEST(BlankBytes, JXCleansThroughWord6402OthersThrough6384EachByteOnItsOwn) {
  const std::pair<std::string_view, std::size_t> cases[] = {{core::kVersionJX, 6402},
                                                            {core::kVersionQL2Vosk, 6384}};
  for (const auto& [version, lastCleaned] : cases) {
    core::ModuleImage image;
    image.ModuleVersion = std::string(version);
    for (std::size_t w = 0; w < core::kFLASHWords; ++w) {
      image.FLASHBuffer[w] = w % 2 ? core::FLASHWord{0x7F, 0xFF} : core::FLASHWord{0xFF, 0xFE};
    }
    image.EEPROMBuffer.fill(0xFF);
    core::ReplaceBlankBytes(image);
    for (std::size_t w = 0; w < core::kFLASHWords; ++w) {
      const std::uint8_t blank = w >= 6304 && w <= lastCleaned ? 0 : 0xFF;
      const auto expected = w % 2 ? core::FLASHWord{0x7F, blank} : core::FLASHWord{blank, 0xFE};
      ASSERT_EQ(image.FLASHBuffer[w], expected) << version << ", word " << w;
    }
    for (const std::uint8_t byte : image.EEPROMBuffer) ASSERT_EQ(byte, 0xFF);
  }
}

// The one image of a module: empty means all zero (not 0xFF), and clearing one memory
// must neither touch the other nor forget which module the data belong to.
TEST(ModuleImage, EachClearZeroesOnlyItsOwnMemoryAndKeepsTheIdentity) {
  core::ModuleImage filled;
  filled.FLASHBuffer.fill({0xFF, 0x01});
  filled.EEPROMBuffer.fill(0xFF);
  filled.FLASHBufferEmpty = filled.EEPROMBufferEmpty = false;
  filled.FirmwareID = "Quillon II JX V5.0";
  filled.ModuleVersion = "JX";
  const core::ModuleImage zeroes;
  core::ModuleImage flashCleared = filled, eepromCleared = filled;
  flashCleared.ClearFLASHBuffer();
  eepromCleared.ClearEEPROMBuffer();
  EXPECT_EQ(flashCleared.FLASHBuffer, zeroes.FLASHBuffer);
  EXPECT_EQ(eepromCleared.EEPROMBuffer, zeroes.EEPROMBuffer);
  EXPECT_EQ(flashCleared.EEPROMBuffer, filled.EEPROMBuffer);
  EXPECT_EQ(eepromCleared.FLASHBuffer, filled.FLASHBuffer);
  EXPECT_TRUE(flashCleared.FLASHBufferEmpty && eepromCleared.EEPROMBufferEmpty);
  EXPECT_FALSE(flashCleared.EEPROMBufferEmpty || eepromCleared.FLASHBufferEmpty);
  for (const auto* image : {&flashCleared, &eepromCleared}) {
    EXPECT_EQ(image->FirmwareID + " " + image->ModuleVersion, "Quillon II JX V5.0 JX");
  }
}

}  // namespace
