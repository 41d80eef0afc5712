// Sub-commands that work on data files: a base tune, the parameters, one table.
#pragma once

#include <string>
#include <vector>

namespace cli {

int RunNew(const std::vector<std::string>& arguments);
int RunInfo(const std::vector<std::string>& arguments);
int RunTable(const std::vector<std::string>& arguments);

}  // namespace cli
