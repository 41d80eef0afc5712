// The boot loader's commands: a current byte address that every read and EEPROM write
// advances, byte reads, the page buffer, page erase and page programming.
#include <stdexcept>
#include <vector>

#include "link/link.h"

namespace comm {

namespace {

constexpr std::size_t kShortReply = 2;
constexpr std::size_t kSetAddressLength = 3;
constexpr std::size_t kSetAddressReply = 4;
constexpr std::size_t kWriteEEPROMLength = 2;
constexpr std::size_t kWriteEEPROMReply = 3;
constexpr std::uint32_t kAddressMask = 0xFFFF;
constexpr unsigned kByteBits = 8;

Byte LowByte(std::uint32_t value) { return static_cast<Byte>(value & 0xFF); }
Byte HighByte(std::uint32_t value) { return static_cast<Byte>((value >> kByteBits) & 0xFF); }

}  // namespace

bool Link::RestoreLoaderAddress() {
  if (!loaderAddress_) return true;
  // Part of another command: after a failure in it the whole of it is sent again.
  StartExchange({kSetAddressLength, kSetAddressReply, false});
  Send({kCmdSetAddress, LowByte(*loaderAddress_), HighByte(*loaderAddress_)});
  if (Receive(kSetAddressReply, kTimeoutAbort).back() != kACK) {
    Settle();
    return false;
  }
  DelayTimer(kPacingDelay);
  return true;
}

bool Link::AcknowledgedCommand(std::initializer_list<Byte> bytes, std::size_t replyLength) {
  CommOK = false;
  if (!inStep_) return false;
  const std::vector<Byte> command(bytes);
  Trapped([&](std::size_t from, bool) {
    StartExchange({command.size(), replyLength, true}, from);
    SendPaced(std::span(command).subspan(from));
    if (Receive(replyLength - from, kTimeoutAbort).back() != kACK) {
      Settle();
      return;
    }
    CommOK = true;
    DelayTimer(kPacingDelay);
  });
  return CommOK;
}

bool Link::SetAddress(std::int32_t address) {
  const auto low16 = static_cast<std::uint32_t>(address) & kAddressMask;
  loaderAddress_.reset();
  if (AcknowledgedCommand({kCmdSetAddress, LowByte(low16), HighByte(low16)}, kSetAddressReply)) {
    loaderAddress_ = low16;
  }
  return CommOK;
}

Byte Link::ReadAdvancing(Byte command) {
  CommOK = false;
  if (!inStep_) return 0;
  Byte value = 0;
  Trapped([&](std::size_t, bool again) {
    if (again && !RestoreLoaderAddress()) return;
    StartExchange({1, kShortReply, false});
    Send({command});
    value = Receive(kShortReply, kTimeoutAbort).back();
    DelayTimer(kPacingDelay);
    CommOK = true;
  });
  if (!CommOK) return 0;
  if (loaderAddress_) loaderAddress_ = (*loaderAddress_ + 1) & kAddressMask;
  return value;
}

Byte Link::ReadFLASH() { return ReadAdvancing(kCmdReadFLASH); }

Byte Link::ReadEEPROM() { return ReadAdvancing(kCmdReadEEPROM); }

bool Link::WriteEEPROMByte(Byte value) {
  CommOK = false;
  if (!inStep_) return false;
  bool acknowledged = false;
  const Byte command[] = {kCmdWriteEEPROM, value};
  Trapped([&](std::size_t from, bool again) {
    if (again && !RestoreLoaderAddress()) return;
    StartExchange({kWriteEEPROMLength, kWriteEEPROMReply, true}, from);
    SendPaced(std::span(command).subspan(from));
    if (Receive(kWriteEEPROMReply - from, kTimeoutAbort).back() != kACK) {
      Settle();
      return;
    }
    acknowledged = true;
  });
  if (acknowledged && loaderAddress_) loaderAddress_ = (*loaderAddress_ + 1) & kAddressMask;
  return acknowledged;
}

bool Link::WriteBuffer(std::span<const Byte> DataBuffer) {
  CommOK = false;
  const auto pageBytes = static_cast<std::size_t>(2 * PageSize);
  if (DataBuffer.size() < pageBytes) {
    throw std::invalid_argument("The page buffer holds " + std::to_string(DataBuffer.size()) +
                                " bytes; a page needs " + std::to_string(pageBytes) + ".");
  }
  if (!inStep_) return false;
  std::vector<Byte> command{kCmdWriteBuffer};
  command.insert(command.end(), DataBuffer.begin(),
                 DataBuffer.begin() + static_cast<long>(pageBytes));
  Trapped([&](std::size_t from, bool) {
    // Each byte waits for its echo, so a failure leaves the count of bytes taken known.
    StartExchange({command.size(), command.size() + 1, true}, from);
    for (std::size_t i = from; i < command.size(); ++i) {
      Send({command[i]});
      DelayTimer(kPacingDelay);
      Receive(1, kTimeoutAbort);
    }
    // The loader's closing byte is not examined: a rejected page shows in the verification.
    Receive(1, kTimeoutAbort);
    DelayTimer(kPacingDelay);
    CommOK = true;
  });
  return CommOK;
}

bool Link::ErasePage() { return AcknowledgedCommand({kCmdErasePage}, kShortReply); }

bool Link::WritePage() { return AcknowledgedCommand({kCmdWritePage}, kShortReply); }

}  // namespace comm
