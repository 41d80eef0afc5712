#include "tables/view_options.h"

#include "core/settings_switch.h"

namespace tables {

namespace {

constexpr const char* kApplication = "Ventrel";
constexpr const char* kSection = "View";
constexpr const char* kHeatMapKey = "HeatMapColours";
constexpr const char* kShowChangesKey = "ShowChanges";

}  // namespace

void LoadViewOptions(TableEditor& editor, core::SettingsStore& settings) {
  editor.SetHeatMap(core::SwitchIsOn(settings, kApplication, kSection, kHeatMapKey));
  editor.SetShowChanges(core::SwitchIsOn(settings, kApplication, kSection, kShowChangesKey));
}

void SaveViewOptions(const TableEditor& editor, core::SettingsStore& settings) {
  core::SaveSwitch(settings, kApplication, kSection, kHeatMapKey, editor.HeatMap());
  core::SaveSwitch(settings, kApplication, kSection, kShowChangesKey, editor.ShowChanges());
}

}  // namespace tables
