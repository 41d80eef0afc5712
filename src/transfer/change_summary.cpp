#include "transfer/change_summary.h"

#include "compare/comparison_report.h"
#include "compare/number_text.h"

namespace transfer {

namespace {

constexpr const char* kHeading = "The upload will change in the module (now -> after):";
constexpr const char* kArrow = " -> ";

std::string TableLine(const compare::TableComparison& table) {
  const std::string name(tables::TableName(table.table));
  if (table.inFirst != table.inSecond) {
    return name +
           (table.inFirst ? ": only the module has it." : ": only the data to upload have it.");
  }
  std::string line = name + ": ";
  const auto cells = static_cast<int>(table.cells.size());
  if (cells == 0) {
    line += "no change";
  } else {
    line += std::to_string(cells) + (cells == 1 ? " cell changes" : " cells change") +
            ", the largest by " + compare::SignedDifference(table.largest);
  }
  if (!table.rpmOnlyInFirst.empty() || !table.rpmOnlyInSecond.empty()) {
    line += "; the RPM rows are laid out differently";
  }
  return line + ".";
}

}  // namespace

std::vector<std::string> ChangeSummaryLines(const compare::TuneComparison& comparison) {
  if (comparison.Same()) return {kModuleHoldsData};
  std::vector<std::string> lines = {kHeading};
  for (const compare::TableComparison& table : comparison.tables) lines.push_back(TableLine(table));
  for (const compare::ParameterComparison& parameter : comparison.parameters) {
    if (!parameter.Differs()) continue;
    lines.push_back(compare::ParameterName(parameter.number) + ": " +
                    compare::ParameterText(parameter.first) + kArrow +
                    compare::ParameterText(parameter.second));
  }
  for (const compare::SettingComparison& setting : comparison.settings) {
    if (setting.Differs())
      lines.push_back(setting.name + ": " + setting.first + kArrow + setting.second);
  }
  if (const auto bytes = static_cast<int>(comparison.otherBytes.size()); bytes > 0) {
    lines.push_back("Other data: " + std::to_string(bytes) + (bytes == 1 ? " byte." : " bytes."));
  }
  return lines;
}

}  // namespace transfer
