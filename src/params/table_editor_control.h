// What the conversion to the KQ edition needs of the main window's table editor.
#pragma once

namespace params {

class TableEditorControl {
 public:
  virtual ~TableEditorControl() = default;
  // Closes the table being edited, if any, without asking and without saving.
  virtual void CloseTbl() = 0;
  // In-place editing of the grid and the chart's interaction switches.
  virtual void SetTableEditPermission(bool editable) = 0;
};

}  // namespace params
