// What the main window's status bar tells: the edition of the data in memory, where they
// came from, the module link in use, and whether there are changes not saved in a file.
#pragma once

#include <string>

#include "app/session.h"

namespace app {

inline constexpr const char* kNoDataText = "No data";
inline constexpr const char* kUnknownEditionText = "Unknown edition";
inline constexpr const char* kSimulatedModuleText = "Simulated module";
inline constexpr const char* kUnsavedChangesText = "Unsaved changes";

struct StatusTexts {
  std::string edition;
  std::string source;
  std::string port;
  // Empty while everything is saved.
  std::string changes;
  bool operator==(const StatusTexts&) const = default;
};

// simulatedModule: the link talks to the built-in simulated module, not a serial port.
StatusTexts StatusTextsFor(const Session& session, bool simulatedModule);

}  // namespace app
