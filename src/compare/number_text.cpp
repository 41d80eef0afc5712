#include "compare/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace compare {

namespace {

// Below half of the last decimal shown, a value is written as zero, without a sign.
constexpr double kShownAsZero = 0.005;

std::string Printed(const char* format, double value) {
  if (!std::isfinite(value)) return "0.00";
  char text[400];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

}  // namespace

std::string Unrounded(double value) {
  char text[32];
  // Adding 0.0 turns -0 into 0.
  const auto end = std::to_chars(text, text + sizeof text, value + 0.0).ptr;
  return std::string(text, end);
}

std::string TwoDecimals(double value) {
  return Printed("%.2f", std::abs(value) < kShownAsZero ? 0.0 : value);
}

std::string SignedDifference(double value) { return Printed("%+.2f", value); }

}  // namespace compare
