// A serial port between the link and the simulated module that spoils one byte on the
// line: a byte the tool sends is lost or changed, or a byte it receives is changed.
#pragma once

#include <cstddef>

#include "link/serial_port.h"

namespace transfertest {

enum class LineFault { LoseSent, ChangeSent, ChangeReceived };

class FaultyPort : public comm::SerialPort {
 public:
  // The fault hits the byte with index at (from 0) in its direction; mask is XORed into
  // a changed byte and must not be 0.
  FaultyPort(comm::SerialPort& line, LineFault fault, std::size_t at, comm::Byte mask)
      : line_(line), fault_(fault), at_(at), mask_(mask) {}

  void SetPort(const std::string& device) override { line_.SetPort(device); }
  std::string Port() const override { return line_.Port(); }
  void Configure(const comm::PortSettings& settings) override { line_.Configure(settings); }
  void Open() override { line_.Open(); }
  void Close() override { line_.Close(); }
  bool IsOpen() const override { return line_.IsOpen(); }
  void ClearReceiveBuffer() override { line_.ClearReceiveBuffer(); }
  std::size_t BytesWaiting() override { return line_.BytesWaiting(); }
  void WriteByte(comm::Byte value) override {
    const bool hit = sent_++ == at_;
    if (hit && fault_ == LineFault::LoseSent) return;
    line_.WriteByte(hit && fault_ == LineFault::ChangeSent ? value ^ mask_ : value);
  }
  comm::Byte ReadByte() override {
    const comm::Byte value = line_.ReadByte();
    const bool hit = received_++ == at_ && fault_ == LineFault::ChangeReceived;
    return hit ? value ^ mask_ : value;
  }
  bool WaitForBytes(std::size_t count, Deadline deadline) override {
    return line_.WaitForBytes(count, deadline);
  }
  std::optional<int> TakeLineEvent() override { return line_.TakeLineEvent(); }

 private:
  comm::SerialPort& line_;
  LineFault fault_;
  std::size_t at_;
  comm::Byte mask_;
  std::size_t sent_ = 0;
  std::size_t received_ = 0;
};

}  // namespace transfertest
