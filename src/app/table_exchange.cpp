#include "app/table_exchange.h"

#include <optional>
#include <string>

#include "app/compare_commands.h"
#include "compare/open_table.h"
#include "compare/table_csv.h"
#include "core/error_prompt.h"
#include "files/data_file.h"
#include "files/data_file_commands.h"
#include "files/file_dialogs.h"

namespace app {

namespace {

// The name Undo gives the import.
constexpr const char* kImportTableStep = "Import Table";

constexpr const char* kLineBreak = "\r\n";

// The open table after ending its entry; nothing, after saying why, when there is none.
std::optional<tables::TableId> OpenTable(Session& session, const char* title, const char* noTable) {
  if (!session.editor.EndOpenEntry()) return std::nullopt;
  const std::optional<tables::TableId> table =
      tables::TableFromName(session.editor.ActiveTableName);
  if (session.editor.TableIsOpen() && table) return table;
  session.host.MsgBox(noTable, title, core::Buttons::OK, core::Icon::Exclamation);
  return std::nullopt;
}

}  // namespace

void ExportTable(Session& session, const tables::Grid& grid) {
  const std::optional<tables::TableId> table =
      OpenTable(session, kExportTableTitle,
                "No active table to export. Open a table from the Edit menu first.");
  if (!table) return;
  const std::string csv = compare::TableCsv(TuneInMemory(session, grid), *table);
  std::string path;
  core::RunSteps(session.host, {
                                   [&] {
                                     std::string filter = compare::kCsvFilter;
                                     std::string existMessage;
                                     path = files::FileSave(session.host, kExportTableTitle, filter,
                                                            existMessage, compare::kCsvSuffix);
                                   },
                                   [&] {
                                     if (!path.empty()) files::WriteTextFile(path, csv);
                                   },
                               });
}

void ImportTable(Session& session, tables::Grid& grid, tables::Chart& chart) {
  const std::optional<tables::TableId> table =
      OpenTable(session, kImportTableTitle,
                "No active table to import into. Open the table to replace from the Edit menu "
                "first.");
  if (!table) return;
  std::string path;
  std::optional<std::string> text;
  const core::ProcedureOutcome outcome = core::RunSteps(
      session.host, {
                        [&] {
                          std::string filter = compare::kCsvFilter;
                          path = files::FileOpen(session.host, kImportTableTitle, filter, "");
                        },
                        [&] {
                          if (!path.empty()) text = files::ReadTextFile(path, kLargestTableCsv);
                        },
                    });
  if (outcome == core::ProcedureOutcome::Aborted || !text) return;
  const compare::CsvReading reading =
      compare::ReadTableCsv(*text, session.image.ModuleVersion, *table);
  if (!reading.values) {
    session.host.MsgBox(files::DataSourceTextFor(path) +
                            " was not imported, and the table is as "
                            "it was." +
                            kLineBreak + kLineBreak + reading.problem,
                        kImportTableTitle, core::Buttons::OK, core::Icon::Exclamation);
    return;
  }
  std::vector<compare::CellValue> values;
  for (int r = 1; r <= reading.values->rows; ++r) {
    for (int c = 1; c <= tables::kTpsColumns; ++c)
      values.push_back({r, c, reading.values->At(r, c)});
  }
  session.editor.RecordChange(kImportTableStep, [&] {
    compare::ApplyCellChanges(grid, chart, tables::KindOf(*table),
                              compare::ChangesFor(session.image, grid, *table, values));
  });
}

}  // namespace app
