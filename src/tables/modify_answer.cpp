#include "tables/modify_answer.h"

#include <string>

#include "core/text.h"

namespace tables {

namespace {

constexpr double kPercent = 100;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// What the leading-number reader would find a number in: after blanks and a sign, a
// digit, or a decimal point followed by one.
bool StartsWithNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (IsBlank(text[i]) || text[i] == '\r' || text[i] == '\n')) ++i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  if (i < text.size() && IsDigit(text[i])) return true;
  return i + 1 < text.size() && text[i] == '.' && IsDigit(text[i + 1]);
}

std::string WithoutPercentAndPlus(std::string_view text) {
  std::string kept;
  kept.reserve(text.size());
  for (const char c : text) {
    if (c != '%' && c != '+') kept += c;
  }
  return kept;
}

}  // namespace

std::string_view TrimModifyAnswer(std::string_view answer) {
  while (!answer.empty() && IsBlank(answer.front())) answer.remove_prefix(1);
  while (!answer.empty() && IsBlank(answer.back())) answer.remove_suffix(1);
  return answer;
}

std::optional<ModifyAnswer> ReadModifyAnswer(std::string_view trimmed) {
  const std::string number = WithoutPercentAndPlus(trimmed);
  if (!StartsWithNumber(number)) return std::nullopt;
  ModifyAnswer answer;
  answer.x = core::LeadingNumber(number);
  answer.percent = trimmed.find('%') != std::string_view::npos;
  answer.isSigned = trimmed.find_first_of("+-") != std::string_view::npos;
  return answer;
}

double ModifiedValue(const ModifyAnswer& answer, double current) {
  if (answer.percent) {
    return answer.isSigned ? current * (1 + answer.x / kPercent) : current * answer.x / kPercent;
  }
  return answer.isSigned ? current + answer.x : answer.x;
}

}  // namespace tables
