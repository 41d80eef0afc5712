// ventrel-cli diff, verify and import: comparing tunes and bringing a table in from a
// spreadsheet.
#pragma once

#include <string>
#include <vector>

#include "compare/tune_comparison.h"

namespace cli {

// diff and verify: the tunes are the same, they differ, or no comparison could be made.
inline constexpr int kExitSame = 0;
inline constexpr int kExitDiffer = 1;
inline constexpr int kExitNotCompared = 2;

int RunDiff(const std::vector<std::string>& arguments);
int RunVerify(const std::vector<std::string>& arguments);
int RunImport(const std::vector<std::string>& arguments);

// Prints the comparison on stdout, as text or as CSV; kExitSame or kExitDiffer.
int PrintComparison(const compare::TuneComparison& comparison, bool csv);

}  // namespace cli
