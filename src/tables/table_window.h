// What the table editor needs of the main window besides the grid and the chart.
#pragma once

namespace tables {

class TableWindow {
 public:
  virtual ~TableWindow() = default;
  virtual void SetPopUpPasteEnabled(bool enabled) = 0;
  // Opens the grid's context menu (Copy, Paste, Modify) at x, y in twips from the grid's
  // corner.
  virtual void ShowPopUpEdit3D(int x, int y) = 0;
  // Places the grid and the chart in the window (the window's resize handler).
  virtual void FormResize() = 0;
};

}  // namespace tables
