// The programming and verification loops: what they move, the progress they show, and
// how Esc and failures end them.
#include <gtest/gtest.h>

#include "core/regions.h"
#include "link_rig.h"

namespace {

using core::Answer;
using linktest::LinkRig;
using linktest::RegionsOf;
using linktest::WithFaults;
using Kind = fakes::ProgressEvent::Kind;

struct LoopRig : LinkRig {
  explicit LoopRig(sim::Faults faults = {}) : LinkRig(sim::Edition::JX, std::move(faults)) {
    EnterBootLoader();
  }
  std::vector<int> Percentages() const {
    std::vector<int> percentages;
    for (const auto& event : host.progress) {
      if (event.kind == Kind::Set) percentages.push_back(event.percent);
    }
    return percentages;
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

TEST(ReadLoops, FLASHAndEEPROMRegionsComeInWithTheirProgress) {
  LoopRig rig;
  core::ModuleImage image;
  image.FLASHBuffer[100] = {1, 2};
  image.EEPROMBuffer[3] = 4;
  rig.link.ReadMegaFLASHData(image);
  EXPECT_TRUE(rig.link.CommOK);
  EXPECT_FALSE(image.FLASHBufferEmpty);
  const core::ModuleImage expected = RegionsOf(rig.module.memories());
  EXPECT_EQ(image.FLASHBuffer, expected.FLASHBuffer) << "the region read, the rest cleared";
  std::vector<int> percentages = rig.Percentages();
  ASSERT_EQ(percentages.size(), 641u);
  EXPECT_EQ(percentages[1], 0);
  EXPECT_EQ(percentages.back(), 100);
  EXPECT_EQ(rig.host.progress.front().caption, "Reading FLASH");
  EXPECT_EQ(rig.host.progress.back().kind, Kind::Hide);
  EXPECT_FALSE(rig.port.IsOpen());

  rig.link.ReadEEPROMData(image);
  EXPECT_TRUE(rig.link.CommOK);
  EXPECT_FALSE(image.EEPROMBufferEmpty);
  EXPECT_EQ(image.EEPROMBuffer, expected.EEPROMBuffer);
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
