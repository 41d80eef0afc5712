// The one image of a module: empty means all zero (not 0xFF), and clearing one memory
// must neither touch the other nor forget which module the data belong to.
#include "core/module_image.h"

#include <gtest/gtest.h>

namespace {

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
