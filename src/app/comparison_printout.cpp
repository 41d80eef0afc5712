#include "app/comparison_printout.h"

#include <algorithm>
#include <string>

#include "compare/comparison_report.h"
#include "print/print_document.h"

namespace app {

namespace {

constexpr double kTwipsPerPoint = 20;
// A monospaced font's line takes a little more than its size; this errs on the safe side.
constexpr double kLineSpacing = 1.25;
// The heading's lines with the comment and the empty line under them.
constexpr int kHeadingLines = 4;

}  // namespace

int ReportLinesPerPage(const print::PageMetrics& metrics) {
  const double lineTwips = kComparisonPoints * kTwipsPerPoint * kLineSpacing;
  const int lines =
      static_cast<int>((metrics.heightTwips - kComparisonFirstLineTwips) / lineTwips) -
      kHeadingLines;
  return std::max(1, lines);
}

bool PrintComparison(const compare::TuneComparison& comparison, print::PrintSurface& surface,
                     const print::PageHeading& heading, core::Host& host) {
  const std::vector<std::string> report = compare::ReportLines(comparison);
  const std::string font = print::ChoosePrinterFont(surface.FontNames());
  const auto perPage = static_cast<std::size_t>(ReportLinesPerPage(surface.Metrics()));
  const std::size_t pages = (report.size() + perPage - 1) / perPage;
  for (std::size_t page = 0; page < pages; ++page) {
    print::PrintDocument document(surface,
                                  "page " + std::to_string(page + 1) + " of the comparison",
                                  {font, kComparisonPoints, kComparisonFirstLineTwips});
    document.AddLines(print::HeadingLines(heading, kComparisonSubject));
    document.AddLine(print::PrintLine{});
    const std::size_t end = std::min(report.size(), (page + 1) * perPage);
    for (std::size_t i = page * perPage; i < end; ++i) document.AddLine(print::TextLine(report[i]));
    if (!document.Print(host)) return false;
  }
  return true;
}

}  // namespace app
