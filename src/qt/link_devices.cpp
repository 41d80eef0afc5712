#include "qt/link_devices.h"

#include "sim/quillon_module.h"
#include "sim/simulated_port.h"

namespace qtui {

LinkDevices::LinkDevices(app::Session& session) : session_(session) {
  session_.settings = &settings_;
  session_.link.Attach(serial_, clock_);
}

LinkDevices::~LinkDevices() {
  session_.link.ClosePort();
  session_.settings = nullptr;
}

void LinkDevices::UsePortDevice(const std::string& device) {
  session_.link.ClosePort();
  session_.link.CommPortPath = device;
}

void LinkDevices::UseSerialPort() {
  if (!simulated_) return;
  session_.link.Attach(serial_, clock_);
  simulated_.reset();
  module_.reset();
}

void LinkDevices::UseSimulatedModule(sim::Edition edition) {
  session_.link.ClosePort();
  module_ = std::make_unique<sim::QuillonModule>(edition);
  simulated_ = std::make_unique<sim::SimulatedPort>(*module_, clock_);
  session_.link.Attach(*simulated_, clock_);
}

}  // namespace qtui
