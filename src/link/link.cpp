#include "link/link.h"

#include <cmath>

#include "core/error_prompt.h"
#include "core/failure.h"

namespace comm {

namespace {

// A line that stays silent this long after a failed exchange has nothing more to say.
constexpr auto kQuietTime = std::chrono::duration_cast<core::Clock::Duration>(kByteTime * 5);
constexpr int kMaxPercent = 100;

}  // namespace

std::optional<std::string> LineEventDescription(int code) {
  switch (code) {
    case kEventFramingError:
      return "Framing error.";
    case kEventHardwareOverrun:
      return "Port hardware overrun.";
    case kEventReceiveOverflow:
      return "Receive buffer overflow.";
    case kEventParityError:
      return "Parity error.";
    case kEventTransmitBufferFull:
      return "Transmit buffer full.";
    case kEventDeviceControlBlock:
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

void Link::Attach(SerialPort& port, core::Clock& clock) {
  if (port_ && port_ != &port && port_->IsOpen()) port_->Close();
  port_ = &port;
  clock_ = &clock;
  port_->Configure(settings_);
}

SerialPort& Link::Port() const {
  if (!port_) {
    throw core::Error(core::kErrCommOrFileOpen, core::kSourceCommError,
                      "No serial port is set up. Choose one in Communications > Port Setup.");
  }
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

bool Link::Trapped(const std::function<void(int attempt)>& exchange) {
  int attempt = 0;
  const core::StepOutcome outcome = core::GuardedStep(host_, [&] { exchange(attempt++); });
  if (outcome == core::StepOutcome::Aborted) ClosePort();
  return outcome == core::StepOutcome::Done;
}

void Link::OpenPort() {
  SerialPort& port = Port();
  if (port.IsOpen()) return;
  port.SetPort(PortDevice());
  port.Open();
}

void Link::StartExchange() {
  OpenPort();
  if (drainFirst_) DrainLine();
  port_->ClearReceiveBuffer();
}

void Link::DrainLine() {
  const core::Clock::Duration giveUp = Now() + kReplyTimeout;
  do {
    port_->ClearReceiveBuffer();
  } while (port_->WaitForBytes(1, Now() + kQuietTime) && Now() < giveUp);
  drainFirst_ = false;
  HandleLineEvents();
}

void Link::Send(std::initializer_list<Byte> bytes) { SendPaced({bytes.begin(), bytes.size()}); }

void Link::SendPaced(std::span<const Byte> bytes) {
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (i > 0) DelayTimer(kPacingDelay);
    Port().WriteByte(bytes[i]);
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

std::vector<Byte> Link::Receive(std::size_t count, const char* timeoutText) {
  if (!WaitReply(count, Now() + kReplyTimeout)) RaiseTimeout(timeoutText);
  std::vector<Byte> reply(count);
  for (Byte& value : reply) value = port_->ReadByte();
  return reply;
}

void Link::RaiseTimeout(const char* description) {
  drainFirst_ = true;
  ClosePort();
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
