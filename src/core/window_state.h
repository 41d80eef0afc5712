// The main window's title strings and the one menu command whose visibility follows
// the data in memory; the caption is rebuilt from them on the window.
#pragma once

#include <string>

#include "core/version.h"

namespace core {

// What the window state needs of the main window.
class WindowView {
 public:
  virtual ~WindowView() = default;
  virtual void SetCaption(const std::string& caption) = 0;
  virtual void SetRetardTableCommandVisible(bool visible) = 0;
};

inline constexpr const char* kDesignCaption = "Ventrel Version " VENTREL_VERSION;

class WindowState {
 public:
  explicit WindowState(WindowView& view) : view_(view) {}

  std::string WindowTitle = kDesignCaption;
  std::string DataSourceText;

  // Start-up caption: the short company label, a blank, the title. Without a label
  // the caption is the title alone.
  void ShowStartupCaption(const std::string& companyLabel);

  // WindowTitle - DataSourceText, and " - " and the table's name while one is open.
  void SetDataSourceText(const std::string& text);
  void SetOpenTableName(const std::string& tableName);
  void ClearOpenTableName();
  std::string Caption() const;

  bool RetardTableCommandVisible() const { return retardTableCommandVisible_; }
  void SetRetardTableCommandVisible(bool visible);

 private:
  void RebuildCaption();

  WindowView& view_;
  std::string openTableName_;
  bool retardTableCommandVisible_ = false;
};

}  // namespace core
