// The fault specs of the simulated module, and the module's own rules that the tool's
// tests lean on.
#include "sim/faults.h"

#include <gtest/gtest.h>

#include "sim/quillon_module.h"

namespace {

TEST(FaultSpecs, CommandBytesInAnySpellingAndBadSpecsSayWhatIsWrong) {
  // The specs the link and transfer tests use show their effect there; here, the other
  // spellings of a command byte, and the refusals.
  sim::Faults faults;
  for (const char* spec : {"nak=1d", "nak=0x18"}) {
    EXPECT_EQ(sim::AddFault(faults, spec), "") << spec;
  }
  EXPECT_EQ(faults.nak, (std::set<comm::Byte>{0x1D, 0x18}));
  for (const char* spec : {"loud", "silent=1", "busy", "busy=1s", "nak=100",
                           "late=2F:", "late=:100", "flip-flash=8192"}) {
    EXPECT_NE(sim::AddFault(faults, spec), "") << "bad spec " << spec;
  }
}

std::vector<comm::Byte> Feed(sim::QuillonModule& module, std::initializer_list<comm::Byte> bytes) {
  std::vector<comm::Byte> out;
  for (const comm::Byte b : bytes) {
    for (const sim::Reply& reply : module.Receive(b, sim::Time{0})) out.push_back(reply.value);
  }
  return out;
}

TEST(Module, IgnoresUnknownBytesAndBootLoaderCommandsInApplicationMode) {
  sim::QuillonModule module(sim::Edition::Vosk);
  EXPECT_TRUE(Feed(module, {0x00, 0x42, comm::kCmdReadFLASH}).empty());
  const auto& x = comm::kBootLoadExitKey;
  EXPECT_EQ(Feed(module, {0x11, x[0], x[1], x[2], x[3]}).back(), sim::kNAK)
      << "the exit key means nothing outside the boot loader";
  EXPECT_FALSE(module.InBootLoader());
}

TEST(Module, ProgrammingWithoutEraseOnlyClearsBits) {
  sim::QuillonModule module(sim::Edition::QL2KQ);
  const auto& e = comm::kBootLoadEntryKey;
  Feed(module, {0x11, e[0], e[1], e[2], e[3], 0x14, 0x00, 0x31});
  module.memories().flash[0x3100] = 0xF0;
  Feed(module, {0x17});
  for (int i = 0; i < 128; ++i) Feed(module, {0x3C});
  Feed(module, {0x18});
  EXPECT_EQ(module.memories().flash[0x3100], 0x30);
}

}  // namespace
