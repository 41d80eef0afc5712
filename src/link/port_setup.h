// Choosing the serial port: the list the user picks from, the stored choice under
// "Ventrel" / "Properties" / "CommPort", and what picking an item does.
#pragma once

#include <string>
#include <vector>

#include "core/host.h"
#include "link/link.h"

namespace comm {

inline constexpr int kComPortCount = 255;
inline constexpr const char* kSettingsApplication = "Ventrel";
inline constexpr const char* kSettingsSection = "Properties";
inline constexpr const char* kSettingsKey = "CommPort";
inline constexpr const char* kPortSetupTitle = "Port Setup";

// "Com1" .. "Com255", then each detected device that is not one of them, in order.
std::vector<std::string> PortList(const std::vector<std::string>& detectedDevices);

// The list item that stands for the link's current choice.
std::string PortItem(const Link& link);

// Start-up: the stored choice (a number 1..255, or the path of an existing device);
// anything else, or nothing stored, gives Com1.
void LoadPortChoice(Link& link, core::SettingsStore& settings);

// cboPort_Click with the item picked or the text typed: sets the choice, stores it and
// closes the port so that the next command opens the new one. False, after saying
// why, when the text names no port.
bool SelectPort(Link& link, core::SettingsStore& settings, core::Host& host,
                const std::string& item);

}  // namespace comm
