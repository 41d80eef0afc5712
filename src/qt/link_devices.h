// What the module link uses in the desktop program: the precise clock, the serial port
// (or the built-in simulated module) and the per-user store of the port choice.
#pragma once

#include <memory>
#include <string>

#include "app/session.h"
#include "qt/qt_clock.h"
#include "qt/qt_serial_port.h"
#include "qt/qt_settings_store.h"
#include "sim/editions.h"

namespace sim {
class QuillonModule;
class SimulatedPort;
}  // namespace sim

namespace qtui {

class LinkDevices {
 public:
  // Attaches the serial port to the session's link and gives it the settings store.
  explicit LinkDevices(app::Session& session);
  ~LinkDevices();

  // For this run only: the stored choice stays as it is.
  void UsePortDevice(const std::string& device);
  void UseSimulatedModule(sim::Edition edition);
  // Back to the serial port, once the user has chosen one.
  void UseSerialPort();
  // The clock every transfer of the window runs on.
  QtClock& clock() { return clock_; }

 private:
  app::Session& session_;
  QtClock clock_;
  QtSerialPort serial_{clock_};
  QtSettingsStore settings_;
  std::unique_ptr<sim::QuillonModule> module_;
  std::unique_ptr<sim::SimulatedPort> simulated_;
};

}  // namespace qtui
