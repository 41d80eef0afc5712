#include "compare/table_csv.h"

#include <algorithm>

#include "compare/cell_check.h"
#include "compare/number_text.h"
#include "core/text.h"
#include "tables/cell_codec.h"
#include "tables/cell_text.h"

namespace compare {

namespace {

constexpr char kComma = ',';
constexpr char kSemicolon = ';';
constexpr char kQuote = '"';
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr int kCsvColumns = tables::kTpsColumns + 1;
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

struct Line {
  int number = 0;
  std::vector<std::string> fields;
};

// Reads lines one at a time, each split into fields.
class LineReader {
 public:
  explicit LineReader(std::string_view text) : rest_(text) {
    if (rest_.starts_with(kByteOrderMark)) rest_.remove_prefix(kByteOrderMark.size());
  }

  // The next line that holds anything; false at the end or at a problem.
  bool NextFilled(Line& line, std::string& problem) {
    while (!rest_.empty()) {
      std::size_t end = 0;
      while (end < rest_.size() && rest_[end] != '\r' && rest_[end] != '\n') ++end;
      const std::string_view text = rest_.substr(0, end);
      const bool crlf = end + 1 < rest_.size() && rest_[end] == '\r' && rest_[end + 1] == '\n';
      rest_.remove_prefix(std::min(rest_.size(), end + (crlf ? 2 : 1)));
      ++lineNumber_;
      // Blank lines, and the empty rows spreadsheets write as separators only, are skipped.
      if (text.find_first_not_of(" \t,;") == std::string_view::npos) continue;
      line = {lineNumber_, {}};
      if (!separator_) separator_ = ChooseSeparator(text);
      if (!Split(text, line, problem)) return false;
      const bool filled = std::any_of(line.fields.begin(), line.fields.end(),
                                      [](const std::string& f) { return !f.empty(); });
      if (filled) return true;
    }
    return false;
  }

  int LastLine() const { return lineNumber_; }

 private:
  // The header decides: ";" where it has no ",", as spreadsheets with a decimal comma write.
  static char ChooseSeparator(std::string_view text) {
    return text.find(kComma) == std::string_view::npos &&
                   text.find(kSemicolon) != std::string_view::npos
               ? kSemicolon
               : kComma;
  }

  bool Split(std::string_view text, Line& line, std::string& problem) const {
    const char separator = separator_.value_or(kComma);
    std::size_t i = 0;
    for (;;) {
      while (i < text.size() && IsBlank(text[i])) ++i;
      std::string field;
      if (i < text.size() && text[i] == kQuote) {
        const std::size_t column = line.fields.size() + 1;
        ++i;
        for (;;) {
          if (i >= text.size()) {
            problem = "Line " + std::to_string(line.number) + ", column " + std::to_string(column) +
                      ": the quoted field is not closed.";
            return false;
          }
          if (text[i] == kQuote) {
            if (i + 1 < text.size() && text[i + 1] == kQuote) {
              field += kQuote;
              i += 2;
              continue;
            }
            ++i;
            break;
          }
          field += text[i++];
        }
        while (i < text.size() && text[i] != separator) field += text[i++];
        field = std::string(Trimmed(field));
      } else {
        const std::size_t end = std::min(text.find(separator, i), text.size());
        field = std::string(Trimmed(text.substr(i, end - i)));
        i = end;
      }
      line.fields.push_back(std::move(field));
      if (i >= text.size()) return true;
      ++i;
    }
  }

  std::string_view rest_;
  int lineNumber_ = 0;
  std::optional<char> separator_;
};

std::string At(const Line& line, int column) {
  return "Line " + std::to_string(line.number) + ", column " + std::to_string(column);
}

// A row has ten columns; empty ones after them, as spreadsheets write, do not count.
std::optional<std::string> ShapeProblem(const Line& line, const std::string& what) {
  const int count = static_cast<int>(line.fields.size());
  if (count < kCsvColumns) {
    return At(line, count + 1) + ": " + what + " has " + std::to_string(count) +
           " columns; a table row has 10: the RPM and nine TPS columns from 0% to 100%.";
  }
  for (int c = kCsvColumns; c < count; ++c) {
    if (!line.fields[static_cast<std::size_t>(c)].empty()) {
      return At(line, c + 1) + ": " + what +
             " has more than 10 columns; a table row has the RPM and nine TPS columns.";
    }
  }
  return std::nullopt;
}

std::optional<double> Number(std::string_view field) {
  if (!tables::IsNumeric(field)) return std::nullopt;
  return core::LeadingNumber(field);
}

std::optional<std::string> HeaderProblem(const Line& line) {
  if (auto problem = ShapeProblem(line, "the header row")) return problem;
  for (int c = 1; c <= tables::kTpsColumns; ++c) {
    std::string_view label = line.fields[static_cast<std::size_t>(c)];
    if (label.ends_with('%')) label.remove_suffix(1);
    const std::optional<double> percent = Number(label);
    if (percent && *percent == tables::kTpsPercent[static_cast<std::size_t>(c - 1)]) continue;
    return At(line, c + 1) + ": the header names " +
           tables::QuotedExcerpt(line.fields[static_cast<std::size_t>(c)]) +
           " where the table has " +
           std::string(tables::kTpsLabels[static_cast<std::size_t>(c - 1)]) + " TPS.";
  }
  return std::nullopt;
}

std::string NumberProblem(const std::string& field) {
  return tables::QuotedExcerpt(field) + " is not a number" +
         (tables::IsDecimalCommaNumber(field)
              ? "; a decimal comma is not accepted: write the decimal point as \".\"."
              : ". Write numbers with \".\" as the decimal point.");
}

std::optional<std::string> RowProblem(const Line& line, const tables::TableLayout& layout, int r,
                                      tables::TableKind kind, std::string_view moduleVersion,
                                      TableValues& values) {
  const int rpm = layout.rpm[static_cast<std::size_t>(r - 1)];
  const std::string rowName = "the row for " + std::to_string(rpm) + " RPM";
  if (auto problem = ShapeProblem(line, rowName)) return problem;
  const std::optional<double> named = Number(line.fields[0]);
  if (!named || *named != rpm) {
    return At(line, 1) + ": the row names " + tables::QuotedExcerpt(line.fields[0]) +
           " RPM where the table has " + std::to_string(rpm) + " RPM (row " + std::to_string(r) +
           " of " + std::to_string(layout.rows) + ").";
  }
  for (int c = 1; c <= tables::kTpsColumns; ++c) {
    const std::string& field = line.fields[static_cast<std::size_t>(c)];
    const std::string place = At(line, c + 1) + " (" + std::to_string(rpm) + " RPM, " +
                              std::string(tables::kTpsLabels[static_cast<std::size_t>(c - 1)]) +
                              " TPS): ";
    const std::optional<double> value = Number(field);
    if (!value) return place + NumberProblem(field);
    if (auto refusal = CheckCellValue(kind, tables::IsLocked(moduleVersion, r, c), *value)) {
      return place + tables::QuotedExcerpt(field) + " " + *refusal + ".";
    }
    values.cells.push_back(*value);
  }
  return std::nullopt;
}

}  // namespace

std::string TableCsv(const core::ModuleImage& image, tables::TableId table) {
  const tables::TableLayout layout = tables::TableLayoutFor(image.ModuleVersion);
  std::string csv = tables::kCornerLabel;
  for (const std::string_view label : tables::kTpsLabels) (csv += kComma) += label;
  csv += '\n';
  for (int r = 1; r <= layout.rows; ++r) {
    csv += layout.rpmLabels[static_cast<std::size_t>(r - 1)];
    for (int c = 1; c <= tables::kTpsColumns; ++c) {
      (csv += kComma) += Unrounded(tables::ReadCell(image, table, layout.rows, r, c).displayed);
    }
    csv += '\n';
  }
  return csv;
}

CsvReading ReadTableCsv(std::string_view text, std::string_view moduleVersion,
                        tables::TableId table) {
  const tables::TableLayout layout = tables::TableLayoutFor(moduleVersion);
  const std::string span =
      std::to_string(layout.rpm.front()) + " to " + std::to_string(layout.rpm.back()) + " RPM";
  LineReader reader(text);
  Line line;
  std::string problem;
  if (!reader.NextFilled(line, problem)) {
    if (problem.empty()) {
      problem =
          "The file holds no table: it should start with the header row RPM/TPS,0%,...,100% "
          "and have " +
          std::to_string(layout.rows) + " rows, " + span + ".";
    }
    return {std::nullopt, problem};
  }
  if (auto headerProblem = HeaderProblem(line)) return {std::nullopt, *headerProblem};
  TableValues values{layout.rows, {}};
  for (int r = 1; r <= layout.rows; ++r) {
    if (!reader.NextFilled(line, problem)) {
      if (problem.empty()) {
        problem = "The file ends at line " + std::to_string(reader.LastLine()) + " after " +
                  std::to_string(r - 1) + " rows of values; the table has " +
                  std::to_string(layout.rows) + " rows, " + span + ".";
      }
      return {std::nullopt, problem};
    }
    if (auto rowProblem =
            RowProblem(line, layout, r, tables::KindOf(table), moduleVersion, values)) {
      return {std::nullopt, *rowProblem};
    }
  }
  if (reader.NextFilled(line, problem)) {
    return {std::nullopt, "Line " + std::to_string(line.number) + ": the table ends at " +
                              std::to_string(layout.rpm.back()) + " RPM after " +
                              std::to_string(layout.rows) + " rows; this row is one too many."};
  }
  if (!problem.empty()) return {std::nullopt, problem};
  return {std::move(values), {}};
}

std::vector<CellWrite> ChangedBytes(const core::ModuleImage& image, tables::TableId table,
                                    const TableValues& values) {
  const tables::TableLayout layout = tables::TableLayoutFor(image.ModuleVersion);
  std::vector<CellWrite> writes;
  for (int c = 1; c <= tables::kTpsColumns; ++c) {
    for (int r = 1; r <= layout.rows; ++r) {
      if (tables::IsLocked(image.ModuleVersion, r, c)) continue;
      const std::uint8_t byte = tables::EncodeCell(tables::KindOf(table), values.At(r, c));
      if (byte != tables::CellByte(image, table, layout.rows, r, c)) writes.push_back({r, c, byte});
    }
  }
  return writes;
}

}  // namespace compare
