#include "tables/view_options.h"

namespace tables {

namespace {

constexpr const char* kApplication = "Ventrel";
constexpr const char* kSection = "View";
constexpr const char* kHeatMapKey = "HeatMapColours";
constexpr const char* kShowChangesKey = "ShowChanges";
constexpr const char* kOn = "1";
constexpr const char* kOff = "0";

bool Read(core::SettingsStore& settings, const char* key) {
  return settings.GetSetting(kApplication, kSection, key, kOn) != kOff;
}

}  // namespace

void LoadViewOptions(TableEditor& editor, core::SettingsStore& settings) {
  editor.SetHeatMap(Read(settings, kHeatMapKey));
  editor.SetShowChanges(Read(settings, kShowChangesKey));
}

void SaveViewOptions(const TableEditor& editor, core::SettingsStore& settings) {
  settings.SaveSetting(kApplication, kSection, kHeatMapKey, editor.HeatMap() ? kOn : kOff);
  settings.SaveSetting(kApplication, kSection, kShowChangesKey, editor.ShowChanges() ? kOn : kOff);
}

}  // namespace tables
