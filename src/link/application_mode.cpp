// The commands the module's application firmware answers: link check, status,
// firmware identification and the switch into the boot loader.
#include <exception>
#include <limits>

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
  Trapped([&](std::size_t, bool) {
    StartExchange({1, kShortReply, false});
    Send({kCmdReSync});
    // A module that does not answer is reported by the caller, not by a prompt.
    if (!WaitReply(kShortReply, Now() + kReplyTimeout)) {
      Settle();
      return;
    }
    ReadReplyByte();
    const Byte acknowledgement = ReadReplyByte();
    DelayTimer(kPacingDelay);
    CommOK = acknowledgement == kACK;
    if (!CommOK) Settle();
  });
  // The module answers in application mode: whatever it was doing is over.
  if (CommOK) inStep_ = true;
  return CommOK;
}

std::int16_t Link::ReadStatus() {
  CommOK = false;
  Byte status = 0;
  try {
    StartExchange({1, kShortReply, false});
    Send({kCmdReadStatus});
    status = Receive(kShortReply, kTimeoutAbortOrRetry).back();
    DelayTimer(kPacingDelay);
    CommOK = true;
  } catch (...) {
    // The prompt offers Retry, but every answer ends the status query.
    Settle();
    ClosePort();
    bool portFailed = false;
    const core::Failure failure = SettledFailure(std::current_exception(), portFailed);
    bool shown = false;
    core::GuardedStep(host_, [&] {
      if (shown) return;
      shown = true;
      throw core::Error(failure);
    });
    portUnusable_ = portFailed;
    return 0;
  }
  return status;
}

void Link::ReadFirmwareID(core::ModuleImage& image) {
  CommOK = false;
  image.FirmwareID.clear();
  Trapped([&](std::size_t, bool) {
    image.FirmwareID.clear();
    StartExchange({1, std::numeric_limits<std::size_t>::max(), false});
    Send({kCmdReadFirmwareID});
    const core::Clock::Duration deadline = Now() + kReplyTimeout;
    std::string text;
    bool ended = false;
    while (!ended && WaitReply(1, deadline)) {
      const Byte value = ReadReplyByte();
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
  const Byte command[] = {kCmdBootLoadKey, key[0], key[1], key[2], key[3]};
  Trapped([&](std::size_t from, bool) {
    StartExchange({std::size(command), kBootLoadKeyReply, true}, from);
    SendPaced(std::span(command).subspan(from));
    CommOK = Receive(kBootLoadKeyReply - from, kTimeoutAbort).back() == kACK;
    if (!CommOK) Settle();
    DelayTimer(kPacingDelay);
    ClosePort();
  });
  loaderAddress_.reset();
  return CommOK;
}

bool Link::EnterBootLoad() { return SendBootLoadKey(kBootLoadEntryKey); }

bool Link::ExitBootLoad() {
  // Sent to a module whose state is unknown, the key could be taken as commands.
  if (!inStep_) {
    CommOK = false;
    return false;
  }
  return SendBootLoadKey(kBootLoadExitKey);
}

}  // namespace comm
