// The serial port of the program: QSerialPort at 56000 baud, with the link's waits in
// the program's event loop and the line's error counters reported as line events.
#pragma once

#include <QSerialPort>
#include <deque>
#include <optional>
#include <string>

#include "core/serial_port.h"
#include "qt/qt_clock.h"

namespace qtui {

class QtSerialPort : public core::SerialPort {
 public:
  explicit QtSerialPort(QtClock& clock);

  void SetPort(const std::string& device) override;
  std::string Port() const override { return device_; }
  void Configure(const core::PortSettings& settings) override;
  void Open() override;
  void Close() override;
  bool IsOpen() const override { return port_.isOpen(); }
  void ClearReceiveBuffer() override;
  std::size_t BytesWaiting() override;
  void WriteByte(Byte value) override;
  Byte ReadByte() override;
  bool WaitForBytes(std::size_t count, Deadline deadline) override;
  std::optional<int> TakeLineEvent() override;

 private:
  void ApplyLineSettings();
  void OnError(QSerialPort::SerialPortError error);
  // Throws when the port went away under the link.
  void CheckNotLost() const;
  void PollLineCounters();

  QtClock& clock_;
  QSerialPort port_;
  std::string device_;
  core::PortSettings settings_;
  // Why the port went away under the link, once it has.
  std::optional<std::string> lost_;
  std::deque<int> lineEvents_;
  // The driver's error counters when last read; absent where the driver has none.
  struct Counters {
    int frame = 0;
    int overrun = 0;
    int bufferOverrun = 0;
    int parity = 0;
  };
  std::optional<Counters> counters_;
};

}  // namespace qtui
