// The table a sub-command works on, as the command line names it.
#pragma once

#include <optional>
#include <string>

#include "core/module_image.h"
#include "tables/table_map.h"

namespace cli {

// front, rear or retard.
std::optional<tables::TableId> TableNamed(const std::string& name);

// Whether the data have the table; when not, says so on stderr: first-generation data have
// no retard table.
bool DataHaveTable(const std::string& command, const std::string& path,
                   const core::ModuleImage& image, tables::TableId table);

}  // namespace cli
