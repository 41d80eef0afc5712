// The data files last opened or saved, newest first, for the File menu's Open Recent.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "core/host.h"

namespace app {

inline constexpr std::size_t kRecentFilesCount = 8;
inline constexpr const char* kRecentFilesSection = "Recent Files";

class RecentFiles {
 public:
  // A list that lasts for the run only.
  RecentFiles() = default;
  // The list stored for the user; every change is stored again at once.
  explicit RecentFiles(core::SettingsStore& settings);

  // Puts the file first: one already listed moves up, and the oldest beyond eight drops off.
  void Add(const std::filesystem::path& file);
  void Remove(const std::filesystem::path& file);
  const std::vector<std::filesystem::path>& Files() const { return files_; }

 private:
  void Store();

  core::SettingsStore* settings_ = nullptr;
  std::vector<std::filesystem::path> files_;
};

// The menu item of entry index (from 0): its number as access key, the file's name and
// its folder, with the "&" of names doubled so that it shows as written.
std::string RecentFileCaption(std::size_t index, const std::filesystem::path& file);

}  // namespace app
