// The table editor: at most one trim table open in the grid beside its 3D chart, and
// the commands that open, save into the FLASH image, close and copy tables.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "core/host.h"
#include "core/module_image.h"
#include "core/window_state.h"
#include "tables/cell_editing.h"
#include "tables/cell_paint.h"
#include "tables/chart.h"
#include "tables/chart_data.h"
#include "tables/edit_history.h"
#include "tables/edit_snapshot.h"
#include "tables/fill_commands.h"
#include "tables/grid.h"
#include "tables/table_from_image.h"
#include "tables/table_map.h"
#include "tables/table_window.h"

namespace tables {

inline constexpr const char* kGridToolTip = "Click to select or double click to edit cell";

class TableEditor {
 public:
  // templateFolder holds the chart template files (the program's folder).
  TableEditor(core::ModuleImage& image, core::WindowState& window, core::Host& host,
              std::filesystem::path templateFolder);
  TableEditor(const TableEditor&) = delete;
  TableEditor& operator=(const TableEditor&) = delete;

  // The main window's grid and chart; until they are attached no table can be shown.
  // The edit permission already set is applied to them.
  void Attach(Grid& grid, Chart& chart, TableWindow& window);

  // The table last opened; not cleared by closing or saving.
  std::string ActiveTableName;
  // The clip text of the last selection copy.
  std::string CopyBuffer;
  // The chart values built at the last open.
  ChartValues TableChartData;

  // A table is open exactly while the grid is visible.
  bool TableIsOpen() const;
  bool ChartVisible() const;

  // Every command that reads the grid first ends the entry still open in it, as Enter
  // would; false when the entry was refused (its message shown) and the command stops.
  bool EndOpenEntry();
  // Whether saving the open table would change the FLASH image.
  bool TableEdited() const;

  // In-place editing of the grid and the chart's two interaction switches.
  bool TableEditPermission() const { return editPermission_; }
  void SetTableEditPermission(bool on);
  // After a download or a file open: on for "VOSK", "QL2 VOSK" and "JX" data, off
  // otherwise. The data now in memory are the ones changed cells are marked against.
  void SetTableEditPermissionFor(std::string_view moduleVersion);

  // Undo and Redo. Every command that changes the data records one step here; another
  // command records its own through RecordChange.
  const EditHistory& History() const { return history_; }
  void SetHistoryListener(std::function<void()> listener);
  // Runs change as one step named name ("Paste"): whatever it changed in the image, the
  // grid's texts and the open table becomes one step of the history, and nothing when it
  // changed nothing. A change that throws is taken back before the failure goes on. A
  // change made inside another belongs to the outer step.
  void RecordChange(std::string_view name, const std::function<void()>& change);
  // The KQ conversion is final: nothing before it can be undone.
  void StartHistoryAfresh() { history_.Clear(); }
  // Both end an open entry first; false when there was nothing to take back or do again.
  bool mnuUndo_Click();
  bool mnuRedo_Click();

  // Heat-map colours of the cells, and the marks of cells changed since the data were
  // loaded, downloaded or saved.
  bool HeatMap() const { return painter_.HeatMap(); }
  void SetHeatMap(bool on);
  bool ShowChanges() const { return painter_.ShowChanges(); }
  void SetShowChanges(bool on);

  void mnuEditFrontCylTrimTbl_Click();
  void mnuEditRearCylTrimTbl_Click();
  void mnuEditRetardTbl_Click();
  // Encodes the grid into the FLASH image and closes the table.
  void mnuSaveTbl_Click();
  // Offers to save first; false when the user cancelled and the table stays open.
  bool mnuCloseTbl_Click();
  // Closes without asking and without saving.
  void CloseTbl();
  void mnuCopyFrontCylFuelTrimRear_Click();

  // New data replaces the image under an open table: hides grid and chart without saving.
  void HideForNewData();

  // The Esc key: hides the chart's value label while the chart is shown.
  void HideValueLabel();

  // The grid's context menu on the selected block; they do nothing while no table is open.
  void mnuPopUpCopy3D_Click();
  void mnuPopUpPaste3D_Click();
  void mnuPopUpModify3D_Click();
  // The commands that give the selected cells new values; each says why when no table is
  // open, and is one step of the history.
  void mnuInterpolate_Click();
  void mnuSmooth_Click();
  void mnuSetValue_Click();
  // units: +1 or -1 (one percent of fuel trim, one degree of retard), +5 or -5.
  void StepValues(double units);
  // Offers Paste while a copy was made or the clipboard holds text; true when offered.
  bool UpdatePopUpPaste() { return cellEditing_.UpdatePopUpPaste(); }

 private:
  using EncodedCellVisitor =
      std::function<void(TableId table, int rows, int r, int c, std::uint8_t byte)>;
  // Each data cell of the open table with the byte its text encodes to.
  void ForEachEncodedCell(const EncodedCellVisitor& visit) const;
  void OpenTable(TableId table, const char* emptyBufferCaption);
  // Shows the table decoded from the image, or as given. False when its chart template
  // could not be read (the user has been told).
  bool ShowTable(TableId table, const ShownTable* shown);
  // The grid's size and its fixed row and column.
  void SetUpGrid(const TableFromImage& shown);
  // The table's cells into the grid and TableChartData.
  void FillCells(const TableFromImage& shown);
  // The texts and chart heights given for the open table.
  void PutTexts(const ShownTable& shown);
  void HideGridAndChart();
  void EndTable();

  std::optional<TableId> OpenTableId() const;
  // A typed entry that has been committed, from the grid's events.
  void RecordEntry(int row, int col, const std::string& before, double heightBefore);
  // Brings the image, the grid and the open table back to either side of a step.
  void ApplyStep(const EditStep& step, bool undo);
  void PutCells(TableId table, const std::vector<CellChange>& cells, bool undo);
  // The open table shows what the image holds again, where the image changed under it.
  void RefreshFromImage(TableId table);
  bool TakeStep(bool undo);
  using GridCommand = std::function<void(const OpenTableContext&)>;
  void RunGridCommand(const char* name, const SelectionOperation& operation,
                      const GridCommand& command);

  core::ModuleImage& image_;
  core::WindowState& window_;
  core::Host& host_;
  std::filesystem::path templateFolder_;
  Grid* grid_ = nullptr;
  Chart* chart_ = nullptr;
  TableWindow* tableWindow_ = nullptr;
  bool editPermission_ = false;
  EditHistory history_;
  bool recording_ = false;
  CellPainter painter_;
  // Answers the grid's events; reads ActiveTableName and CopyBuffer as they change.
  CellEditing cellEditing_;
};

}  // namespace tables
