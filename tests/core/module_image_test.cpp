// The one image of a module: empty means all zero (not 0xFF), and clearing one memory
// must neither touch the other nor forget which module the data belong to.
#include "core/module_image.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

TEST(ModuleImage, EachClearZeroesOnlyItsOwnMemoryAndKeepsTheIdentity) {
  const auto filled = [] {
    core::ModuleImage image;
    image.FLASHBuffer.fill({0xFF, 0x01});
    image.EEPROMBuffer.fill(0xFF);
    image.FLASHBufferEmpty = image.EEPROMBufferEmpty = false;
    image.FirmwareID = "Quillon II JX V5.0";
    image.ModuleVersion = "JX";
    return image;
  };
  core::ModuleImage flashCleared = filled(), eepromCleared = filled();
  flashCleared.ClearFLASHBuffer();
  eepromCleared.ClearEEPROMBuffer();
  const auto& f = flashCleared.FLASHBuffer;
  const auto& e = eepromCleared.EEPROMBuffer;
  EXPECT_TRUE(std::all_of(f.begin(), f.end(), [](auto w) { return w == core::FLASHWord{0, 0}; }));
  EXPECT_TRUE(std::all_of(e.begin(), e.end(), [](auto b) { return b == 0; }));
  EXPECT_TRUE(flashCleared.FLASHBufferEmpty && eepromCleared.EEPROMBufferEmpty);
  EXPECT_FALSE(flashCleared.EEPROMBufferEmpty || eepromCleared.FLASHBufferEmpty);
  EXPECT_EQ(flashCleared.EEPROMBuffer, filled().EEPROMBuffer);
  EXPECT_EQ(eepromCleared.FLASHBuffer, filled().FLASHBuffer);
  for (const auto* image : {&flashCleared, &eepromCleared}) {
    EXPECT_EQ(image->FirmwareID, "Quillon II JX V5.0");
    EXPECT_EQ(image->ModuleVersion, "JX");
  }
}

}  // namespace
