#include "cli/module_target.h"

#include "cli/port_advice.h"
#include "link/port_setup.h"
#include "qt/qt_serial_port.h"
#include "qt/qt_settings_store.h"
#include "sim/quillon_module.h"
#include "sim/simulated_port.h"

namespace cli {

namespace {

constexpr std::string_view kPortOption = "--port";
constexpr std::string_view kSimulateOption = "--simulate";

}  // namespace

std::optional<ModuleTarget> TakeModuleTarget(std::vector<std::string>& arguments,
                                             std::string& error) {
  ModuleTarget target;
  std::vector<std::string> rest;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == kPortOption && i + 1 < arguments.size()) {
      target.device = arguments[++i];
    } else if (argument.starts_with(std::string(kPortOption) + "=")) {
      target.device = argument.substr(kPortOption.size() + 1);
    } else if (argument == kSimulateOption) {
      target.simulated = sim::Edition::JX;
    } else if (argument.starts_with(std::string(kSimulateOption) + "=")) {
      const std::string name = argument.substr(kSimulateOption.size() + 1);
      target.simulated = sim::ParseEdition(name);
      if (!target.simulated) {
        error = "unknown edition \"" + name + "\"";
        return std::nullopt;
      }
    } else if (argument == kPortOption) {
      error = "--port needs a device";
      return std::nullopt;
    } else {
      rest.push_back(argument);
    }
  }
  if (target.device && target.simulated) {
    error = "give either --port or --simulate, not both";
    return std::nullopt;
  }
  arguments = std::move(rest);
  return target;
}

ModuleConnection::ModuleConnection(const ModuleTarget& target, core::Host& host, bool& abortFlag)
    : link_(host, abortFlag) {
  if (target.simulated) {
    module_ = std::make_unique<sim::QuillonModule>(*target.simulated);
    port_ = std::make_unique<sim::SimulatedPort>(*module_, clock_);
  } else {
    port_ = std::make_unique<qtui::QtSerialPort>(clock_);
  }
  link_.Attach(*port_, clock_);
  link_.SetPortAdvice(CommandLinePortAdvice);
  if (target.device) {
    link_.CommPortPath = *target.device;
  } else if (!target.simulated) {
    qtui::QtSettingsStore settings;
    comm::LoadPortChoice(link_, settings);
  }
}

ModuleConnection::~ModuleConnection() { link_.ClosePort(); }

}  // namespace cli
