// The comparison on paper or in a PDF file: the report's lines in pages under the heading
// the other printouts carry, each page a document of its own.
#pragma once

#include "compare/tune_comparison.h"
#include "core/host.h"
#include "print/page_conventions.h"
#include "print/print_surface.h"

namespace app {

inline constexpr const char* kComparisonSubject = "Comparison";
inline constexpr int kComparisonPoints = 9;
inline constexpr int kComparisonFirstLineTwips = 500;

// How many of the report's lines fit on a page under the heading.
int ReportLinesPerPage(const print::PageMetrics& metrics);

// Prints every page through the error prompt; false when the user aborted one (that page
// and the rest are not printed).
bool PrintComparison(const compare::TuneComparison& comparison, print::PrintSurface& surface,
                     const print::PageHeading& heading, core::Host& host);

}  // namespace app
