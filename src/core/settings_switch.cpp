#include "core/settings_switch.h"

namespace core {

namespace {

constexpr const char* kOn = "1";
constexpr const char* kOff = "0";

}  // namespace

bool SwitchIsOn(SettingsStore& settings, const std::string& application, const std::string& section,
                const std::string& key) {
  return settings.GetSetting(application, section, key, kOn) != kOff;
}

void SaveSwitch(SettingsStore& settings, const std::string& application, const std::string& section,
                const std::string& key, bool on) {
  settings.SaveSetting(application, section, key, on ? kOn : kOff);
}

}  // namespace core
