// Every command's bytes on the wire and its reply handling, against the simulated module,
// and the loops built on them; garbage for replies; choosing the port.
#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <functional>
#include <random>

#include "fakes/memory_settings.h"
#include "fakes/temp_folder.h"
#include "link/port_setup.h"
#include "link_rig.h"

namespace {

using comm::Byte;
using core::Answer;
using linktest::LinkRig;
using Bytes = std::vector<Byte>;
using Texts = std::vector<std::string>;
using namespace std::chrono_literals;

constexpr auto E = comm::kBootLoadEntryKey;
constexpr auto X = comm::kBootLoadExitKey;
constexpr const char* kTimeout = "RS-232 timeout. Check cable and click Abort.";

TEST(ApplicationMode, ReSyncAndReadStatusSendOneByteEachAndKeepThePortOpen) {
  // A reply complete at nine tenths of the one-second deadline is taken.
  LinkRig rig({"late=2F:899"});
  EXPECT_TRUE(rig.link.ReSync());
  EXPECT_EQ(rig.Sent(), Bytes{0x33});
  EXPECT_EQ(rig.link.ReadStatus(), 0x01) << "the second byte of the reply";
  EXPECT_GE(rig.clock.now, 899ms);
  EXPECT_TRUE(rig.link.CommOK && rig.port.IsOpen());
  EXPECT_EQ(rig.Sent(), Bytes{0x2F});
  LinkRig started({"engine-started"});
  EXPECT_EQ(started.link.ReadStatus() & comm::kStatusEngineStarted, 0x04);

  // A silent module fails ReSync quietly after one second and the quiet bound.
  LinkRig silent({"silent"});
  EXPECT_FALSE(silent.link.ReSync());
  EXPECT_EQ(silent.clock.now, 1s + comm::kLateReplyBound);
  EXPECT_TRUE(silent.host.boxes.empty());
  EXPECT_TRUE(silent.port.IsOpen());
}

TEST(ApplicationMode, ReadStatusTimeOutEndsEvenOnRetry) {
  // Complete at eleven tenths of the deadline: too late.
  LinkRig rig({"late=2F:1099"});
  rig.host.ExpectBox(Answer::Retry);
  EXPECT_EQ(rig.link.ReadStatus(), 0);
  EXPECT_FALSE(rig.link.CommOK || rig.port.IsOpen());
  EXPECT_EQ(rig.host.boxes, (std::vector<fakes::MessageBoxRecord>{
                                {"RS-232 timeout. Check cable and click Abort or Retry.", "Error",
                                 core::Buttons::AbortRetryIgnore, core::Icon::Critical}}));
  EXPECT_EQ(rig.Sent(), Bytes{0x2F}) << "nothing resent";
}

TEST(ApplicationMode, FirmwareIDDropsTheEchoAndEndsAtItsCarriageReturnOrDeadline) {
  const struct {
    std::string fault;
    bool commOK;
    const char* id;
    const char* version;
  } cases[] = {
      {"", true, "Quillon II JX V2.4", "JX"},
      {"id=", true, "", "UNKNOWN"},
      // More text than the line carries in a second, and no end: the edition is kept.
      {"id=" + std::string(10000, 'Q'), false, "", "KQ"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.fault.substr(0, 8));
    LinkRig rig({c.fault});
    core::ModuleImage image;
    image.ModuleVersion = "KQ";
    if (!c.commOK) rig.host.ExpectBox(Answer::Ignore);
    rig.link.ReadFirmwareID(image);
    EXPECT_EQ(rig.link.CommOK, c.commOK);
    EXPECT_EQ(image.FirmwareID, c.id);
    EXPECT_EQ(image.ModuleVersion, c.version);
    EXPECT_EQ(rig.Sent(), Bytes{0x10});
    EXPECT_LE(rig.clock.now, 1001ms + (c.commOK ? 0s : comm::kDrainLimit));
    EXPECT_EQ(rig.Texts(), c.commOK ? Texts{} : Texts{kTimeout});
    EXPECT_FALSE(rig.port.IsOpen());
  }
}

TEST(ApplicationMode, EnterAndExitBootLoadSendTheirKeysPacedAndClose) {
  LinkRig rig;
  EXPECT_TRUE(rig.link.EnterBootLoad());
  EXPECT_EQ(rig.Sent(), (Bytes{0x11, E[0], E[1], E[2], E[3]}));
  EXPECT_TRUE(rig.module.InBootLoader());
  EXPECT_FALSE(rig.port.IsOpen());
  // Four pauses between the five bytes, the closing pause, and the last byte's way there
  // and the echo and acknowledgement back: the last byte is not paced.
  const auto wire = std::chrono::duration_cast<std::chrono::microseconds>(comm::kByteTime * 3);
  EXPECT_GE(rig.clock.now, 5 * comm::kPacingDelay + wire - 1us);
  EXPECT_LE(rig.clock.now, 5 * comm::kPacingDelay + wire + 2us);
  EXPECT_TRUE(rig.link.ExitBootLoad());
  EXPECT_EQ(rig.Sent(), (Bytes{0x11, X[0], X[1], X[2], X[3]}));
  EXPECT_FALSE(rig.module.InBootLoader() || rig.port.IsOpen());
}

TEST(BootLoader, AddressesReadsAndPageLoadsOnTheWire) {
  LinkRig rig;
  rig.module.memories().flash[0x3100] = 0x5A;
  rig.module.memories().flash[0x3101] = 0x00;
  rig.module.memories().eeprom[16] = 0xA7;
  rig.EnterBootLoader();
  // The low sixteen bits, low byte first.
  const std::pair<std::int32_t, Bytes> addresses[] = {{0x12345, {0x14, 0x45, 0x23}},
                                                      {0x3100, {0x14, 0x00, 0x31}}};
  for (const auto& [address, wire] : addresses) {
    EXPECT_TRUE(rig.link.SetAddress(address));
    EXPECT_EQ(rig.Sent(), wire) << address;
  }
  // Two FLASH reads give the low then the high byte.
  EXPECT_EQ(rig.link.ReadFLASH(), 0x5A);
  EXPECT_EQ(rig.link.ReadFLASH(), 0x00) << "a null byte is data";
  EXPECT_EQ(rig.Sent(), (Bytes{0x19, 0x19}));
  rig.link.SetAddress(16);
  rig.Sent();
  EXPECT_EQ(rig.link.ReadEEPROM(), 0xA7);
  EXPECT_EQ(rig.Sent(), Bytes{0x15});

  // The command and the first 128 bytes of the page; an echo for each and the acknowledgement.
  Bytes page(256, 0xEE);
  for (std::size_t i = 0; i < 128; ++i) page[i] = static_cast<Byte>(i);
  const std::size_t readBefore = rig.port.bytesRead();
  EXPECT_TRUE(rig.link.WriteBuffer(page));
  Bytes expected(page.begin(), page.begin() + 128);
  expected.insert(expected.begin(), 0x17);
  EXPECT_EQ(rig.Sent(), expected);
  EXPECT_EQ(rig.port.bytesRead() - readBefore, 130u);
}

// Abort and Ignore end the exchange with the port closed: the download's failing steps.
TEST(Deadlines, RetryDrainsTheLateReplySetsTheAddressAgainAndResendsTheRead) {
  LinkRig rig({"late=19:1000"});
  rig.module.memories().flash[0x3100] = 0x11;
  rig.module.memories().flash[0x3101] = 0x22;
  rig.EnterBootLoader();
  rig.link.SetAddress(0x3100);
  rig.Sent();
  rig.host.ExpectBox(Answer::Retry);
  EXPECT_EQ(rig.link.ReadFLASH(), 0x11);
  EXPECT_TRUE(rig.link.CommOK);
  EXPECT_EQ(rig.Sent(), (Bytes{0x19, 0x14, 0x00, 0x31, 0x19}));
  EXPECT_EQ(rig.Texts(), Texts{kTimeout});
  EXPECT_EQ(rig.link.ReadFLASH(), 0x22) << "the next read is not the late reply";
}

TEST(LineEvents, EachShowsItsDescriptionAndTheThirdClosesThePort) {
  LinkRig rig({"line-error=1004", "line-error=1009", "line-error=1008", "line-error=1003"});
  rig.host.ExpectBoxes({Answer::Retry, Answer::Retry, Answer::Retry});
  rig.link.ReSync();
  EXPECT_EQ(rig.Texts(), (Texts{"Framing error.", "Parity error.", "Receive buffer overflow."}))
      << "1003 is not reported";
  EXPECT_EQ(rig.host.boxes[0].title, "Communications Error");
  EXPECT_EQ(rig.host.boxes[0].buttons, core::Buttons::RetryCancel);
  EXPECT_EQ(rig.link.CommErrorCount, 3);
  EXPECT_FALSE(rig.port.IsOpen()) << "the third event closes the port";

  LinkRig cancelled({"line-error=1006"});
  cancelled.host.ExpectBox(Answer::Cancel);
  EXPECT_FALSE(cancelled.link.ReSync());
  EXPECT_EQ(cancelled.Texts(), Texts{"Port hardware overrun."});
  EXPECT_FALSE(cancelled.port.IsOpen());

  EXPECT_EQ(comm::LineEventDescription(1010), "Transmit buffer full.");
  EXPECT_EQ(comm::LineEventDescription(1011), "Device control block error.");
}

// A port that goes away, and what the download makes of it, is the failed exchanges' test.
TEST(Ports, APortFailureIsToldWithTheProgramsAdvice) {
  fakes::ScriptedHost host;
  bool abortFlag = false;
  comm::Link link(host, abortFlag);
  link.SetPortAdvice([](const core::PortError& e) {
    return e.fault() == core::PortFault::NotSetUp ? "Pick one." : "";
  });
  host.ExpectBox(Answer::Abort);
  EXPECT_FALSE(link.ReSync());
  EXPECT_EQ(host.Texts(), Texts{"No serial port is set up. Pick one."});
  EXPECT_TRUE(link.PortUnusable());
}

// The programming and verification loops where the download and upload cases cannot
// see: the progress rounding, the error count per word, a refused address. What the
// loops move, and a half-read word, is the download's and upload's test.
TEST(Progress, PercentagesRoundHalvesToEven) {
  EXPECT_EQ(comm::ProgressPercent(6272, 6272, 6911), 0);
  EXPECT_EQ(comm::ProgressPercent(6911, 6272, 6911), 100);
  // 1/8 of 100 is 12.5, 3/8 is 37.5.
  EXPECT_EQ(comm::ProgressPercent(1, 0, 8), 12);
  EXPECT_EQ(comm::ProgressPercent(3, 0, 8), 38);
}

TEST(WriteLoops, VerificationCountsOneErrorPerWrongWordOrByte) {
  LinkRig rig;
  rig.EnterBootLoader();
  const core::ModuleImage image = linktest::RegionsOf(rig.module.memories());
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
  LinkRig rig({"nak=14"});
  rig.EnterBootLoader();
  const core::ModuleImage image = linktest::RegionsOf(rig.module.memories());
  rig.link.VerifyFLASH(image);
  rig.link.VerifyEEPROM(image);
  EXPECT_GE(rig.link.FLASHErrors, 1);
  EXPECT_GE(rig.link.EEPROMErrors, 1);
  EXPECT_FALSE(rig.port.IsOpen());
}

// Whatever the module sends back, garbage, short replies or nothing, every command ends
// within its deadlines and never claims a success that the bytes did not carry.

// Answers every written byte with zero to three random bytes, at once.
class GarbagePort : public core::SerialPort {
 public:
  GarbagePort(core::Clock& clock, unsigned seed) : clock_(clock), random_(seed) {}

  void SetPort(const std::string&) override {}
  std::string Port() const override { return {}; }
  void Configure(const core::PortSettings&) override {}
  void Open() override { open_ = true; }
  void Close() override { open_ = false; }
  bool IsOpen() const override { return open_; }
  void ClearReceiveBuffer() override { incoming_.clear(); }
  std::size_t BytesWaiting() override { return incoming_.size(); }
  void WriteByte(Byte) override {
    for (unsigned n = random_() % 4; n > 0; --n) incoming_.push_back(static_cast<Byte>(random_()));
  }
  Byte ReadByte() override {
    lastRead = incoming_.front();
    incoming_.pop_front();
    ++reads;
    return lastRead;
  }
  bool WaitForBytes(std::size_t count, Deadline deadline) override {
    if (open_ && incoming_.size() >= count) return true;
    if (deadline > clock_.Now()) clock_.DelayTimer(deadline - clock_.Now());
    return false;
  }
  std::optional<int> TakeLineEvent() override { return std::nullopt; }

  int reads = 0;
  Byte lastRead = 0;

 private:
  core::Clock& clock_;
  std::mt19937 random_;
  bool open_ = false;
  std::deque<Byte> incoming_;
};

struct GarbageRig {
  explicit GarbageRig(unsigned seed) : port(clock, seed) {
    link.Attach(port, clock);
    // Nobody at the keyboard: every prompt is answered with Ignore.
    host.answerEvery = [](core::Buttons buttons) {
      return buttons == core::Buttons::AbortRetryIgnore ? core::Answer::Ignore
                                                        : core::Answer::Cancel;
    };
  }
  fakes::FakeClock clock;
  GarbagePort port;
  fakes::ScriptedHost host;
  bool abortFlag = false;
  comm::Link link{host, abortFlag};
};

TEST(GarbageReplies, EveryCommandEndsWithinItsDeadlines) {
  for (unsigned seed = 1; seed <= 40; ++seed) {
    GarbageRig rig(seed);
    comm::Link& link = rig.link;
    core::ModuleImage image;
    const std::vector<Byte> page(256, 0x5A);
    const struct {
      const char* name;
      std::function<void()> command;
      core::Clock::Duration limit;
    } commands[] = {
        {"ReSync", [&] { link.ReSync(); }, 1100ms},
        {"ReadStatus", [&] { link.ReadStatus(); }, 1100ms},
        {"ReadFirmwareID", [&] { link.ReadFirmwareID(image); }, 2100ms},
        // The exit key, the address, the reads and the page erase wait as the entry key does.
        {"EnterBootLoad", [&] { link.EnterBootLoad(); }, 2100ms},
        {"WriteBuffer", [&] { link.WriteBuffer(page); }, 3s},
    };
    for (const auto& c : commands) {
      const auto start = rig.clock.now;
      c.command();
      // The garbage stops when the tool stops sending: the drain ends one quiet bound later.
      EXPECT_LE(rig.clock.now - start, c.limit + comm::kLateReplyBound)
          << c.name << " seed " << seed;
    }
  }
}

TEST(GarbageReplies, AcknowledgedCommandsSucceedOnlyOnACompleteAcknowledgedReply) {
  for (unsigned seed = 1; seed <= 900; ++seed) {
    GarbageRig rig(seed);
    for (const bool erase : {false, true}) {
      rig.port.reads = 0;
      const bool ok = erase ? rig.link.ErasePage() : rig.link.ReSync();
      EXPECT_EQ(ok, rig.port.reads == 2 && rig.port.lastRead == comm::kACK) << seed;
    }
  }
}

// Choosing the port: the list, the stored choice and what picking an item does.
std::string Stored(fakes::MemorySettings& settings) {
  return settings.GetSetting("Ventrel", "Properties", "CommPort", "(none)");
}

TEST(PortList, HasTheComPortsThenTheOtherDetectedDevices) {
  const auto items = comm::PortList({"/dev/ttyS0", "/dev/ttyUSB0", "/dev/ttyS4", "/dev/ttyACM1"});
  ASSERT_EQ(items.size(), 257u);
  EXPECT_EQ(items[0], "Com1");
  EXPECT_EQ(std::vector(items.begin() + 254, items.end()),
            (std::vector<std::string>{"Com255", "/dev/ttyUSB0", "/dev/ttyACM1"}));
}

TEST(PortChoice, StoredValuesAreTakenOrFallBackToComOne) {
  const fakes::TempFolder folder;
  const std::filesystem::path device = folder.Write("ventrel-tty-test", "");
  struct Case {
    std::string stored;
    std::int16_t number;
    std::string path;
  };
  for (const Case& c :
       {Case{"3", 3, ""}, Case{"255", 255, ""}, Case{"0", 1, ""}, Case{"256", 1, ""},
        Case{"COM3", 1, ""}, Case{device.string(), 1, device.string()},
        Case{"/dev/ventrel-no-such-device", 1, ""}}) {
    LinkRig rig;
    fakes::MemorySettings settings;
    settings.SaveSetting("Ventrel", "Properties", "CommPort", c.stored);
    comm::LoadPortChoice(rig.link, settings);
    EXPECT_EQ(rig.link.CommPortNumber, c.number) << c.stored;
    EXPECT_EQ(rig.link.CommPortPath, c.path) << c.stored;
  }
}

TEST(PortChoice, PickingAPortClosesTheOpenOneStoresItAndTheNextCommandOpensIt) {
  const struct {
    const char* text;
    const char* stored;
    const char* item;
    const char* device;
  } cases[] = {
      {"Com12", "12", "Com12", "/dev/ttyS11"},
      {"/dev/pts/7", "/dev/pts/7", "/dev/pts/7", "/dev/pts/7"},
      // A Com port typed by its device is that Com port.
      {"/dev/ttyS2", "3", "Com3", "/dev/ttyS2"},
  };
  for (const auto& c : cases) {
    LinkRig rig;
    fakes::MemorySettings settings;
    comm::LoadPortChoice(rig.link, settings);
    ASSERT_TRUE(rig.link.ReSync());
    EXPECT_TRUE(comm::SelectPort(rig.link, settings, rig.host, c.text)) << c.text;
    EXPECT_FALSE(rig.port.IsOpen()) << c.text;
    EXPECT_EQ(Stored(settings), c.stored);
    EXPECT_EQ(comm::PortItem(rig.link), c.item);
    rig.link.ReSync();
    EXPECT_EQ(rig.port.Port(), c.device);
  }
}

TEST(PortChoice, TextThatNamesNoPortIsRefusedAndChangesNothing) {
  LinkRig rig;
  fakes::MemorySettings settings;
  rig.link.CommPortNumber = 4;
  for (const char* text : {"Com0", "Com256", "usb"}) {
    rig.host.ExpectBox(core::Answer::OK);
    EXPECT_FALSE(comm::SelectPort(rig.link, settings, rig.host, text)) << text;
  }
  EXPECT_EQ(rig.link.CommPortNumber, 4);
  EXPECT_TRUE(settings.values.empty());
  EXPECT_EQ(rig.host.boxes.at(0).title, "Port Setup");
}

}  // namespace
