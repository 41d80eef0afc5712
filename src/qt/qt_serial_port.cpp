#include "qt/qt_serial_port.h"

#include <grp.h>
#include <linux/serial.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/failure.h"
#include "link/protocol.h"
#include "qt/qt_text.h"

namespace qtui {

namespace {

using core::PortError;
using core::PortFault;

// The group that owns the device, which the user must join to use it.
std::string OwningGroup(const std::string& device) {
  struct stat info {};
  if (::stat(device.c_str(), &info) != 0) return "dialout";
  const group* owner = ::getgrgid(info.st_gid);
  return owner ? owner->gr_name : "dialout";
}

PortError OpenFailure(const std::string& device, QSerialPort::SerialPortError error,
                      const std::string& reason) {
  switch (error) {
    case QSerialPort::DeviceNotFoundError:
      return {PortFault::NotFound, device};
    case QSerialPort::PermissionError:
      if (::access(device.c_str(), R_OK | W_OK) == 0) return {PortFault::InUse, device};
      return {PortFault::NoPermission, device, OwningGroup(device)};
    default:
      return {PortFault::CannotOpen, device, reason};
  }
}

// A USB adapter otherwise holds each reply for its latency timer (often 16 ms), which
// would make a transfer several times slower than the protocol allows. Drivers without
// the flag (pseudo-terminals among them) refuse the request, which is fine.
void AskForLowLatency(int handle) {
  serial_struct serial{};
  if (::ioctl(handle, TIOCGSERIAL, &serial) != 0) return;
  if ((serial.flags & ASYNC_LOW_LATENCY) != 0) return;
  serial.flags |= ASYNC_LOW_LATENCY;
  ::ioctl(handle, TIOCSSERIAL, &serial);
}

}  // namespace

QtSerialPort::QtSerialPort(QtClock& clock) : clock_(clock) {
  QObject::connect(&port_, &QSerialPort::readyRead, [this] { clock_.Wake(); });
  QObject::connect(&port_, &QSerialPort::errorOccurred,
                   [this](QSerialPort::SerialPortError error) { OnError(error); });
}

void QtSerialPort::SetPort(const std::string& device) {
  device_ = device;
  port_.setPortName(ToQString(device));
}

void QtSerialPort::Configure(const core::PortSettings& settings) {
  settings_ = settings;
  if (port_.isOpen()) ApplyLineSettings();
}

void QtSerialPort::Open() {
  lost_.reset();
  lineEvents_.clear();
  if (!port_.open(QIODevice::ReadWrite)) {
    const QSerialPort::SerialPortError error = port_.error();
    const std::string reason = ToStdString(port_.errorString());
    port_.clearError();
    throw OpenFailure(device_, error, reason);
  }
  AskForLowLatency(static_cast<int>(port_.handle()));
  ApplyLineSettings();
  counters_.reset();
  PollLineCounters();
}

void QtSerialPort::ApplyLineSettings() {
  // The module's rate is not a standard one: the driver must take it as a custom rate.
  if (!port_.setBaudRate(comm::kBaudRate) || port_.baudRate() != comm::kBaudRate) {
    port_.close();
    throw PortError(PortFault::RateRefused, device_);
  }
  const bool lineSet =
      port_.setDataBits(QSerialPort::Data8) && port_.setParity(QSerialPort::NoParity) &&
      port_.setStopBits(QSerialPort::OneStop) && port_.setFlowControl(QSerialPort::NoFlowControl);
  if (!lineSet) {
    const std::string reason = ToStdString(port_.errorString());
    port_.close();
    throw PortError(PortFault::LineSettingsRefused, device_, reason);
  }
  // Pseudo-terminals have no modem lines; the module does not need them to answer.
  if (!port_.setDataTerminalReady(settings_.dtrEnable)) port_.clearError();
  if (!port_.setRequestToSend(settings_.rtsEnable)) port_.clearError();
}

void QtSerialPort::Close() {
  if (port_.isOpen()) port_.close();
}

void QtSerialPort::OnError(QSerialPort::SerialPortError error) {
  // The port's error text may be left over from an earlier call (setting DTR on a
  // pseudo-terminal fails harmlessly), so the cause is told from the kind alone.
  const char* cause = nullptr;
  switch (error) {
    case QSerialPort::ResourceError:
      cause = "the device was unplugged or closed";
      break;
    case QSerialPort::ReadError:
      cause = "the device could not be read";
      break;
    case QSerialPort::WriteError:
      cause = "the device could not be written";
      break;
    default:
      return;
  }
  if (port_.isOpen()) {
    lost_ = cause;
    port_.close();
  }
  clock_.Wake();
}

void QtSerialPort::CheckNotLost() const {
  if (lost_) throw PortError(PortFault::Vanished, device_, *lost_);
}

void QtSerialPort::ClearReceiveBuffer() {
  CheckNotLost();
  if (port_.isOpen()) port_.clear(QSerialPort::Input);
}

std::size_t QtSerialPort::BytesWaiting() {
  CheckNotLost();
  return port_.isOpen() ? static_cast<std::size_t>(port_.bytesAvailable()) : 0;
}

void QtSerialPort::WriteByte(Byte value) {
  CheckNotLost();
  if (!port_.isOpen()) throw PortError(PortFault::Closed, device_);
  const char byte = static_cast<char>(value);
  if (port_.write(&byte, 1) != 1) {
    throw PortError(PortFault::WriteFailed, device_, ToStdString(port_.errorString()));
  }
  // Hands the byte to the driver now rather than at the next pass of the event loop.
  port_.flush();
  CheckNotLost();
}

QtSerialPort::Byte QtSerialPort::ReadByte() {
  CheckNotLost();
  char byte = 0;
  if (!port_.isOpen()) throw PortError(PortFault::Closed, device_);
  if (port_.read(&byte, 1) != 1) {
    throw core::Error(core::kErrCommOrFileOpen, core::kSourceCommError,
                      "Nothing to read from " + device_ + ".");
  }
  return static_cast<Byte>(byte);
}

bool QtSerialPort::WaitForBytes(std::size_t count, Deadline deadline) {
  CheckNotLost();
  if (!port_.isOpen()) return false;
  clock_.WaitUntil(
      deadline,
      [&] {
        return lost_ || !port_.isOpen() ||
               static_cast<std::size_t>(port_.bytesAvailable()) >= count;
      },
      static_cast<int>(port_.handle()));
  CheckNotLost();
  PollLineCounters();
  return port_.isOpen() && static_cast<std::size_t>(port_.bytesAvailable()) >= count;
}

void QtSerialPort::PollLineCounters() {
  if (!port_.isOpen()) return;
  serial_icounter_struct now{};
  if (::ioctl(static_cast<int>(port_.handle()), TIOCGICOUNT, &now) != 0) return;
  const Counters current{now.frame, now.overrun, now.buf_overrun, now.parity};
  if (counters_) {
    if (current.frame != counters_->frame) lineEvents_.push_back(core::kEventFramingError);
    if (current.overrun != counters_->overrun) lineEvents_.push_back(core::kEventHardwareOverrun);
    if (current.bufferOverrun != counters_->bufferOverrun) {
      lineEvents_.push_back(core::kEventReceiveOverflow);
    }
    if (current.parity != counters_->parity) lineEvents_.push_back(core::kEventParityError);
  }
  counters_ = current;
}

std::optional<int> QtSerialPort::TakeLineEvent() {
  if (lineEvents_.empty()) return std::nullopt;
  const int code = lineEvents_.front();
  lineEvents_.pop_front();
  return code;
}

}  // namespace qtui
