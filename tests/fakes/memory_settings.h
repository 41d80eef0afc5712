// A settings store held in memory.
#pragma once

#include <map>
#include <string>
#include <tuple>

#include "core/host.h"

namespace fakes {

class MemorySettings : public core::SettingsStore {
 public:
  std::string GetSetting(const std::string& application, const std::string& section,
                         const std::string& key, const std::string& defaultValue) override {
    const auto found = values.find({application, section, key});
    return found == values.end() ? defaultValue : found->second;
  }
  void SaveSetting(const std::string& application, const std::string& section,
                   const std::string& key, const std::string& value) override {
    values[{application, section, key}] = value;
  }

  std::map<std::tuple<std::string, std::string, std::string>, std::string> values;
};

}  // namespace fakes
