#include "app/compare_commands.h"

#include <algorithm>

#include "compare/cell_check.h"
#include "compare/number_text.h"
#include "compare/open_table.h"
#include "core/error_prompt.h"
#include "files/data_file.h"
#include "files/data_file_commands.h"
#include "files/file_dialogs.h"
#include "tables/cell_codec.h"
#include "transfer/module_read.h"

namespace app {

namespace {

// The name Undo gives the cells taken from the other tune.
constexpr const char* kTakeCellsStep = "Take Cells";

constexpr const char* kNothingToCompare = "Data Buffer Empty - Nothing to Compare.";
constexpr const char* kShortFile = "Error - reached premature end-of-file";
constexpr const char* kModuleName = "the module ";
constexpr const char* kNoCellsChosen =
    "Select the cells to take in the table of differences first, then try again.";

// Ends an open entry, then refuses on an empty image.
bool ReadyToCompare(Session& session, const char* title) {
  if (!session.editor.EndOpenEntry()) return false;
  if (!session.image.FLASHBufferEmpty && !session.image.EEPROMBufferEmpty) return true;
  session.host.MsgBox(kNothingToCompare, title, core::Buttons::OK, core::Icon::Exclamation);
  return false;
}

std::string MemoryName(const Session& session) {
  return "the data in memory (" + session.window.DataSourceText + ")";
}

std::optional<int> RowOf(const tables::TableLayout& layout, int rpm) {
  const auto at = std::find(layout.rpm.begin(), layout.rpm.end(), rpm);
  if (at == layout.rpm.end()) return std::nullopt;
  return static_cast<int>(at - layout.rpm.begin()) + 1;
}

}  // namespace

core::ModuleImage TuneInMemory(const Session& session, const tables::Grid& grid) {
  const std::optional<tables::TableId> table =
      tables::TableFromName(session.editor.ActiveTableName);
  if (!session.editor.TableIsOpen() || !table) return session.image;
  return compare::TuneWithOpenTable(session.image, grid, *table);
}

std::optional<ComparedTune> CompareWithFile(Session& session, const tables::Grid& grid) {
  if (!ReadyToCompare(session, kCompareWithFileTitle)) return std::nullopt;
  std::string path;
  std::optional<core::DataFileBytes> bytes;
  const core::ProcedureOutcome outcome = core::RunSteps(
      session.host, {
                        [&] {
                          std::string filter = files::kDataFileFilter;
                          path = files::FileOpen(session.host, kCompareWithFileTitle, filter, "");
                        },
                        [&] {
                          if (!path.empty()) bytes = files::ReadDataFile(path);
                        },
                    });
  if (outcome == core::ProcedureOutcome::Aborted || path.empty()) return std::nullopt;
  if (!bytes) {
    session.host.MsgBox(kShortFile, kCompareWithFileTitle, core::Buttons::OK,
                        core::Icon::Exclamation);
    return std::nullopt;
  }
  ComparedTune compared{{}, files::ImageFromFile(*bytes)};
  compared.comparison = compare::CompareTunes(TuneInMemory(session, grid), compared.other,
                                              MemoryName(session), files::DataSourceTextFor(path));
  return compared;
}

std::optional<ComparedTune> CompareWithQuillon(Session& session, const tables::Grid& grid) {
  if (!ReadyToCompare(session, kCompareWithQuillonTitle)) return std::nullopt;
  std::optional<core::ModuleImage> module =
      transfer::ReadModule(session.link, session.host, kCompareWithQuillonTitle);
  if (!module) return std::nullopt;
  ComparedTune compared{{}, std::move(*module)};
  compared.comparison =
      compare::CompareTunes(TuneInMemory(session, grid), compared.other, MemoryName(session),
                            kModuleName + compared.other.FirmwareID);
  return compared;
}

compare::TuneComparison Recompare(const Session& session, const tables::Grid& grid,
                                  const ComparedTune& compared) {
  return compare::CompareTunes(TuneInMemory(session, grid), compared.other, MemoryName(session),
                               compared.comparison.secondName);
}

bool TakeCells(Session& session, tables::Grid& grid, tables::Chart& chart,
               const ComparedTune& compared, tables::TableId table,
               const std::vector<TableCell>& cells) {
  core::Host& host = session.host;
  if (!session.editor.EndOpenEntry()) return false;
  const std::string name(tables::TableName(table));
  if (!session.editor.TableIsOpen() || session.editor.ActiveTableName != name) {
    host.MsgBox("Open the " + name + " from the Edit menu to take cells of the other tune into it.",
                kTakeCellsTitle, core::Buttons::OK, core::Icon::Exclamation);
    return false;
  }
  const tables::TableLayout ours = tables::TableLayoutFor(session.image.ModuleVersion);
  const tables::TableLayout theirs = tables::TableLayoutFor(compared.other.ModuleVersion);
  std::vector<compare::CellValue> values;
  for (const TableCell& cell : cells) {
    const std::optional<int> r = RowOf(ours, cell.rpm);
    const std::optional<int> otherRow = RowOf(theirs, cell.rpm);
    if (!r || !otherRow) continue;
    const double value =
        tables::ReadCell(compared.other, table, theirs.rows, *otherRow, cell.col).displayed;
    const bool locked = tables::IsLocked(session.image.ModuleVersion, *r, cell.col);
    if (const auto refusal = compare::CheckCellValue(tables::KindOf(table), locked, value)) {
      host.MsgBox("The other tune's value " + compare::TwoDecimals(value) + " at " +
                      std::to_string(cell.rpm) + " RPM, " +
                      std::string(tables::kTpsLabels[static_cast<std::size_t>(cell.col - 1)]) +
                      " TPS " + *refusal + ", so no cell was taken.",
                  kTakeCellsTitle, core::Buttons::OK, core::Icon::Exclamation);
      return false;
    }
    values.push_back({*r, cell.col, value});
  }
  if (values.empty()) {
    host.MsgBox(kNoCellsChosen, kTakeCellsTitle, core::Buttons::OK, core::Icon::Exclamation);
    return false;
  }
  session.editor.RecordChange(kTakeCellsStep, [&] {
    compare::ApplyCellChanges(grid, chart, tables::KindOf(table),
                              compare::ChangesFor(session.image, grid, table, values));
  });
  return true;
}

}  // namespace app
