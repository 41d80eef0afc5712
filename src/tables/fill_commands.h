// The grid's commands that give the selected block new values: Interpolate, Smooth, Set
// Value and the steps up and down. Each keeps the rules of a typed entry (the table's
// range, the KQ locked zone) and charts what it changes; the grid shows whole numbers.
#pragma once

#include <string_view>

#include "core/host.h"
#include "tables/chart.h"
#include "tables/grid.h"
#include "tables/selection.h"
#include "tables/table_map.h"

namespace tables {

inline constexpr SelectionOperation kInterpolateOperation{"interpolate", "Interpolate Operation"};
inline constexpr SelectionOperation kSmoothOperation{"smooth", "Smooth Operation"};
inline constexpr SelectionOperation kSetValueOperation{"set", "Set Value Operation"};
inline constexpr SelectionOperation kStepOperation{"step", "Step Operation"};

inline constexpr const char* kSetValueTitle = "Set Value";
inline constexpr const char* kTooFewToInterpolate =
    "Select three or more cells in one row or one column, or a block bigger than two by two, "
    "then try again: Interpolate fills the cells between the ends or corners of the "
    "selection.";

// The table a grid command works on, with its place in the module's data.
struct OpenTableContext {
  TableKind kind;
  int rows;
  std::string_view moduleVersion;
};

void InterpolateSelection(Grid& grid, Chart& chart, const OpenTableContext& table,
                          core::Host& host);
void SmoothSelection(Grid& grid, Chart& chart, const OpenTableContext& table, core::Host& host);
// Asks for one value for every selected cell; a value the cell could not take by typing
// is refused with the entry's message and changes nothing.
void SetSelectionValue(Grid& grid, Chart& chart, const OpenTableContext& table, core::Host& host);
// Moves every selected cell by units (percent of fuel trim or degrees of retard),
// stopping at the table's range.
void StepSelection(Grid& grid, Chart& chart, const OpenTableContext& table, double units,
                   core::Host& host);

}  // namespace tables
