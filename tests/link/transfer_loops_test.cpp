// The programming and verification loops where the download and upload cases cannot
// see: the progress rounding, the error count per word, a refused address. What the
// loops move, and a half-read word, is the download's and upload's test.
#include <gtest/gtest.h>

#include "core/regions.h"
#include "link_rig.h"

namespace {

using linktest::LinkRig;
using linktest::RegionsOf;
using linktest::WithFaults;

struct LoopRig : LinkRig {
  explicit LoopRig(sim::Faults faults = {}) : LinkRig(sim::Edition::JX, std::move(faults)) {
    EnterBootLoader();
  }
};

TEST(Progress, PercentagesRoundHalvesToEven) {
  EXPECT_EQ(comm::ProgressPercent(6272, 6272, 6911), 0);
  EXPECT_EQ(comm::ProgressPercent(6911, 6272, 6911), 100);
  std::vector<int> pages;
  for (int p = 98; p <= 107; ++p) pages.push_back(comm::ProgressPercent(p, 98, 107));
  EXPECT_EQ(pages, (std::vector<int>{0, 11, 22, 33, 44, 56, 67, 78, 89, 100}));
  // 1/8 of 100 is 12.5, 3/8 is 37.5.
  EXPECT_EQ(comm::ProgressPercent(1, 0, 8), 12);
  EXPECT_EQ(comm::ProgressPercent(3, 0, 8), 38);
}

TEST(WriteLoops, VerificationCountsOneErrorPerWrongWordOrByte) {
  LoopRig rig;
  const core::ModuleImage image = RegionsOf(rig.module.memories());
  // Both bytes of one word wrong, and a single byte of another: two errors.
  rig.module.memories().flash[2 * 6300] ^= 0xFF;
  rig.module.memories().flash[2 * 6300 + 1] ^= 0xFF;
  rig.module.memories().flash[2 * 6500] ^= 1;
  rig.link.VerifyFLASH(image);
  EXPECT_EQ(rig.link.FLASHErrors, 2);

  rig.module.memories().eeprom[40] ^= 1;
  rig.link.VerifyEEPROM(image);
  EXPECT_EQ(rig.link.EEPROMErrors, 1);
}

TEST(WriteLoops, VerificationWhoseAddressIsRefusedNeverPasses) {
  // The module still moves to the address it refused, so its bytes would compare equal.
  LoopRig rig(WithFaults({"nak=14"}));
  const core::ModuleImage image = RegionsOf(rig.module.memories());
  rig.link.VerifyFLASH(image);
  rig.link.VerifyEEPROM(image);
  EXPECT_GE(rig.link.FLASHErrors, 1);
  EXPECT_GE(rig.link.EEPROMErrors, 1);
  EXPECT_FALSE(rig.port.IsOpen());
}

}  // namespace
