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
    : QuillonModule(edition, std::move(faults), ExampleContents(edition)) {}

QuillonModule::QuillonModule(Edition edition, Faults faults, const Memories& memories)
    : memories_(memories),
      faults_(std::move(faults)),
      firmwareID_(faults_.firmwareID.value_or(FirmwareIDOf(edition))) {}

std::vector<Reply> QuillonModule::Receive(comm::Byte value, Time at) {
  replies_.clear();
  ++received_;
  if (faults_.silent || (faults_.dropAfter && received_ > *faults_.dropAfter)) return {};
  if (faults_.lose && received_ == *faults_.lose) return {};
  const Time taken = std::max(at, stalledUntil_);
  if (command_ == 0) {
    Start(value, taken);
  } else {
    Continue(value, taken);
  }
  if (faults_.stall && received_ == faults_.stall->afterByte) {
    stalledUntil_ = taken + faults_.stall->duration;
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
  } else if (const auto every = faults_.lateEvery.find(command); every != faults_.lateEvery.end()) {
    lateBy_ = every->second;
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
      const std::uint32_t first = PageToChange("erased");
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
    case comm::kCmdWriteEEPROM: {
      const std::uint32_t byte = address_ & kEEPROMAddressMask;
      if (byte < core::kEEPROMRegionFirstByte || byte > core::kEEPROMRegionLastByte) {
        strayWrites_.push_back("EEPROM byte " + std::to_string(byte) + " written");
      }
      memories_.eeprom[byte] = value;
      address_ = (address_ + 1) & kAddressRegisterMask;
      Acknowledge(at);
      return Finish();
    }
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

std::uint32_t QuillonModule::PageToChange(const char* change) {
  const std::uint32_t first = address_ & kFLASHAddressMask & ~(kPageBytes - 1);
  const std::uint32_t page = first / kPageBytes;
  if (page < core::kFLASHRegionFirstPage || page > core::kFLASHRegionLastPage) {
    strayWrites_.push_back("FLASH page " + std::to_string(page) + " " + change);
  }
  return first;
}

void QuillonModule::ProgramPage() {
  const std::uint32_t first = PageToChange("programmed");
  for (std::size_t i = 0; i < pageBuffer_.size() && i < kPageBytes; ++i) {
    comm::Byte value = pageBuffer_[i];
    if (faults_.flipFlashWord && first + i == 2 * *faults_.flipFlashWord) value ^= kFlippedBit;
    // Programming can only clear bits: a page that was not erased keeps its ones cleared.
    memories_.flash[first + i] &= value;
  }
}

}  // namespace sim
