#include "link/port_setup.h"

#include <charconv>
#include <filesystem>

#include "core/error_prompt.h"
#include "core/text.h"

namespace comm {

namespace {

constexpr const char* kComPrefix = "COM";
constexpr std::string_view kComDevicePrefix = "/dev/ttyS";

std::string ComItem(int number) { return "Com" + std::to_string(number); }

// The port number of "Com12" (any letter case) or of "12"; 0 when it is neither.
int ComNumber(std::string_view text) {
  if (core::ToUpperAscii(text.substr(0, 3)) == kComPrefix) text.remove_prefix(3);
  int number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (error != std::errc() || end != text.data() + text.size()) return 0;
  return number >= 1 && number <= kComPortCount ? number : 0;
}

// "/dev/ttyS11" is the list's Com12; 0 for any other device.
int ComNumberOfDevice(std::string_view device) {
  if (!device.starts_with(kComDevicePrefix)) return 0;
  const std::string_view index = device.substr(kComDevicePrefix.size());
  int value = -1;
  const auto [end, error] = std::from_chars(index.data(), index.data() + index.size(), value);
  if (index.empty() || error != std::errc() || end != index.data() + index.size()) return 0;
  return value >= 0 && value < kComPortCount ? value + 1 : 0;
}

bool DeviceExists(const std::string& path) {
  std::error_code error;
  return std::filesystem::exists(path, error);
}

}  // namespace

std::vector<std::string> PortList(const std::vector<std::string>& detectedDevices) {
  std::vector<std::string> items;
  items.reserve(kComPortCount + detectedDevices.size());
  for (int number = 1; number <= kComPortCount; ++number) items.push_back(ComItem(number));
  for (const std::string& device : detectedDevices) {
    if (ComNumberOfDevice(device) == 0) items.push_back(device);
  }
  return items;
}

std::string PortItem(const Link& link) {
  return link.CommPortPath.empty() ? ComItem(link.CommPortNumber) : link.CommPortPath;
}

void LoadPortChoice(Link& link, core::SettingsStore& settings) {
  const std::string stored =
      settings.GetSetting(kSettingsApplication, kSettingsSection, kSettingsKey, "1");
  link.CommPortNumber = 1;
  link.CommPortPath.clear();
  const bool digitsOnly =
      !stored.empty() && stored.find_first_not_of("0123456789") == std::string::npos;
  if (const int number = digitsOnly ? ComNumber(stored) : 0; number > 0) {
    link.CommPortNumber = static_cast<std::int16_t>(number);
  } else if (stored.starts_with('/') && DeviceExists(stored)) {
    link.CommPortPath = stored;
  }
}

bool SelectPort(Link& link, core::SettingsStore& settings, core::Host& host,
                const std::string& item) {
  int number = ComNumber(item);
  if (number == 0) number = ComNumberOfDevice(item);
  if (number == 0 && !item.starts_with('/')) {
    host.MsgBox("There is no serial port \"" + item +
                    "\". Pick a port from the list, or type the path of a serial device such as "
                    "/dev/ttyUSB0.",
                kPortSetupTitle, core::Buttons::OK, core::Icon::Exclamation);
    return false;
  }
  core::RunSteps(host,
                 {
                     [&] {
                       link.CommPortNumber = static_cast<std::int16_t>(number > 0 ? number : 1);
                       link.CommPortPath = number > 0 ? std::string() : item;
                     },
                     [&] {
                       settings.SaveSetting(kSettingsApplication, kSettingsSection, kSettingsKey,
                                            number > 0 ? std::to_string(number) : item);
                     },
                     [&] { link.ClosePort(); },
                 });
  return true;
}

}  // namespace comm
