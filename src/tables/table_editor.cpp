#include "tables/table_editor.h"

#include <algorithm>
#include <stdexcept>

#include "core/editions.h"
#include "core/error_prompt.h"
#include "tables/cell_codec.h"
#include "tables/cell_text.h"
#include "tables/chart_template.h"
#include "tables/selection_commands.h"

namespace tables {

namespace {

constexpr const char* kEditNewTableTitle = "Edit New Table";
constexpr const char* kSavePresentEdits = "Save present table edits to buffer?";
constexpr const char* kNothingToEdit = "Data Buffer Empty - Nothing to Edit.";
constexpr const char* kSaveTableTitle = "Save Table Edits To Buffer";
constexpr const char* kNoActiveTable = "No active table to save";
constexpr const char* kCloseTableTitle = "Close Table";
constexpr const char* kSaveBeforeClosing = "Save table edits to buffer before closing?";
constexpr const char* kCopyTitle = "Copy Front Cyl Fuel Trim to Rear";
constexpr const char* kCopyQuestion = "Are you sure you want to copy the front table to the rear?";
constexpr const char* kTemplateTitle = "Form Load";
constexpr const char* kLineBreak = "\r\n";

constexpr int kGridCols = kTpsColumns + 1;

}  // namespace

TableEditor::TableEditor(core::ModuleImage& image, core::WindowState& window, core::Host& host,
                         std::filesystem::path templateFolder)
    : image_(image),
      window_(window),
      host_(host),
      templateFolder_(std::move(templateFolder)),
      painter_(image),
      cellEditing_(image, ActiveTableName, CopyBuffer, host, painter_) {
  cellEditing_.SetEntryListener(
      [this](int row, int col, const std::string& before, double heightBefore) {
        RecordEntry(row, col, before, heightBefore);
      });
}

void TableEditor::Attach(Grid& grid, Chart& chart, TableWindow& window) {
  grid_ = &grid;
  chart_ = &chart;
  tableWindow_ = &window;
  cellEditing_.Attach(grid, chart, window);
  painter_.Attach(grid);
  grid_->SetEventSink(&cellEditing_);
  grid_->SetToolTip(kGridToolTip);
  SetTableEditPermission(editPermission_);
}

bool TableEditor::TableIsOpen() const { return grid_ && grid_->Visible(); }

bool TableEditor::ChartVisible() const { return chart_ && chart_->Visible(); }

bool TableEditor::EndOpenEntry() { return !TableIsOpen() || grid_->EndEntry(); }

bool TableEditor::TableEdited() const {
  if (!TableIsOpen()) return false;
  bool edited = false;
  ForEachEncodedCell([&](TableId table, int rows, int r, int c, std::uint8_t byte) {
    edited = edited || byte != CellByte(image_, table, rows, r, c);
  });
  return edited;
}

void TableEditor::ForEachEncodedCell(const EncodedCellVisitor& visit) const {
  const std::optional<TableId> table = TableFromName(ActiveTableName);
  if (!table) throw std::logic_error("The open table has no name the editor knows.");
  const TableLayout layout = TableLayoutFor(image_.ModuleVersion);
  const int rows = std::min(layout.rows, grid_->Rows() - 1);
  for (int c = 1; c <= kTpsColumns; ++c) {
    for (int r = 1; r <= rows; ++r) {
      visit(*table, layout.rows, r, c,
            EncodeCell(KindOf(*table), CellNumber(grid_->TextMatrix(r, c))));
    }
  }
}

void TableEditor::SetTableEditPermission(bool on) {
  editPermission_ = on;
  if (grid_) grid_->SetEditable(on);
  if (chart_) {
    chart_->SetInteraction(ChartInteraction::RotateZoom, on);
    chart_->SetInteraction(ChartInteraction::SelectPoint, on);
  }
}

void TableEditor::SetTableEditPermissionFor(std::string_view moduleVersion) {
  painter_.TakeBaseline();
  SetTableEditPermission(moduleVersion == core::kVersionVosk ||
                         moduleVersion == core::kVersionQL2Vosk ||
                         moduleVersion == core::kVersionJX);
}

void TableEditor::mnuEditFrontCylTrimTbl_Click() {
  OpenTable(TableId::FrontCylTrim, "Edit Front Cylinder Fuel Trim");
}

void TableEditor::mnuEditRearCylTrimTbl_Click() {
  OpenTable(TableId::RearCylTrim, "Edit Rear Cylinder Fuel Trim");
}

void TableEditor::mnuEditRetardTbl_Click() { OpenTable(TableId::Retard, "Edit Retard Trim"); }

void TableEditor::OpenTable(TableId table, const char* emptyBufferCaption) {
  if (!grid_ || !chart_) throw std::logic_error("The table grid and chart are not set up.");
  if (!EndOpenEntry()) return;
  RecordChange("Open " + std::string(TableName(table)), [&] {
    if (TableIsOpen()) {
      const core::Answer answer = host_.MsgBox(kSavePresentEdits, kEditNewTableTitle,
                                               core::Buttons::YesNoCancel, core::Icon::Exclamation);
      if (answer == core::Answer::Cancel) return;
      if (answer == core::Answer::Yes) mnuSaveTbl_Click();
    }
    HideGridAndChart();
    ActiveTableName.clear();
    // The system clipboard is left alone: it may hold a block the user means to paste here.
    CopyBuffer.clear();
    tableWindow_->SetPopUpPasteEnabled(false);
    if (image_.FLASHBufferEmpty) {
      host_.MsgBox(kNothingToEdit, emptyBufferCaption, core::Buttons::OK, core::Icon::Exclamation);
      return;
    }
    ShowTable(table, nullptr);
  });
}

bool TableEditor::ShowTable(TableId table, const ShownTable* shown) {
  ActiveTableName = TableName(table);
  window_.SetOpenTableName(ActiveTableName);

  const TableFromImage fromImage = ReadTableFromImage(image_, table);
  const std::string_view templateName =
      ChartTemplateFileName(KindOf(table), image_.ModuleVersion == core::kVersionJX);
  ChartTemplate chartTemplate;
  try {
    chartTemplate = ReadChartTemplate(templateFolder_ / templateName);
  } catch (const std::exception& e) {
    const bool missing = !std::filesystem::exists(templateFolder_ / templateName);
    host_.MsgBox("Chart template file " + std::string(templateName) + " not found." +
                     (missing ? std::string()
                              : std::string(kLineBreak) + kLineBreak + e.what() + "." + kLineBreak +
                                    "Reinstall Ventrel to restore the file."),
                 kTemplateTitle, core::Buttons::OK, core::Icon::Exclamation);
    return false;
  }

  const core::ProcedureOutcome outcome =
      core::RunSteps(host_,
                     {
                         [&] { chart_->ApplyTemplate(chartTemplate); },
                         [&] {
                           chart_->SetValueLabelVisible(false);
                           chart_->SetHoleValue(kChartHoleValue);
                         },
                         [&] { SetUpGrid(fromImage); },
                         [&] {
                           grid_->SetCurrentCell(0, 0);
                           HideGridAndChart();
                           chart_->SetBatchUpdating(true);
                         },
                         [&] {
                           FillCells(fromImage);
                           if (shown) PutTexts(*shown);
                           painter_.FollowFile();
                           painter_.PaintAll(table);
                         },
                         [&] { chart_->LoadElevationGrid(TableChartData); },
                         [&] {
                           chart_->SetBatchUpdating(false);
                           chart_->SetValueLabelVisible(false);
                         },
                         [&] { tableWindow_->FormResize(); },
                         [&] {
                           chart_->SetVisible(true);
                           grid_->SetVisible(true);
                           grid_->SetCurrentCell(0, 0);
                         },
                         [&] { CopyBuffer.clear(); },
                     },
                     [&] {
                       chart_->SetBatchUpdating(false);
                       HideGridAndChart();
                     });
  return outcome != core::ProcedureOutcome::Aborted;
}

void TableEditor::SetUpGrid(const TableFromImage& shown) {
  grid_->SetRows(shown.Rows());
  grid_->SetCols(kGridCols);
  grid_->CentreAllColumns();
  for (int c = 0; c < kGridCols; ++c) grid_->SetTextMatrix(0, c, shown.texts[0][c]);
  for (int r = 1; r < shown.Rows(); ++r) grid_->SetTextMatrix(r, 0, shown.texts[r][0]);
}

void TableEditor::FillCells(const TableFromImage& shown) {
  TableChartData = shown.chart;
  for (int c = 1; c <= kTpsColumns; ++c) {
    for (int r = 1; r < shown.Rows(); ++r) grid_->SetTextMatrix(r, c, shown.texts[r][c]);
  }
}

void TableEditor::PutTexts(const ShownTable& shown) {
  for (int r = 1; r < grid_->Rows(); ++r) {
    for (int c = 1; c < grid_->Cols(); ++c) {
      const std::size_t at =
          static_cast<std::size_t>(r - 1) * static_cast<std::size_t>(grid_->Cols() - 1) +
          static_cast<std::size_t>(c - 1);
      if (at < shown.texts.size()) grid_->SetTextMatrix(r, c, shown.texts[at]);
      if (at < shown.heights.size()) TableChartData.At(r, c) = shown.heights[at];
    }
  }
}

void TableEditor::mnuSaveTbl_Click() {
  if (!EndOpenEntry()) return;
  if (!TableIsOpen()) {
    host_.MsgBox(kNoActiveTable, kSaveTableTitle, core::Buttons::OK, core::Icon::Exclamation);
    return;
  }
  RecordChange(kSaveTableTitle, [this] {
    ForEachEncodedCell([this](TableId table, int rows, int r, int c, std::uint8_t byte) {
      SetCellByte(image_, table, rows, r, c, byte);
    });
    image_.FLASHBufferEmpty = false;
    EndTable();
  });
}

bool TableEditor::mnuCloseTbl_Click() {
  if (!EndOpenEntry()) return false;
  bool closed = false;
  RecordChange(kCloseTableTitle, [&] {
    if (TableIsOpen()) {
      const core::Answer answer = host_.MsgBox(kSaveBeforeClosing, kCloseTableTitle,
                                               core::Buttons::YesNoCancel, core::Icon::Exclamation);
      if (answer == core::Answer::Cancel) return;
      if (answer == core::Answer::Yes) mnuSaveTbl_Click();
    }
    EndTable();
    closed = true;
  });
  return closed;
}

void TableEditor::CloseTbl() { EndTable(); }

void TableEditor::mnuCopyFrontCylFuelTrimRear_Click() {
  // An entry committed after the copy would write over a copied cell of the rear table.
  if (!EndOpenEntry()) return;
  if (host_.MsgBox(kCopyQuestion, kCopyTitle, core::Buttons::YesNo, core::Icon::Exclamation) !=
      core::Answer::Yes) {
    return;
  }
  RecordChange(kCopyTitle, [this] {
    const TableLayout layout = TableLayoutFor(image_.ModuleVersion);
    const auto front =
        image_.FLASHBuffer.begin() + static_cast<std::ptrdiff_t>(BaseWord(TableId::FrontCylTrim));
    std::copy(
        front, front + static_cast<std::ptrdiff_t>(layout.Words()),
        image_.FLASHBuffer.begin() + static_cast<std::ptrdiff_t>(BaseWord(TableId::RearCylTrim)));
    // An open rear table would otherwise show, and on saving write back, the old values.
    if (TableIsOpen() && ActiveTableName == kRearCylTrimTableName) {
      chart_->SetBatchUpdating(true);
      FillCells(ReadTableFromImage(image_, TableId::RearCylTrim));
      chart_->LoadElevationGrid(TableChartData);
      chart_->SetBatchUpdating(false);
    }
  });
}

void TableEditor::HideForNewData() {
  history_.Clear();
  painter_.DropBaseline();
  HideGridAndChart();
  window_.ClearOpenTableName();
}

void TableEditor::HideValueLabel() {
  if (ChartVisible()) chart_->SetValueLabelVisible(false);
}

void TableEditor::mnuPopUpCopy3D_Click() {
  if (!EndOpenEntry()) return;
  if (TableIsOpen()) CopySelection(*grid_, image_.ModuleVersion, CopyBuffer, host_, *tableWindow_);
}

void TableEditor::mnuPopUpPaste3D_Click() {
  if (!EndOpenEntry()) return;
  const std::optional<TableId> table = TableFromName(ActiveTableName);
  if (TableIsOpen() && table) {
    RecordChange("Paste", [&] {
      PasteClipboard(*grid_, *chart_, KindOf(*table), image_.ModuleVersion, host_);
    });
  }
}

void TableEditor::mnuPopUpModify3D_Click() {
  if (!EndOpenEntry()) return;
  const std::optional<TableId> table = TableFromName(ActiveTableName);
  if (TableIsOpen() && table) {
    RecordChange("Modify", [&] {
      ModifySelection(*grid_, *chart_, KindOf(*table), image_.ModuleVersion, host_);
    });
  }
}

void TableEditor::HideGridAndChart() {
  if (chart_) chart_->SetVisible(false);
  if (grid_) {
    // Whatever entry is still open belongs to the table being put away.
    grid_->AbandonEntry();
    grid_->SetVisible(false);
  }
}

void TableEditor::EndTable() {
  HideGridAndChart();
  CopyBuffer.clear();
  if (tableWindow_) tableWindow_->SetPopUpPasteEnabled(false);
  window_.ClearOpenTableName();
}

}  // namespace tables
