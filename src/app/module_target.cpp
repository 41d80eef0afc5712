#include "app/module_target.h"

#include "core/editions.h"

namespace app {

namespace {

constexpr std::string_view kPortOption = "--port";
constexpr std::string_view kSimulateOption = "--simulate";

}  // namespace

std::optional<ModuleTarget> TakeModuleTarget(std::vector<std::string>& arguments,
                                             std::string& error) {
  ModuleTarget target;
  std::vector<std::string> rest;
  const std::string portPrefix = std::string(kPortOption) + "=";
  const std::string simulatePrefix = std::string(kSimulateOption) + "=";
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    std::optional<std::string> edition;
    if (argument == kPortOption) {
      if (i + 1 >= arguments.size() || arguments[i + 1].empty()) {
        error = "--port needs a device, e.g. --port /dev/ttyUSB0";
        return std::nullopt;
      }
      target.device = arguments[++i];
    } else if (argument.starts_with(portPrefix)) {
      target.device = argument.substr(portPrefix.size());
      if (target.device->empty()) {
        error = "--port needs a device, e.g. --port=/dev/ttyUSB0";
        return std::nullopt;
      }
    } else if (argument == kSimulateOption) {
      edition = std::string(core::kDefaultSimulatedEdition);
    } else if (argument.starts_with(simulatePrefix)) {
      edition = argument.substr(simulatePrefix.size());
    } else {
      rest.push_back(argument);
    }
    if (edition) {
      target.simulated = sim::ParseEdition(*edition);
      if (!target.simulated) {
        error = "unknown edition \"" + *edition + "\" (vosk, kq, ql2-vosk, ql2-kq or jx)";
        return std::nullopt;
      }
    }
  }
  if (target.device && target.simulated) {
    error = "give either --port or --simulate, not both";
    return std::nullopt;
  }
  arguments = std::move(rest);
  return target;
}

}  // namespace app
