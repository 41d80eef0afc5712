// What the table editor does when the grid reports an edit, a move of the current cell
// or a mouse press: it checks entries, charts accepted ones, marks the current cell and
// opens the context menu.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "core/host.h"
#include "core/module_image.h"
#include "tables/cell_paint.h"
#include "tables/chart.h"
#include "tables/grid.h"
#include "tables/table_map.h"
#include "tables/table_window.h"

namespace tables {

inline constexpr int kRightButton = 2;

class CellEditing : public GridEvents {
 public:
  // The names and buffers are the table editor's own, read as they change.
  CellEditing(const core::ModuleImage& image, const std::string& activeTableName,
              const std::string& copyBuffer, core::Host& host, const CellPainter& painter);

  void Attach(Grid& grid, Chart& chart, TableWindow& window);

  // Told of each committed entry, once it is charted, with the text and chart height the
  // cell had before it.
  using EntryListener =
      std::function<void(int row, int col, const std::string& before, double heightBefore)>;
  void SetEntryListener(EntryListener listener) { entryListener_ = std::move(listener); }

  // Paste is offered while a copy was made or the clipboard holds text. True when offered.
  bool UpdatePopUpPaste();

  void ValidateEdit(int row, int col, bool& cancel) override;
  void AfterEdit(int row, int col) override;
  void LeaveCell(int oldRow, int oldCol, int newRow, int newCol, bool& cancel) override;
  void EnterCell(int oldRow, int oldCol, int newRow, int newCol) override;
  void MouseDown(int button, int shift, int x, int y) override;

 private:
  std::optional<TableKind> ActiveKind() const;
  // The event's work, with any failure sent to the error prompt; false when it failed.
  bool Guarded(const std::function<void()>& work);

  const core::ModuleImage& image_;
  const std::string& activeTableName_;
  const std::string& copyBuffer_;
  core::Host& host_;
  const CellPainter& painter_;
  EntryListener entryListener_;
  // The cell's text when its entry was accepted, before the grid commits it.
  std::string entryBefore_;
  double heightBefore_ = 0;
  Grid* grid_ = nullptr;
  Chart* chart_ = nullptr;
  TableWindow* window_ = nullptr;
};

}  // namespace tables
