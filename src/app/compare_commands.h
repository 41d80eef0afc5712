// Compare With File and Compare With Quillon: the data in memory, unsaved table entries
// included, against a data file or the connected module; and taking the other tune's
// cells into the open table. The data in memory change only when cells are taken.
#pragma once

#include <optional>
#include <vector>

#include "app/session.h"
#include "compare/tune_comparison.h"
#include "core/module_image.h"
#include "tables/chart.h"
#include "tables/grid.h"

namespace app {

inline constexpr const char* kCompareWithFileTitle = "Compare With File";
inline constexpr const char* kCompareWithQuillonTitle = "Compare With Quillon";
inline constexpr const char* kTakeCellsTitle = "Take Cells";

// The comparison and the other tune it was made with.
struct ComparedTune {
  compare::TuneComparison comparison;
  core::ModuleImage other;
};

// The data in memory with the open table's unsaved entries in them.
core::ModuleImage TuneInMemory(const Session& session, const tables::Grid& grid);

// Nothing when the user gave up or the file could not be read (the message has been shown).
std::optional<ComparedTune> CompareWithFile(Session& session, const tables::Grid& grid);

// Reads the module as a download does, without writing to it and without replacing the
// data in memory. Nothing when it could not be read (the download's messages said why).
std::optional<ComparedTune> CompareWithQuillon(Session& session, const tables::Grid& grid);

// The comparison again, after the data in memory have changed.
compare::TuneComparison Recompare(const Session& session, const tables::Grid& grid,
                                  const ComparedTune& compared);

// A cell of a table of differences, by its RPM and TPS column.
struct TableCell {
  int rpm = 0;
  int col = 0;
};

// Gives these cells of the open table the other tune's values, as one change. Refused,
// with a message and nothing changed, unless the table is open and every value may go
// into its cell. True when the cells were taken.
bool TakeCells(Session& session, tables::Grid& grid, tables::Chart& chart,
               const ComparedTune& compared, tables::TableId table,
               const std::vector<TableCell>& cells);

}  // namespace app
