#include "tables/cell_text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "core/text.h"

namespace tables {

namespace {

// Characters of a refused text that a message quotes; the rest is cut off.
constexpr std::size_t kExcerptCharacters = 24;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::size_t SkipDigits(std::string_view text, std::size_t i) {
  while (i < text.size() && IsDigit(text[i])) ++i;
  return i;
}

}  // namespace

bool IsNumeric(std::string_view text) {
  text = Trimmed(text);
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  const std::size_t integerEnd = SkipDigits(text, i);
  bool digits = integerEnd > i;
  i = integerEnd;
  if (i < text.size() && text[i] == '.') {
    const std::size_t fractionEnd = SkipDigits(text, i + 1);
    digits = digits || fractionEnd > i + 1;
    i = fractionEnd;
  }
  if (!digits) return false;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t e = i + 1;
    if (e < text.size() && (text[e] == '+' || text[e] == '-')) ++e;
    const std::size_t exponentEnd = SkipDigits(text, e);
    if (exponentEnd == e) return false;
    i = exponentEnd;
  }
  return i == text.size();
}

std::string QuotedExcerpt(std::string_view text) {
  std::string excerpt = "\"";
  std::size_t characters = 0;
  for (const char c : text) {
    if (!core::IsUtf8Continuation(c) && ++characters > kExcerptCharacters) {
      excerpt += "...";
      break;
    }
    const auto byte = static_cast<unsigned char>(c);
    excerpt += byte < 0x20 || byte == 0x7F ? '?' : c;
  }
  return excerpt + "\"";
}

bool IsDecimalCommaNumber(std::string_view text) {
  if (text.find(',') == std::string_view::npos) return false;
  std::string dotted(text);
  std::replace(dotted.begin(), dotted.end(), ',', '.');
  return IsNumeric(dotted);
}

double CellNumber(std::string_view text) { return IsNumeric(text) ? core::LeadingNumber(text) : 0; }

std::string FormatWhole(double value) {
  if (!std::isfinite(value)) return "0";
  const double whole = std::round(value);
  if (whole == 0) return "0";
  char text[400];
  std::snprintf(text, sizeof text, "%.0f", whole);
  return text;
}

}  // namespace tables
