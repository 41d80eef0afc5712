#include "app/data_folder.h"

#include "tables/chart_template.h"

namespace app {

std::filesystem::path DataFolder(const std::filesystem::path& executableFolder) {
  std::error_code error;
  const std::filesystem::path marker =
      tables::ChartTemplateFileName(tables::TableKind::Fuel, false);
  if (std::filesystem::exists(executableFolder / marker, error)) return executableFolder;
  std::filesystem::path installed =
      (executableFolder / ".." / kInstalledDataFolder).lexically_normal();
  if (std::filesystem::is_directory(installed, error)) return installed;
  return executableFolder;
}

}  // namespace app
