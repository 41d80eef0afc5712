// The comparison written out: as text lines for the command line and the printout, and as
// CSV for spreadsheets.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "compare/tune_comparison.h"

namespace compare {

// "The tunes are the same." or what differs: "The tunes differ: 3 cells in 2 tables, 1
// parameter."
std::string SummaryLine(const TuneComparison& comparison);

// Which tune is which, the summary, then each table's differing cells, the differing
// parameters and settings and any other differing bytes.
std::vector<std::string> ReportLines(const TuneComparison& comparison);

// One line per difference under the header item,rpm,tps,first,second,difference; "none"
// where a tune lacks the item. Only the header when the tunes are the same.
std::string ComparisonCsv(const TuneComparison& comparison);

// "Parameter 3".
std::string ParameterName(int number);

// A parameter's value, or "none" where the tune's generation lacks it.
std::string ParameterText(const std::optional<int>& value);

}  // namespace compare
