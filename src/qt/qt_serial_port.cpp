#include "qt/qt_serial_port.h"

#include <grp.h>
#include <linux/serial.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/failure.h"
#include "qt/qt_text.h"

namespace qtui {

namespace {

// The group that owns the device, which the user must join to use it.
std::string OwningGroup(const std::string& device) {
  struct stat info {};
  if (::stat(device.c_str(), &info) != 0) return "dialout";
  const group* owner = ::getgrgid(info.st_gid);
  return owner ? owner->gr_name : "dialout";
}

std::string OpenFailureText(const std::string& device, QSerialPort::SerialPortError error,
                            const std::string& reason) {
  switch (error) {
    case QSerialPort::DeviceNotFoundError:
      return "The serial port " + device +
             " does not exist. Plug in the cable or adapter, or choose another port in "
             "Communications > Port Setup, then click Retry.";
    case QSerialPort::PermissionError:
      if (::access(device.c_str(), R_OK | W_OK) == 0) {
        return "The serial port " + device +
               " is in use by another program. Close that program, then click Retry.";
      }
      return "You have no permission to use the serial port " + device +
             ". Add your user to the group \"" + OwningGroup(device) + "\" (sudo adduser $USER " +
             OwningGroup(device) + "), log in again, and start Ventrel once more.";
    default:
      return "Cannot open the serial port " + device + ": " + reason +
             ". Check the port in Communications > Port Setup, then click Retry.";
  }
}

}  // namespace

QtSerialPort::QtSerialPort(QtClock& clock) : clock_(clock) {
  QObject::connect(&port_, &QSerialPort::readyRead, [this] { clock_.Wake(); });
  QObject::connect(&port_, &QSerialPort::errorOccurred,
                   [this](QSerialPort::SerialPortError error) { OnError(error); });
}

void QtSerialPort::Fail(const std::string& description) const {
  throw core::Error(core::kErrCommOrFileOpen, core::kSourceCommError, description);
}

void QtSerialPort::SetPort(const std::string& device) {
  device_ = device;
  port_.setPortName(ToQString(device));
}

void QtSerialPort::Configure(const comm::PortSettings& settings) {
  settings_ = settings;
  if (port_.isOpen()) ApplyLineSettings();
}

void QtSerialPort::Open() {
  lostReason_.clear();
  lineEvents_.clear();
  if (!port_.open(QIODevice::ReadWrite)) {
    const QSerialPort::SerialPortError error = port_.error();
    const std::string reason = ToStdString(port_.errorString());
    port_.clearError();
    Fail(OpenFailureText(device_, error, reason));
  }
  ApplyLineSettings();
  counters_.reset();
  PollLineCounters();
}

void QtSerialPort::ApplyLineSettings() {
  // The module's rate is not a standard one: the driver must take it as a custom rate.
  if (!port_.setBaudRate(comm::kBaudRate) || port_.baudRate() != comm::kBaudRate) {
    port_.close();
    Fail("The serial adapter on " + device_ + " does not accept " +
         std::to_string(comm::kBaudRate) +
         " baud, the module's rate. Use a port or adapter whose driver supports custom baud "
         "rates.");
  }
  const bool lineSet =
      port_.setDataBits(QSerialPort::Data8) && port_.setParity(QSerialPort::NoParity) &&
      port_.setStopBits(QSerialPort::OneStop) && port_.setFlowControl(QSerialPort::NoFlowControl);
  if (!lineSet) {
    const std::string reason = ToStdString(port_.errorString());
    port_.close();
    Fail("Cannot set " + std::string(comm::kLineSettings) + " on " + device_ + ": " + reason + ".");
  }
  // Pseudo-terminals have no modem lines; the module does not need them to answer.
  if (!port_.setDataTerminalReady(settings_.dtrEnable)) port_.clearError();
  if (!port_.setRequestToSend(settings_.rtsEnable)) port_.clearError();
}

void QtSerialPort::Close() {
  if (port_.isOpen()) port_.close();
}

void QtSerialPort::OnError(QSerialPort::SerialPortError error) {
  switch (error) {
    case QSerialPort::ResourceError:
    case QSerialPort::ReadError:
    case QSerialPort::WriteError:
      if (port_.isOpen()) {
        lostReason_ = ToStdString(port_.errorString());
        port_.close();
      }
      clock_.Wake();
      break;
    default:
      break;
  }
}

void QtSerialPort::CheckNotLost() const {
  if (lostReason_.empty()) return;
  Fail("The serial port " + device_ + " stopped working (" + lostReason_ +
       "). Check that the cable or adapter is still plugged in, then click Retry.");
}

void QtSerialPort::ClearReceiveBuffer() {
  CheckNotLost();
  if (port_.isOpen()) port_.clear(QSerialPort::Input);
}

std::size_t QtSerialPort::BytesWaiting() {
  CheckNotLost();
  return port_.isOpen() ? static_cast<std::size_t>(port_.bytesAvailable()) : 0;
}

void QtSerialPort::WriteByte(comm::Byte value) {
  CheckNotLost();
  if (!port_.isOpen()) Fail("Cannot write to " + device_ + ": the port is closed.");
  const char byte = static_cast<char>(value);
  if (port_.write(&byte, 1) != 1) {
    Fail("Cannot write to " + device_ + ": " + ToStdString(port_.errorString()) + ".");
  }
  // Hands the byte to the driver now rather than at the next pass of the event loop.
  port_.flush();
  CheckNotLost();
}

comm::Byte QtSerialPort::ReadByte() {
  CheckNotLost();
  char byte = 0;
  if (!port_.isOpen() || port_.read(&byte, 1) != 1) {
    Fail("Nothing to read from " + device_ + ".");
  }
  return static_cast<comm::Byte>(byte);
}

bool QtSerialPort::WaitForBytes(std::size_t count, Deadline deadline) {
  CheckNotLost();
  if (!port_.isOpen()) return false;
  clock_.WaitUntil(deadline, [&] {
    return !lostReason_.empty() || !port_.isOpen() ||
           static_cast<std::size_t>(port_.bytesAvailable()) >= count;
  });
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
    if (current.frame != counters_->frame) lineEvents_.push_back(comm::kEventFramingError);
    if (current.overrun != counters_->overrun) lineEvents_.push_back(comm::kEventHardwareOverrun);
    if (current.bufferOverrun != counters_->bufferOverrun) {
      lineEvents_.push_back(comm::kEventReceiveOverflow);
    }
    if (current.parity != counters_->parity) lineEvents_.push_back(comm::kEventParityError);
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
