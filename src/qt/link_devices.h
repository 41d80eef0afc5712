// What connects a module link to a module, for the desktop program, ventrel-cli and the
// benchmarks alike: the serial port on the program's precise clock, or the built-in
// simulated module, and the per-user store of the port choice.
#pragma once

#include <memory>
#include <string>

#include "app/module_target.h"
#include "link/link.h"
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
  // Attaches the serial port to the link; the stored port choice is not read here.
  explicit LinkDevices(comm::Link& link);
  ~LinkDevices();
  LinkDevices(const LinkDevices&) = delete;
  LinkDevices& operator=(const LinkDevices&) = delete;

  // A target from the command line, or else the port chosen in Port Setup.
  void Use(const app::ModuleTarget& target);
  // For this run only: the stored choice stays as it is.
  void UsePortDevice(const std::string& device);
  // moduleClock runs the simulated module instead of the program's clock (a benchmark's
  // protocol floor).
  void UseSimulatedModule(sim::Edition edition, core::Clock* moduleClock = nullptr);
  // Back to the serial port, once the user has chosen one.
  void UseSerialPort();

  QtClock& clock() { return clock_; }
  core::SettingsStore& settings() { return settings_; }
  // The simulated module in use, or nothing on a serial port.
  sim::QuillonModule* simulatedModule() { return module_.get(); }

 private:
  comm::Link& link_;
  QtClock clock_;
  QtSerialPort serial_{clock_};
  QtSettingsStore settings_;
  std::unique_ptr<sim::QuillonModule> module_;
  std::unique_ptr<sim::SimulatedPort> simulated_;
};

}  // namespace qtui
