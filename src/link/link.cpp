#include "link/link.h"

#include <cmath>

#include "core/error_prompt.h"
#include "core/failure.h"

namespace comm {

namespace {

constexpr int kMaxPercent = 100;

}  // namespace

std::optional<std::string> LineEventDescription(int code) {
  switch (code) {
    case core::kEventFramingError:
      return "Framing error.";
    case core::kEventHardwareOverrun:
      return "Port hardware overrun.";
    case core::kEventReceiveOverflow:
      return "Receive buffer overflow.";
    case core::kEventParityError:
      return "Parity error.";
    case core::kEventTransmitBufferFull:
      return "Transmit buffer full.";
    case core::kEventDeviceControlBlock:
      return "Device control block error.";
    default:
      return std::nullopt;
  }
}

int ProgressPercent(long done, long first, long last) {
  const double share = static_cast<double>(done - first) / static_cast<double>(last - first);
  // lrint rounds halves to the even neighbour in the default rounding mode.
  const long percent = std::lrint(share * kMaxPercent);
  if (percent < 0) return 0;
  return percent > kMaxPercent ? kMaxPercent : static_cast<int>(percent);
}

void Link::Attach(core::SerialPort& port, core::Clock& clock) {
  if (port_ && port_ != &port && port_->IsOpen()) port_->Close();
  port_ = &port;
  clock_ = &clock;
  port_->Configure(settings_);
}

core::SerialPort& Link::Port() const {
  if (!port_) throw core::PortError(core::PortFault::NotSetUp, PortDevice());
  return *port_;
}

core::Clock& Link::Clock() const {
  Port();
  return *clock_;
}

core::Clock::Duration Link::Now() const { return Clock().Now(); }

std::string Link::PortDevice() const {
  if (!CommPortPath.empty()) return CommPortPath;
  return "/dev/ttyS" + std::to_string(CommPortNumber - 1);
}

void Link::ConfigurePort(std::size_t inBufferSize) {
  settings_.inBufferSize = inBufferSize;
  if (port_) port_->Configure(settings_);
}

bool Link::PortOpen() const { return port_ && port_->IsOpen(); }

void Link::ClosePort() {
  if (PortOpen()) port_->Close();
}

void Link::DelayTimer(core::Clock::Duration wait) {
  Clock().DelayTimer(wait);
  HandleLineEvents();
}

void Link::OnCommEvent(int code) {
  const std::optional<std::string> description = LineEventDescription(code);
  if (!description) return;
  ++CommErrorCount;
  if (CommErrorCount > 2) ClosePort();
  const core::Answer answer =
      host_.MsgBox(*description, kCommErrorTitle, core::Buttons::RetryCancel, core::Icon::Critical);
  if (answer == core::Answer::Retry) {
    if (PortOpen()) core::GuardedStep(host_, [&] { port_->ClearReceiveBuffer(); });
  } else {
    ClosePort();
  }
}

void Link::HandleLineEvents() {
  if (!port_) return;
  while (const std::optional<int> code = port_->TakeLineEvent()) OnCommEvent(*code);
}

bool Link::Trapped(const Exchange& exchange) {
  portUnusable_ = false;
  std::size_t from = 0;
  bool again = false;
  bool portFailed = false;
  const core::StepOutcome outcome = core::GuardedStep(host_, [&] {
    try {
      exchange(from, again);
    } catch (...) {
      const std::exception_ptr failure = std::current_exception();
      const Standing standing = Settle();
      ClosePort();
      from = standing.known ? standing.taken : 0;
      again = standing.known && standing.taken == 0;
      core::Failure settled = SettledFailure(failure, portFailed);
      settled.retryable = settled.retryable && standing.known;
      throw core::Error(std::move(settled));
    }
  });
  if (outcome == core::StepOutcome::Done) return true;
  ClosePort();
  portUnusable_ = portFailed;
  return false;
}

core::Failure Link::SettledFailure(const std::exception_ptr& failure, bool& portFailed) const {
  portFailed = false;
  try {
    std::rethrow_exception(failure);
  } catch (const core::PortError& e) {
    portFailed = true;
    core::Failure settled = e.failure();
    settled.description = DescribePortFault(e);
    const std::string advice = portAdvice_ ? portAdvice_(e) : std::string();
    if (!advice.empty()) settled.description += " " + advice;
    return settled;
  } catch (const core::Error& e) {
    return e.failure();
  } catch (...) {
    return {core::kErrCommOrFileOpen, core::kSourceCommError, core::DescribeFailure(failure)};
  }
}

void Link::OpenPort() {
  core::SerialPort& port = Port();
  if (port.IsOpen()) return;
  port.SetPort(PortDevice());
  port.Open();
}

void Link::StartExchange(const CommandShape& shape, std::size_t from) {
  shape_ = shape;
  from_ = from;
  sent_ = 0;
  received_ = 0;
  OpenPort();
  port_->ClearReceiveBuffer();
}

Link::Standing Link::Settle() {
  bool overflowed = false;
  const std::size_t late = DrainLate(overflowed);
  const std::size_t sent = from_ + sent_;
  const std::size_t replies = from_ + received_ + late;
  Standing standing{false, 0};
  if (!overflowed && replies <= shape_.replyLength) {
    if (sent >= shape_.length) {
      // A one-byte command leaves the module between commands whether or not it took it.
      standing.known = replies >= shape_.length || shape_.length == 1;
    } else if (replies == sent && (sent == 0 || shape_.resumable)) {
      standing = {true, sent};
    }
  }
  if (!standing.known) inStep_ = false;
  return standing;
}

std::size_t Link::DrainLate(bool& overflowed) {
  overflowed = false;
  std::size_t late = 0;
  try {
    const core::Clock::Duration giveUp = Now() + kDrainLimit;
    core::Clock::Duration quietUntil = Now() + kLateReplyBound;
    while (PortOpen()) {
      const std::size_t waiting = port_->BytesWaiting();
      if (waiting > 0) {
        for (std::size_t i = 0; i < waiting; ++i) port_->ReadByte();
        late += waiting;
        quietUntil = Now() + kLateReplyBound;
      } else if (Now() >= quietUntil) {
        break;
      } else {
        port_->WaitForBytes(1, quietUntil < giveUp ? quietUntil : giveUp);
      }
      HandleLineEvents();
      if (Now() >= giveUp) {
        overflowed = true;
        break;
      }
    }
  } catch (...) {
    // A port that went away brings nothing more.
  }
  return late;
}

void Link::Send(std::initializer_list<Byte> bytes) { SendPaced({bytes.begin(), bytes.size()}); }

void Link::SendPaced(std::span<const Byte> bytes) {
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (i > 0) DelayTimer(kPacingDelay);
    Port().WriteByte(bytes[i]);
    ++sent_;
  }
}

bool Link::WaitReply(std::size_t count, core::Clock::Duration deadline) {
  for (;;) {
    const bool arrived = port_->WaitForBytes(count, deadline);
    HandleLineEvents();
    if (arrived && PortOpen() && port_->BytesWaiting() >= count) return true;
    if (Now() >= deadline || !PortOpen()) return false;
  }
}

Byte Link::ReadReplyByte() {
  const Byte value = Port().ReadByte();
  ++received_;
  return value;
}

std::vector<Byte> Link::Receive(std::size_t count, const char* timeoutText) {
  if (!WaitReply(count, Now() + kReplyTimeout)) RaiseTimeout(timeoutText);
  std::vector<Byte> reply(count);
  for (Byte& value : reply) value = ReadReplyByte();
  return reply;
}

void Link::RaiseTimeout(const char* description) {
  throw core::Error(core::kErrCommOrFileOpen, core::kSourceCommError, description);
}

void Link::ShowProgress(const char* caption) {
  host_.ShowProgress(caption);
  host_.SetProgress(0);
}

void Link::EndLoop() {
  host_.HideProgress();
  ClosePort();
}

}  // namespace comm
