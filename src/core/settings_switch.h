// On/off choices the user makes once and the program remembers: kept as "1" and "0" in
// the settings store, on unless the user turned them off.
#pragma once

#include <string>

#include "core/host.h"

namespace core {

bool SwitchIsOn(SettingsStore& settings, const std::string& application, const std::string& section,
                const std::string& key);
void SaveSwitch(SettingsStore& settings, const std::string& application, const std::string& section,
                const std::string& key, bool on);

}  // namespace core
