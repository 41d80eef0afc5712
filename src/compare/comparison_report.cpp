#include "compare/comparison_report.h"

#include <cstdio>

#include "compare/number_text.h"

namespace compare {

namespace {

constexpr const char* kNone = "none";
constexpr const char* kPresent = "present";
constexpr const char* kCsvHeader = "item,rpm,tps,first,second,difference\n";
constexpr const char* kIndent = "  ";

std::string Count(int n, const char* thing) {
  return std::to_string(n) + " " + thing + (n == 1 ? "" : "s");
}

std::string Columns(const std::string& rpm, const std::string& tps, const std::string& first,
                    const std::string& second, const std::string& difference) {
  char line[256];
  std::snprintf(line, sizeof line, "%8s%8s%10s%10s%12s", rpm.c_str(), tps.c_str(), first.c_str(),
                second.c_str(), difference.c_str());
  return line;
}

std::string Labelled(const std::string& label, const std::string& first,
                     const std::string& second) {
  char line[256];
  std::snprintf(line, sizeof line, "%s%-30s", kIndent, label.c_str());
  return line + first + "  |  " + second;
}

std::string RpmList(const std::vector<int>& rpm) {
  std::string text;
  for (const int value : rpm) text += (text.empty() ? "" : ", ") + std::to_string(value);
  return text + " RPM";
}

std::string TpsLabel(int col) {
  return std::string(tables::kTpsLabels[static_cast<std::size_t>(col - 1)]);
}

std::string Hex(std::uint8_t byte) {
  char text[8];
  std::snprintf(text, sizeof text, "0x%02X", byte);
  return text;
}

int TablesWithCells(const TuneComparison& comparison) {
  int count = 0;
  for (const TableComparison& table : comparison.tables) count += table.cells.empty() ? 0 : 1;
  return count;
}

void AddTableLines(const TableComparison& table, std::vector<std::string>& lines) {
  const std::string name(tables::TableName(table.table));
  if (table.inFirst != table.inSecond) {
    lines.push_back(name + ": only in the " + (table.inFirst ? "first" : "second") + " tune.");
    return;
  }
  if (!table.rpmOnlyInFirst.empty()) {
    lines.push_back(name + ": rows only in the first tune: " + RpmList(table.rpmOnlyInFirst) + ".");
  }
  if (!table.rpmOnlyInSecond.empty()) {
    lines.push_back(name + ": rows only in the second tune: " + RpmList(table.rpmOnlyInSecond) +
                    ".");
  }
  if (table.cells.empty()) {
    lines.push_back(name + (table.Same() ? ": the same." : ": the same in the rows both have."));
    return;
  }
  lines.push_back(name + ": " + Count(static_cast<int>(table.cells.size()), "cell") +
                  std::string(table.cells.size() == 1 ? " differs" : " differ") +
                  ", the largest by " + SignedDifference(table.largest) + ".");
  lines.push_back(Columns("RPM", "TPS", "First", "Second", "Difference"));
  for (const CellDifference& cell : table.cells) {
    lines.push_back(Columns(std::to_string(cell.rpm), TpsLabel(cell.col), TwoDecimals(cell.first),
                            TwoDecimals(cell.second), SignedDifference(cell.difference)));
  }
}

std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (const char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

void AddCsvLine(std::string& csv, std::initializer_list<std::string> fields) {
  bool first = true;
  for (const std::string& field : fields) {
    if (!first) csv += ',';
    csv += CsvField(field);
    first = false;
  }
  csv += '\n';
}

}  // namespace

std::string ParameterName(int number) { return "Parameter " + std::to_string(number); }

std::string ParameterText(const std::optional<int>& value) {
  return value ? std::to_string(*value) : kNone;
}

std::string SummaryLine(const TuneComparison& comparison) {
  if (comparison.Same()) return "The tunes are the same.";
  std::vector<std::string> parts;
  if (const int cells = comparison.DifferingCells(); cells > 0) {
    parts.push_back(Count(cells, "cell") + " in " + Count(TablesWithCells(comparison), "table"));
  }
  int onlyInOne = 0;
  bool otherRows = false;
  for (const TableComparison& table : comparison.tables) {
    onlyInOne += table.inFirst != table.inSecond ? 1 : 0;
    otherRows = otherRows || !table.rpmOnlyInFirst.empty() || !table.rpmOnlyInSecond.empty();
  }
  if (onlyInOne > 0) parts.push_back(Count(onlyInOne, "table") + " only one tune has");
  if (otherRows) parts.push_back("table rows only one tune has");
  if (const int n = comparison.DifferingParameters(); n > 0) parts.push_back(Count(n, "parameter"));
  if (const int n = comparison.DifferingSettings(); n > 0) parts.push_back(Count(n, "setting"));
  if (!comparison.otherBytes.empty()) {
    parts.push_back(Count(static_cast<int>(comparison.otherBytes.size()), "other byte"));
  }
  std::string summary = "The tunes differ: ";
  for (std::size_t i = 0; i < parts.size(); ++i) summary += (i > 0 ? ", " : "") + parts[i];
  return summary + ".";
}

std::vector<std::string> ReportLines(const TuneComparison& comparison) {
  std::vector<std::string> lines = {
      "First:  " + comparison.firstName + " - " + comparison.firstEdition + " data",
      "Second: " + comparison.secondName + " - " + comparison.secondEdition + " data",
      SummaryLine(comparison)};
  if (comparison.Same()) return lines;
  lines.emplace_back();
  for (const TableComparison& table : comparison.tables) AddTableLines(table, lines);
  if (const int n = comparison.DifferingParameters(); n > 0) {
    lines.emplace_back();
    lines.push_back("Parameters: " + Count(n, "parameter") + " differ" + (n == 1 ? "s" : "") +
                    " (first | second).");
    for (const ParameterComparison& parameter : comparison.parameters) {
      if (!parameter.Differs()) continue;
      lines.push_back(Labelled(ParameterName(parameter.number), ParameterText(parameter.first),
                               ParameterText(parameter.second)));
    }
  }
  if (comparison.DifferingSettings() > 0) {
    lines.emplace_back();
    lines.push_back("Settings (first | second):");
    for (const SettingComparison& setting : comparison.settings) {
      if (setting.Differs()) lines.push_back(Labelled(setting.name, setting.first, setting.second));
    }
  }
  if (!comparison.otherBytes.empty()) {
    lines.emplace_back();
    lines.push_back("Other data: " + Count(static_cast<int>(comparison.otherBytes.size()), "byte") +
                    " of the module's memory differ (first | second).");
    for (const ByteDifference& byte : comparison.otherBytes) {
      lines.push_back(Labelled(ByteLocation(byte.offset), Hex(byte.first), Hex(byte.second)));
    }
  }
  return lines;
}

std::string ComparisonCsv(const TuneComparison& comparison) {
  std::string csv = kCsvHeader;
  for (const TableComparison& table : comparison.tables) {
    const std::string name(tables::TableName(table.table));
    if (table.inFirst != table.inSecond) {
      AddCsvLine(csv, {name, "", "", table.inFirst ? kPresent : kNone,
                       table.inSecond ? kPresent : kNone, ""});
      continue;
    }
    for (const int rpm : table.rpmOnlyInFirst) {
      AddCsvLine(csv, {name, std::to_string(rpm), "", kPresent, kNone, ""});
    }
    for (const int rpm : table.rpmOnlyInSecond) {
      AddCsvLine(csv, {name, std::to_string(rpm), "", kNone, kPresent, ""});
    }
    for (const CellDifference& cell : table.cells) {
      AddCsvLine(csv, {name, std::to_string(cell.rpm), TpsLabel(cell.col), Unrounded(cell.first),
                       Unrounded(cell.second), Unrounded(cell.difference)});
    }
  }
  for (const ParameterComparison& parameter : comparison.parameters) {
    if (!parameter.Differs()) continue;
    const std::string difference = parameter.first && parameter.second
                                       ? std::to_string(*parameter.second - *parameter.first)
                                       : std::string();
    AddCsvLine(csv, {ParameterName(parameter.number), "", "", ParameterText(parameter.first),
                     ParameterText(parameter.second), difference});
  }
  for (const SettingComparison& setting : comparison.settings) {
    if (setting.Differs())
      AddCsvLine(csv, {setting.name, "", "", setting.first, setting.second, ""});
  }
  for (const ByteDifference& byte : comparison.otherBytes) {
    AddCsvLine(csv, {ByteLocation(byte.offset), "", "", Hex(byte.first), Hex(byte.second), ""});
  }
  return csv;
}

}  // namespace compare
