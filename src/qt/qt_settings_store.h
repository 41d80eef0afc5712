// The per-user settings store on Linux, under the organisation "Ventrel".
#pragma once

#include "core/host.h"

namespace qtui {

class QtSettingsStore : public core::SettingsStore {
 public:
  std::string GetSetting(const std::string& application, const std::string& section,
                         const std::string& key, const std::string& defaultValue) override;
  void SaveSetting(const std::string& application, const std::string& section,
                   const std::string& key, const std::string& value) override;
};

}  // namespace qtui
