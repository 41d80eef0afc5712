// The programming and verification loops where the download and upload cases cannot
// see: the progress rounding, a half-read word, the error count per word, a refused
// address. What the loops move is the download's and upload's test.
#include <gtest/gtest.h>

#include "core/regions.h"
#include "link_rig.h"

namespace {

using core::Answer;
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

TEST(ReadLoops, TimeOutIgnoredInTheLowByteDoesNotKeepAHalfReadWord) {
  // Entry (5), address (3) and the first word's low byte (1) are answered; then nothing.
  LoopRig rig(WithFaults({"late=19:1500"}));
  core::ModuleImage image;
  rig.host.ExpectBox(Answer::Ignore);
  rig.link.ReadMegaFLASHData(image);
  EXPECT_FALSE(rig.link.CommOK);
  EXPECT_TRUE(image.FLASHBufferEmpty);
}

TEST(WriteLoops, OneWrongByteCountsOneErrorPerWord) {
  LoopRig rig(WithFaults({"flip-flash=6500"}));
  const core::ModuleImage image = RegionsOf(rig.module.memories());
  rig.link.WriteMegaFLASHData(image);
  EXPECT_EQ(rig.link.FLASHErrors, 1);

  // Both bytes of one word wrong, and a single byte of another: two errors.
  rig.module.memories().flash[2 * 6300] ^= 0xFF;
  rig.module.memories().flash[2 * 6300 + 1] ^= 0xFF;
  rig.link.SetAddress(0);
  rig.link.VerifyFLASH(image);
  EXPECT_EQ(rig.link.FLASHErrors, 2);

  rig.module.memories().eeprom[40] ^= 1;
  rig.link.VerifyEEPROM(RegionsOf(sim::ExampleContents(sim::Edition::JX)));
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
