#include "sim/quillon_module.h"

#include <algorithm>

namespace sim {

namespace {

constexpr comm::Byte kStatusRunning = 0x01;
constexpr comm::Byte kStatusEngineStarted = 0x04;
constexpr std::size_t kKeyLength = 4;
constexpr std::uint32_t kFLASHAddressMask = kFLASHBytes - 1;
constexpr std::uint32_t kEEPROMAddressMask = core::kEEPROMBytes - 1;
constexpr comm::Byte kFlippedBit = 0x01;
constexpr unsigned kByteBits = 8;
// The loader's address register is 16 bits wide.
constexpr std::uint32_t kAddressRegisterMask = 0xFFFF;

}  // namespace

QuillonModule::QuillonModule(Edition edition, Faults faults)
    : memories_(ExampleContents(edition)),
      faults_(std::move(faults)),
      firmwareID_(faults_.firmwareID.value_or(FirmwareIDOf(edition))) {}

std::vector<Reply> QuillonModule::Receive(comm::Byte value, Time at) {
  replies_.clear();
  ++received_;
  if (faults_.silent || (faults_.dropAfter && received_ > *faults_.dropAfter)) return {};
  if (command_ == 0) {
    Start(value, at);
  } else {
    Continue(value, at);
  }
  return std::move(replies_);
}

void QuillonModule::Answer(comm::Byte value, Time at) { replies_.push_back({value, at + lateBy_}); }

void QuillonModule::Acknowledge(Time at) {
  Answer(faults_.nak.contains(command_) ? kNAK : comm::kACK, at);
}

void QuillonModule::Start(comm::Byte command, Time at) {
  lateBy_ = Time{0};
  if (const auto late = faults_.late.find(command); late != faults_.late.end()) {
    lateBy_ = late->second;
    faults_.late.erase(late);
  }
  if (bootLoader_) {
    BootLoaderCommand(command, at);
  } else {
    ApplicationCommand(command, at);
  }
}

void QuillonModule::ApplicationCommand(comm::Byte command, Time at) {
  command_ = command;
  switch (command) {
    case comm::kCmdReSync: {
      Answer(command, at);
      const Time ready = faults_.busy ? std::max<Time>(at, *faults_.busy) : at;
      Acknowledge(ready);
      return Finish();
    }
    case comm::kCmdReadStatus:
      Answer(command, at);
      Answer(faults_.engineStarted ? kStatusEngineStarted : kStatusRunning, at);
      return Finish();
    case comm::kCmdReadFirmwareID:
      Answer(command, at);
      for (const char c : firmwareID_) Answer(static_cast<comm::Byte>(c), at);
      Answer(comm::kCR, at);
      return Finish();
    case comm::kCmdBootLoadKey:
      return Answer(command, at);
    default:
      // The firmware ignores what it does not know.
      return Finish();
  }
}

void QuillonModule::BootLoaderCommand(comm::Byte command, Time at) {
  command_ = command;
  Answer(command, at);
  switch (command) {
    case comm::kCmdReadFLASH:
      Answer(memories_.flash[address_ & kFLASHAddressMask], at);
      address_ = (address_ + 1) & kAddressRegisterMask;
      return Finish();
    case comm::kCmdReadEEPROM:
      Answer(memories_.eeprom[address_ & kEEPROMAddressMask], at);
      address_ = (address_ + 1) & kAddressRegisterMask;
      return Finish();
    case comm::kCmdErasePage: {
      const std::uint32_t first = address_ & kFLASHAddressMask & ~(kPageBytes - 1);
      std::fill_n(memories_.flash.begin() + first, kPageBytes, comm::Byte{0xFF});
      Acknowledge(at + kPageOperationTime);
      return Finish();
    }
    case comm::kCmdWritePage:
      ProgramPage();
      Acknowledge(at + kPageOperationTime);
      return Finish();
    case comm::kCmdWriteBuffer:
      pageBuffer_.clear();
      return;
    case comm::kCmdSetAddress:
    case comm::kCmdWriteEEPROM:
    case comm::kCmdBootLoadKey:
      return;
    default:
      return Finish();
  }
}

void QuillonModule::Continue(comm::Byte value, Time at) {
  Answer(value, at);
  arguments_.push_back(value);
  switch (command_) {
    case comm::kCmdSetAddress:
      if (arguments_.size() < 2) return;
      address_ = arguments_[0] | (static_cast<std::uint32_t>(arguments_[1]) << kByteBits);
      Acknowledge(at);
      return Finish();
    case comm::kCmdWriteEEPROM:
      memories_.eeprom[address_ & kEEPROMAddressMask] = value;
      address_ = (address_ + 1) & kAddressRegisterMask;
      Acknowledge(at);
      return Finish();
    case comm::kCmdWriteBuffer:
      pageBuffer_.push_back(value);
      if (pageBuffer_.size() < kPageBytes) return;
      Acknowledge(at);
      return Finish();
    case comm::kCmdBootLoadKey: {
      if (arguments_.size() < kKeyLength) return;
      const comm::BootLoadKey key = {arguments_[0], arguments_[1], arguments_[2], arguments_[3]};
      const bool entry = key == comm::kBootLoadEntryKey;
      const bool exit = bootLoader_ && key == comm::kBootLoadExitKey;
      if (entry || exit) {
        Acknowledge(at);
        bootLoader_ = entry;
      } else {
        Answer(kNAK, at);
      }
      return Finish();
    }
    default:
      return Finish();
  }
}

void QuillonModule::ProgramPage() {
  const std::uint32_t first = address_ & kFLASHAddressMask & ~(kPageBytes - 1);
  for (std::size_t i = 0; i < pageBuffer_.size() && i < kPageBytes; ++i) {
    comm::Byte value = pageBuffer_[i];
    if (faults_.flipFlashWord && first + i == 2 * *faults_.flipFlashWord) value ^= kFlippedBit;
    // Programming can only clear bits: a page that was not erased keeps its ones cleared.
    memories_.flash[first + i] &= value;
  }
}

}  // namespace sim
