#include "core/window_state.h"

namespace core {

namespace {
constexpr const char* kCaptionSeparator = " - ";
}

void WindowState::ShowStartupCaption(const std::string& companyLabel) {
  view_.SetCaption(companyLabel.empty() ? WindowTitle : companyLabel + " " + WindowTitle);
}

void WindowState::SetDataSourceText(const std::string& text) {
  DataSourceText = text;
  RebuildCaption();
}

void WindowState::SetOpenTableName(const std::string& tableName) {
  openTableName_ = tableName;
  RebuildCaption();
}

void WindowState::ClearOpenTableName() {
  openTableName_.clear();
  RebuildCaption();
}

std::string WindowState::Caption() const {
  std::string caption = WindowTitle + kCaptionSeparator + DataSourceText;
  if (!openTableName_.empty()) caption += kCaptionSeparator + openTableName_;
  return caption;
}

void WindowState::SetRetardTableCommandVisible(bool visible) {
  retardTableCommandVisible_ = visible;
  view_.SetRetardTableCommandVisible(visible);
}

void WindowState::RebuildCaption() { view_.SetCaption(Caption()); }

}  // namespace core
