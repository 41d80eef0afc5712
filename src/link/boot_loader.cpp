// The boot loader's commands: a current byte address that every read and EEPROM write
// advances, byte reads, the page buffer, page erase and page programming.
#include <stdexcept>

#include "link/link.h"

namespace comm {

namespace {

constexpr std::size_t kShortReply = 2;
constexpr std::size_t kSetAddressReply = 4;
constexpr std::size_t kWriteEEPROMReply = 3;
constexpr std::uint32_t kAddressMask = 0xFFFF;
constexpr unsigned kByteBits = 8;

Byte LowByte(std::uint32_t value) { return static_cast<Byte>(value & 0xFF); }
Byte HighByte(std::uint32_t value) { return static_cast<Byte>((value >> kByteBits) & 0xFF); }

}  // namespace

bool Link::RestoreLoaderAddress(int attempt) {
  if (attempt == 0 || !loaderAddress_) return true;
  Send({kCmdSetAddress, LowByte(*loaderAddress_), HighByte(*loaderAddress_)});
  if (Receive(kSetAddressReply, kTimeoutAbort).back() != kACK) {
    drainFirst_ = true;
    return false;
  }
  DelayTimer(kPacingDelay);
  port_->ClearReceiveBuffer();
  return true;
}

bool Link::AcknowledgedCommand(std::initializer_list<Byte> bytes, std::size_t replyLength) {
  CommOK = false;
  Trapped([&](int) {
    StartExchange();
    Send(bytes);
    if (Receive(replyLength, kTimeoutAbort).back() != kACK) {
      drainFirst_ = true;
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
  Byte value = 0;
  Trapped([&](int attempt) {
    StartExchange();
    if (!RestoreLoaderAddress(attempt)) return;
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
  bool acknowledged = false;
  Trapped([&](int attempt) {
    StartExchange();
    if (!RestoreLoaderAddress(attempt)) return;
    Send({kCmdWriteEEPROM, value});
    if (Receive(kWriteEEPROMReply, kTimeoutAbort).back() != kACK) {
      drainFirst_ = true;
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
  Trapped([&](int) {
    StartExchange();
    Send({kCmdWriteBuffer});
    DelayTimer(kPacingDelay);
    Receive(1, kTimeoutAbort);
    for (std::size_t i = 0; i < pageBytes; ++i) {
      Send({DataBuffer[i]});
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
