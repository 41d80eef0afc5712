// What the parameter dialogs need of the main window's table editor: the conversion to
// the KQ edition closes the table, and OK is one step of the editing history.
#pragma once

#include <functional>
#include <string_view>

namespace params {

class TableEditorControl {
 public:
  virtual ~TableEditorControl() = default;
  // Closes the table being edited, if any, without asking and without saving.
  virtual void CloseTbl() = 0;
  // In-place editing of the grid and the chart's interaction switches.
  virtual void SetTableEditPermission(bool editable) = 0;
  // Runs change as one undo step named name; without a history it just runs.
  virtual void RecordChange(std::string_view /*name*/, const std::function<void()>& change) {
    change();
  }
  // The conversion is final: nothing before it can be undone.
  virtual void StartHistoryAfresh() {}
};

}  // namespace params
