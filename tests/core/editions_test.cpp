// Editions decide table sizes, dialogs, locked cells and which data may go into which
// module, so a misclassified firmware ID or edition byte is a wrong upload waiting.
#include "core/editions.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "core/module_image.h"
#include "core/regions.h"

namespace {

TEST(FirmwareID, ClassificationFollowsGenerationThenEdition) {
  struct Case {
    const char* id;
    std::string_view version;
  };
  const Case cases[] = {
      // Second generation first: its name contains the first generation's.
      {"Quillon II", core::kVersionQL2Vosk},
      {"Quillon II Vosk V5.2", core::kVersionQL2Vosk},
      {"Quillon II KQ", core::kVersionQL2KQ},
      {"Quillon II JX", core::kVersionJX},
      // KQ is tested before JX.
      {"Quillon II JX KQ", core::kVersionQL2KQ},
      {"Quillon II KQ JX", core::kVersionQL2KQ},
      // Letter case is ignored throughout.
      {"QUILLON II JX", core::kVersionJX},
      {"quillon ii jx", core::kVersionJX},
      {"qUiLlOn Ii kq", core::kVersionQL2KQ},
      {"quillon ii", core::kVersionQL2Vosk},
      {"Quillon", core::kVersionVosk},
      {"Quillon V3.1", core::kVersionVosk},
      {"Quillon KQ", core::kVersionKQ},
      {"QUILLON KQ", core::kVersionKQ},
      {"quillon kq", core::kVersionKQ},
      // A first-generation ID is never JX.
      {"Quillon JX", core::kVersionVosk},
      {"quillon jx", core::kVersionVosk},
      {"Quillon I JX", core::kVersionVosk},
      // Neither generation name.
      {"", core::kVersionUnknown},
      {"KQ JX", core::kVersionUnknown},
      {"Quill on II", core::kVersionUnknown},
      {"Quilon II KQ", core::kVersionUnknown},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(core::ClassifyFirmwareID(c.id), c.version) << "firmware ID \"" << c.id << "\"";
  }
}

TEST(FirmwareID, GenerationAndRestrictionOfEveryVersion) {
  struct Case {
    std::string_view version;
    bool secondGeneration;
    bool restricted;
  };
  const Case cases[] = {
      {core::kVersionVosk, false, false},  {core::kVersionKQ, false, true},
      {core::kVersionQL2Vosk, true, false}, {core::kVersionQL2KQ, true, true},
      {core::kVersionJX, true, false},     {core::kVersionUnknown, false, false},
      {"", false, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(core::IsSecondGeneration(c.version), c.secondGeneration) << c.version;
    EXPECT_EQ(core::IsRestrictedEdition(c.version), c.restricted) << c.version;
  }
}

std::string_view VersionOfUpperNibble(int nibble) {
  switch (nibble) {
    case 0x2:
      return core::kVersionKQ;
    case 0x3:
      return core::kVersionQL2Vosk;
    case 0x4:
      return core::kVersionQL2KQ;
    case 0x5:
      return core::kVersionJX;
    default:
      return core::kVersionVosk;
  }
}

TEST(EditionByte, EveryUpperNibbleNamesItsVersionWhateverTheLowNibble) {
  for (int b = 0; b <= 0xFF; ++b) {
    EXPECT_EQ(core::ModuleVersionFromEditionByte(static_cast<std::uint8_t>(b)),
              VersionOfUpperNibble(b >> 4))
        << "edition byte 0x" << std::hex << b;
  }
}

core::ModuleImage ImageOf(std::string_view version, std::uint8_t editionByte) {
  core::ModuleImage image;
  image.ModuleVersion = std::string(version);
  image.EEPROMBuffer[core::kEditionByte] = editionByte;
  return image;
}

TEST(EditionByte, MarkingWritesTheRestrictedCodesOnly) {
  struct Case {
    std::string_view version;
    std::uint8_t marked;
  };
  const Case cases[] = {
      {core::kVersionKQ, 0x2A},       {core::kVersionQL2KQ, 0x4A},     {core::kVersionVosk, 0x5A},
      {core::kVersionQL2Vosk, 0x5A}, {core::kVersionJX, 0x5A},        {core::kVersionUnknown, 0x5A},
      {"", 0x5A},
  };
  for (const Case& c : cases) {
    core::ModuleImage image = ImageOf(c.version, 0x5A);
    core::MarkEdition(image);
    EXPECT_EQ(image.EEPROMBuffer[core::kEditionByte], c.marked) << c.version;
  }
}

TEST(EditionByte, MarkingKeepsTheLowNibbleAndTouchesNothingElse) {
  for (const std::string_view version : {core::kVersionKQ, core::kVersionQL2KQ}) {
    const std::uint8_t code = version == core::kVersionKQ ? 0x20 : 0x40;
    for (int b = 0; b <= 0xFF; ++b) {
      core::ModuleImage image = ImageOf(version, static_cast<std::uint8_t>(b));
      image.EEPROMBuffer[core::kEditionByte - 1] = 0xFF;
      image.EEPROMBuffer[core::kEditionByte + 1] = 0xFF;
      core::MarkEdition(image);
      ASSERT_EQ(image.EEPROMBuffer[core::kEditionByte], code | (b & 0x0F))
          << version << ", byte 0x" << std::hex << b;
      ASSERT_EQ(image.EEPROMBuffer[core::kEditionByte - 1], 0xFF);
      ASSERT_EQ(image.EEPROMBuffer[core::kEditionByte + 1], 0xFF);
      // The marked byte decodes back to the edition it marks.
      ASSERT_EQ(core::ModuleVersionFromEditionByte(image.EEPROMBuffer[core::kEditionByte]),
                version);
    }
  }
}

// A FLASH image with every byte blank, so the cleaned range shows up exactly.
core::ModuleImage BlankImage(std::string_view version) {
  core::ModuleImage image;
  image.ModuleVersion = std::string(version);
  image.FLASHBuffer.fill(core::FLASHWord{0xFF, 0xFF});
  return image;
}

TEST(BlankBytes, ReplacementCoversTheRetardWordsOfTheEdition) {
  struct Case {
    std::string_view version;
    std::size_t lastCleaned;
  };
  const Case cases[] = {
      {core::kVersionJX, 6402},     {core::kVersionQL2Vosk, 6384}, {core::kVersionQL2KQ, 6384},
      {core::kVersionVosk, 6384},   {core::kVersionKQ, 6384},      {core::kVersionUnknown, 6384},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.version));
    core::ModuleImage image = BlankImage(c.version);
    core::ReplaceBlankBytes(image);
    for (std::size_t word = 0; word < core::kFLASHWords; ++word) {
      const bool cleaned = word >= 6304 && word <= c.lastCleaned;
      const core::FLASHWord expected = cleaned ? core::FLASHWord{0, 0} : core::FLASHWord{0xFF, 0xFF};
      ASSERT_EQ(image.FLASHBuffer[word], expected) << "word " << word;
    }
  }
}

TEST(BlankBytes, OnlyBlankBytesChangeAndEachByteOnItsOwn) {
  core::ModuleImage image;
  image.ModuleVersion = std::string(core::kVersionQL2Vosk);
  image.FLASHBuffer[6304] = {0xFE, 0xFF};  // HiByte 254, LoByte blank
  image.FLASHBuffer[6305] = {0xFF, 0x7F};  // HiByte blank, LoByte 127
  image.FLASHBuffer[6306] = {0x00, 0x80};
  image.FLASHBuffer[6384] = {0xFF, 0xFE};
  core::ReplaceBlankBytes(image);
  EXPECT_EQ(image.FLASHBuffer[6304], (core::FLASHWord{0xFE, 0x00}));
  EXPECT_EQ(image.FLASHBuffer[6305], (core::FLASHWord{0x00, 0x7F}));
  EXPECT_EQ(image.FLASHBuffer[6306], (core::FLASHWord{0x00, 0x80}));
  EXPECT_EQ(image.FLASHBuffer[6384], (core::FLASHWord{0x00, 0xFE}));
}

TEST(BlankBytes, ReplacementLeavesEEPROMAndFlagsAlone) {
  core::ModuleImage image = BlankImage(core::kVersionJX);
  image.EEPROMBuffer.fill(0xFF);
  image.FLASHBufferEmpty = false;
  image.EEPROMBufferEmpty = false;
  core::ReplaceBlankBytes(image);
  for (const std::uint8_t byte : image.EEPROMBuffer) ASSERT_EQ(byte, 0xFF);
  EXPECT_FALSE(image.FLASHBufferEmpty);
  EXPECT_FALSE(image.EEPROMBufferEmpty);
}

}  // namespace
