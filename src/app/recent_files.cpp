#include "app/recent_files.h"

#include <algorithm>

#include "app/splash.h"

namespace app {

namespace {

std::string KeyOf(std::size_t index) { return "File" + std::to_string(index + 1); }

// Paths are compared and kept as absolute, normal paths: "a/../t.dat" is "t.dat".
std::filesystem::path Normal(const std::filesystem::path& file) {
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(file, error);
  return (error ? file : absolute).lexically_normal();
}

std::string WithAmpersandsDoubled(const std::string& text) {
  std::string doubled;
  for (const char c : text) {
    doubled += c;
    if (c == '&') doubled += '&';
  }
  return doubled;
}

}  // namespace

RecentFiles::RecentFiles(core::SettingsStore& settings) : settings_(&settings) {
  for (std::size_t i = 0; i < kRecentFilesCount; ++i) {
    const std::string stored =
        settings.GetSetting(kApplicationTitle, kRecentFilesSection, KeyOf(i), "");
    const std::filesystem::path file(stored);
    // A hand-edited store may hold blanks, relative paths or the same file twice.
    if (!file.is_absolute()) continue;
    if (std::find(files_.begin(), files_.end(), file.lexically_normal()) != files_.end()) continue;
    files_.push_back(file.lexically_normal());
  }
}

void RecentFiles::Add(const std::filesystem::path& file) {
  const std::filesystem::path normal = Normal(file);
  std::erase(files_, normal);
  files_.insert(files_.begin(), normal);
  if (files_.size() > kRecentFilesCount) files_.resize(kRecentFilesCount);
  Store();
}

void RecentFiles::Remove(const std::filesystem::path& file) {
  std::erase(files_, Normal(file));
  Store();
}

void RecentFiles::Store() {
  if (!settings_) return;
  for (std::size_t i = 0; i < kRecentFilesCount; ++i) {
    settings_->SaveSetting(kApplicationTitle, kRecentFilesSection, KeyOf(i),
                           i < files_.size() ? files_[i].string() : std::string());
  }
}

std::string RecentFileCaption(std::size_t index, const std::filesystem::path& file) {
  std::string caption = "&";
  caption += std::to_string(index + 1) + " " + WithAmpersandsDoubled(file.filename().string());
  caption += "  (" + WithAmpersandsDoubled(file.parent_path().string()) + ")";
  return caption;
}

}  // namespace app
