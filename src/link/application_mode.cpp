// The commands the module's application firmware answers: link check, status,
// firmware identification and the switch into the boot loader.
#include <exception>

#include "core/editions.h"
#include "core/error_prompt.h"
#include "core/text.h"
#include "link/link.h"

namespace comm {

namespace {

constexpr std::size_t kShortReply = 2;
constexpr std::size_t kBootLoadKeyReply = 6;

}  // namespace

bool Link::ReSync() {
  CommOK = false;
  Trapped([&](int) {
    StartExchange();
    Send({kCmdReSync});
    // A module that does not answer is reported by the caller, not by a prompt.
    if (!WaitReply(kShortReply, Now() + kReplyTimeout)) {
      drainFirst_ = true;
      return;
    }
    const Byte first = port_->ReadByte();
    const Byte acknowledgement = port_->ReadByte();
    static_cast<void>(first);
    DelayTimer(kPacingDelay);
    CommOK = acknowledgement == kACK;
    if (!CommOK) drainFirst_ = true;
  });
  return CommOK;
}

std::int16_t Link::ReadStatus() {
  CommOK = false;
  Byte status = 0;
  try {
    StartExchange();
    Send({kCmdReadStatus});
    status = Receive(kShortReply, kTimeoutAbortOrRetry).back();
    DelayTimer(kPacingDelay);
    CommOK = true;
  } catch (...) {
    // The prompt offers Retry, but every answer ends the status query.
    const std::exception_ptr failure = std::current_exception();
    bool shown = false;
    core::GuardedStep(host_, [&] {
      if (shown) return;
      shown = true;
      std::rethrow_exception(failure);
    });
    ClosePort();
    return 0;
  }
  return status;
}

void Link::ReadFirmwareID(core::ModuleImage& image) {
  CommOK = false;
  image.FirmwareID.clear();
  Trapped([&](int) {
    image.FirmwareID.clear();
    StartExchange();
    Send({kCmdReadFirmwareID});
    const core::Clock::Duration deadline = Now() + kReplyTimeout;
    std::string text;
    bool ended = false;
    while (!ended && WaitReply(1, deadline)) {
      const Byte value = port_->ReadByte();
      if (value == kCR) {
        ended = true;
      } else {
        text.push_back(static_cast<char>(value));
      }
    }
    if (!ended) RaiseTimeout(kTimeoutAbort);
    // The first character is the module's reply to the command byte.
    image.FirmwareID = core::Latin1ToUtf8(text.empty() ? text : text.substr(1));
    image.ModuleVersion = core::ClassifyFirmwareID(image.FirmwareID);
    ClosePort();
    DelayTimer(kPacingDelay);
    CommOK = true;
  });
}

bool Link::SendBootLoadKey(const BootLoadKey& key) {
  CommOK = false;
  Trapped([&](int) {
    StartExchange();
    const Byte bytes[] = {kCmdBootLoadKey, key[0], key[1], key[2], key[3]};
    SendPaced(bytes);
    CommOK = Receive(kBootLoadKeyReply, kTimeoutAbort).back() == kACK;
    if (!CommOK) drainFirst_ = true;
    DelayTimer(kPacingDelay);
    ClosePort();
  });
  loaderAddress_.reset();
  return CommOK;
}

bool Link::EnterBootLoad() { return SendBootLoadKey(kBootLoadEntryKey); }

bool Link::ExitBootLoad() { return SendBootLoadKey(kBootLoadExitKey); }

}  // namespace comm
