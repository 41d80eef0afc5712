// What a command may change, taken before and after it runs: the image's bytes and the
// table open in the grid with its texts. The difference is the command's undo step.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/module_image.h"
#include "tables/chart.h"
#include "tables/edit_history.h"
#include "tables/grid.h"

namespace tables {

struct EditSnapshot {
  std::vector<std::uint8_t> bytes;
  ShownTable table;
};

// The image's bytes as a step addresses them: FLASH (low byte first) then EEPROM.
std::vector<std::uint8_t> ImageBytes(const core::ModuleImage& image);
std::uint8_t& ImageByte(core::ModuleImage& image, std::uint32_t offset);

// The open table's texts and chart heights, row by row from (1, 1); the grid and the
// chart are read only while one is open.
ShownTable TableInGrid(const Grid& grid, const Chart& chart, std::optional<TableId> open);

// The texts a table shows when it is opened from the image.
std::vector<std::string> DecodedTexts(const core::ModuleImage& image, TableId table);

EditSnapshot TakeSnapshot(const core::ModuleImage& image, const Grid& grid, const Chart& chart,
                          std::optional<TableId> open);

// The step from before to after (the image as it is now). A table closed or opened
// counts only when it lost or gained texts that opening it from the image would not
// give, or the image changed with it.
EditStep StepBetween(std::string name, const EditSnapshot& before, const EditSnapshot& after,
                     const core::ModuleImage& image);

}  // namespace tables
