// What the table editor needs of the main window besides the grid and the chart.
#pragma once

namespace tables {

class TableWindow {
 public:
  virtual ~TableWindow() = default;
  virtual void SetPopUpPasteEnabled(bool enabled) = 0;
  // Places the grid and the chart in the window (the window's resize handler).
  virtual void FormResize() = 0;
};

}  // namespace tables
