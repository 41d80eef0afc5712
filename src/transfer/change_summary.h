// What an upload will change in the module, in a few lines: each table with its count of
// changed cells and the largest change, each changed parameter and setting with its old
// and new value.
#pragma once

#include <string>
#include <vector>

#include "compare/tune_comparison.h"

namespace transfer {

inline constexpr const char* kModuleHoldsData = "The module already holds these data.";

// comparison sets the module's data (first) against the data to upload (second).
std::vector<std::string> ChangeSummaryLines(const compare::TuneComparison& comparison);

}  // namespace transfer
