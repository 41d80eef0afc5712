// The one image of a module: empty means all zero (not 0xFF) with both flags set, and
// clearing it must not forget which module the data belong to.
#include "core/module_image.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>

#include "core/regions.h"

namespace {

void ExpectAllZero(const core::ModuleImage& image) {
  for (std::size_t i = 0; i < image.FLASHBuffer.size(); ++i) {
    ASSERT_EQ(image.FLASHBuffer[i], (core::FLASHWord{0, 0})) << "FLASH word " << i;
  }
  for (std::size_t i = 0; i < image.EEPROMBuffer.size(); ++i) {
    ASSERT_EQ(image.EEPROMBuffer[i], 0) << "EEPROM byte " << i;
  }
}

// Every byte different and none zero, so a partial clear shows.
void FillWithData(core::ModuleImage& image) {
  for (std::size_t i = 0; i < image.FLASHBuffer.size(); ++i) {
    image.FLASHBuffer[i] = {static_cast<std::uint8_t>(1 + i % 255),
                            static_cast<std::uint8_t>(1 + (i * 7) % 255)};
  }
  for (std::size_t i = 0; i < image.EEPROMBuffer.size(); ++i) {
    image.EEPROMBuffer[i] = static_cast<std::uint8_t>(1 + i % 255);
  }
  image.FLASHBufferEmpty = false;
  image.EEPROMBufferEmpty = false;
}

TEST(ModuleImage, FreshImageIsEmptyAndAllZero) {
  const core::ModuleImage image;
  EXPECT_EQ(image.FLASHBuffer.size(), 8192u);
  EXPECT_EQ(image.EEPROMBuffer.size(), 512u);
  ExpectAllZero(image);
  EXPECT_TRUE(image.FLASHBufferEmpty);
  EXPECT_TRUE(image.EEPROMBufferEmpty);
  EXPECT_EQ(image.FirmwareID, "");
  EXPECT_EQ(image.ModuleVersion, "");
  EXPECT_EQ(image.EditionByteValue, 0);
}

TEST(ModuleImage, ClearedImageIsAllZeroAndKeepsItsIdentity) {
  core::ModuleImage image;
  FillWithData(image);
  image.FirmwareID = "Quillon II JX V5.0";
  image.ModuleVersion = "JX";
  image.ClearFLASHBuffer();
  image.ClearEEPROMBuffer();
  ExpectAllZero(image);
  EXPECT_TRUE(image.FLASHBufferEmpty);
  EXPECT_TRUE(image.EEPROMBufferEmpty);
  EXPECT_EQ(image.FirmwareID, "Quillon II JX V5.0");
  EXPECT_EQ(image.ModuleVersion, "JX");
}

TEST(ModuleImage, EachClearEmptiesOnlyItsOwnMemory) {
  core::ModuleImage image;
  FillWithData(image);
  image.ClearFLASHBuffer();
  EXPECT_TRUE(image.FLASHBufferEmpty);
  EXPECT_FALSE(image.EEPROMBufferEmpty);
  EXPECT_EQ(image.EEPROMBuffer[0], 1);
  EXPECT_EQ(image.EEPROMBuffer[511], 1 + 511 % 255);

  FillWithData(image);
  image.ClearEEPROMBuffer();
  EXPECT_TRUE(image.EEPROMBufferEmpty);
  EXPECT_FALSE(image.FLASHBufferEmpty);
  EXPECT_EQ(image.FLASHBuffer[8191].HiByte, 1 + 8191 % 255);
}

TEST(ModuleImage, FLASHWordHoldsTheHighByteFirst) {
  const core::FLASHWord word{0x12, 0x34};
  EXPECT_EQ(word.HiByte, 0x12);
  EXPECT_EQ(word.LoByte, 0x34);
  EXPECT_LT(offsetof(core::FLASHWord, HiByte), offsetof(core::FLASHWord, LoByte));
  EXPECT_EQ(sizeof(core::FLASHWord), 2u);
}

TEST(Regions, TransferredRegionsAreThePagesTheModuleExpects) {
  EXPECT_EQ(core::kFLASHRegionFirstWord, 0x1880u);
  EXPECT_EQ(core::kFLASHRegionLastWord, 0x1AFFu);
  EXPECT_EQ(core::kFLASHRegionWords, 640u);
  EXPECT_EQ(core::kFLASHRegionFirstPage, 98u);
  EXPECT_EQ(core::kFLASHRegionLastPage, 107u);
  EXPECT_EQ(core::kFLASHRegionWords % core::kFLASHPageWords, 0u);
  EXPECT_EQ(core::kFLASHRegionFirstByteAddress, 0x3100u);
  EXPECT_EQ(2 * core::kFLASHRegionLastWord + 1, 0x35FFu);
  EXPECT_EQ(core::kEEPROMRegionFirstByte, 16u);
  EXPECT_EQ(core::kEEPROMRegionLastByte, 95u);
  EXPECT_EQ(core::kEEPROMRegionBytes, 80u);
  // A data file is the two regions back to back.
  EXPECT_EQ(2 * core::kFLASHRegionWords + core::kEEPROMRegionBytes, 1360u);
}

TEST(Regions, TablesLieInsideTheTransferredFLASHRegion) {
  for (const std::size_t base : {core::kRetardTableBaseWord, core::kFrontCylTrimTableBaseWord,
                                 core::kRearCylTrimTableBaseWord}) {
    EXPECT_GE(base, core::kFLASHRegionFirstWord);
    EXPECT_LE(base, core::kFLASHRegionLastWord);
  }
  EXPECT_EQ(core::kRetardTableBaseWord, 6304u);
  EXPECT_EQ(core::kFrontCylTrimTableBaseWord, 6656u);
  EXPECT_EQ(core::kRearCylTrimTableBaseWord, 6784u);
  // The blank-byte clean-up stays below the fuel trims.
  EXPECT_LT(core::kRetardTableBaseWord + core::kBlankCleanWordsJX, core::kFrontCylTrimTableBaseWord);
  EXPECT_LE(core::kEditionByte, core::kEEPROMRegionLastByte);
  EXPECT_GE(core::kEditionByte, core::kEEPROMRegionFirstByte);
}

}  // namespace
