// ventrel-cli diff: two data files compared, as scripts and workshops ask what changed.
#include <iostream>

#include "cli/command.h"
#include "cli/compare_commands.h"
#include "cli/data_file_loading.h"
#include "compare/comparison_report.h"

namespace cli {

namespace {

constexpr const char* kCommand = "diff";
constexpr const char* kUsage = "usage: ventrel-cli diff A.dat B.dat [--csv]\n";

}  // namespace

int PrintComparison(const compare::TuneComparison& comparison, bool csv) {
  if (csv) {
    std::cout << compare::ComparisonCsv(comparison);
  } else {
    for (const std::string& line : compare::ReportLines(comparison)) std::cout << line << "\n";
  }
  return comparison.Same() ? kExitSame : kExitDiffer;
}

int RunDiff(const std::vector<std::string>& arguments) {
  std::vector<std::string> files;
  bool csv = false;
  for (const std::string& argument : arguments) {
    if (argument == "--csv") {
      csv = true;
    } else if (argument.starts_with("--") || files.size() == 2) {
      std::cerr << "ventrel-cli diff: unexpected argument \"" << argument << "\"\n" << kUsage;
      return kExitNotCompared;
    } else {
      files.push_back(argument);
    }
  }
  if (files.size() != 2) {
    std::cerr << "ventrel-cli diff: give two data files\n" << kUsage;
    return kExitNotCompared;
  }
  const std::optional<core::ModuleImage> first = LoadDataFile(kCommand, files[0]);
  const std::optional<core::ModuleImage> second =
      first ? LoadDataFile(kCommand, files[1]) : std::nullopt;
  if (!first || !second) return kExitNotCompared;
  return PrintComparison(compare::CompareTunes(*first, *second, files[0], files[1]), csv);
}

}  // namespace cli
