// The grid's context menu: Copy, Paste and Modify on the selected block of cells. They
// change the grid and the chart only; the FLASH image changes when the table is saved.
#pragma once

#include <string>
#include <string_view>

#include "core/host.h"
#include "tables/chart.h"
#include "tables/grid.h"
#include "tables/table_map.h"
#include "tables/table_window.h"

namespace tables {

// Puts the block's clip text into copyBuffer and, rows ended by LF, on the clipboard;
// offers Paste from then on.
void CopySelection(Grid& grid, std::string_view moduleVersion, std::string& copyBuffer,
                   core::Host& host, TableWindow& window);

// Writes the clipboard's block from the selection's top-left cell on, drops what lies
// beyond the table, clamps the whole table to its range and charts the cells from there
// to the table's end. Text that is no number in a cell it would write changes nothing.
void PasteClipboard(Grid& grid, Chart& chart, TableKind kind, std::string_view moduleVersion,
                    core::Host& host);

// Asks for one change and applies it to every selected cell: clamped, shown as a whole
// number, charted unrounded. A cancelled, empty or unreadable answer changes nothing.
void ModifySelection(Grid& grid, Chart& chart, TableKind kind, std::string_view moduleVersion,
                     core::Host& host);

}  // namespace tables
