#include "sim/simulated_port.h"

#include <algorithm>

#include "core/failure.h"

namespace sim {

SimulatedPort::SimulatedPort(QuillonModule& module, core::Clock& clock)
    : module_(module), clock_(clock), vanished_(module.faults().vanishAfter == 0) {
  lineEvents_.assign(module.faults().lineErrors.begin(), module.faults().lineErrors.end());
}

Time SimulatedPort::Now() const { return clock_.Now(); }

void SimulatedPort::CheckNotLost() const {
  if (vanished_) {
    throw core::PortError(core::PortFault::Vanished, device_, "the device was unplugged or closed");
  }
}

void SimulatedPort::RequireOpen() const {
  CheckNotLost();
  if (!open_) throw core::PortError(core::PortFault::Closed, device_);
}

void SimulatedPort::Open() {
  if (vanished_) throw core::PortError(core::PortFault::NotFound, device_);
  open_ = true;
}

void SimulatedPort::Close() {
  open_ = false;
  // What is still on its way arrives at a closed port and is lost.
  incoming_.clear();
}

void SimulatedPort::ClearReceiveBuffer() {
  CheckNotLost();
  const Time now = Now();
  while (!incoming_.empty() && incoming_.front().arrival <= now) incoming_.pop_front();
}

std::size_t SimulatedPort::BytesWaiting() {
  CheckNotLost();
  const Time now = Now();
  // Bytes arrive in order, so those already here are a prefix.
  const auto firstInFlight =
      std::partition_point(incoming_.begin(), incoming_.end(),
                           [&](const InFlight& byte) { return byte.arrival <= now; });
  return static_cast<std::size_t>(firstInFlight - incoming_.begin());
}

void SimulatedPort::WriteByte(comm::Byte value) {
  RequireOpen();
  written_.push_back(value);
  if (module_.faults().vanishAfter && written_.size() > *module_.faults().vanishAfter) {
    vanished_ = true;
    incoming_.clear();
    RequireOpen();
  }
  toolLineFree_ = std::max(toolLineFree_, Now()) + kWireByteTime;
  for (const Reply& reply : module_.Receive(value, toolLineFree_)) {
    moduleLineFree_ = std::max(moduleLineFree_, reply.notBefore) + kWireByteTime;
    incoming_.push_back({reply.value, moduleLineFree_});
  }
}

comm::Byte SimulatedPort::ReadByte() {
  RequireOpen();
  if (incoming_.empty() || incoming_.front().arrival > Now()) {
    throw core::Error(core::kErrCommOrFileOpen, core::kSourceCommError,
                      "Nothing to read from the " + device_ + ".");
  }
  const comm::Byte value = incoming_.front().value;
  incoming_.pop_front();
  ++bytesRead_;
  return value;
}

bool SimulatedPort::WaitForBytes(std::size_t count, Deadline deadline) {
  CheckNotLost();
  if (!open_) return false;
  if (!lineEvents_.empty() && module_.BytesReceived() > 0) return BytesWaiting() >= count;
  Time until = deadline;
  if (count > 0 && incoming_.size() >= count) until = std::min(until, incoming_[count - 1].arrival);
  const Time now = Now();
  if (until > now) clock_.DelayTimer(std::chrono::ceil<core::Clock::Duration>(until - now));
  return BytesWaiting() >= count;
}

std::optional<int> SimulatedPort::TakeLineEvent() {
  if (lineEvents_.empty() || module_.BytesReceived() == 0) return std::nullopt;
  const int code = lineEvents_.front();
  lineEvents_.pop_front();
  return code;
}

}  // namespace sim
