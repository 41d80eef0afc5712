#include "qt/link_devices.h"

#include "app/simulated_module.h"
#include "link/port_setup.h"
#include "sim/quillon_module.h"
#include "sim/simulated_port.h"

namespace qtui {

LinkDevices::LinkDevices(comm::Link& link) : link_(link) { link_.Attach(serial_, clock_); }

LinkDevices::~LinkDevices() { link_.ClosePort(); }

void LinkDevices::Use(const app::ModuleTarget& target) {
  if (target.simulated) {
    UseSimulatedModule(*target.simulated);
  } else if (target.device) {
    UsePortDevice(*target.device);
  } else {
    comm::LoadPortChoice(link_, settings_);
  }
}

void LinkDevices::UsePortDevice(const std::string& device) {
  UseSerialPort();
  link_.ClosePort();
  link_.CommPortPath = device;
}

void LinkDevices::UseSerialPort() {
  if (!simulated_) return;
  link_.Attach(serial_, clock_);
  simulated_.reset();
  module_.reset();
}

void LinkDevices::UseSimulatedModule(sim::Edition edition, core::Clock* moduleClock) {
  link_.ClosePort();
  core::Clock& clock = moduleClock ? *moduleClock : clock_;
  module_ = std::make_unique<sim::QuillonModule>(edition, sim::Faults{},
                                                 app::SimulatedModuleContents(edition));
  simulated_ = std::make_unique<sim::SimulatedPort>(*module_, clock);
  link_.Attach(*simulated_, clock);
}

}  // namespace qtui
