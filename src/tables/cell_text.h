// Reading and writing the numbers in grid cell texts.
#pragma once

#include <string>
#include <string_view>

namespace tables {

// A decimal number with optional sign, decimal point, exponent and surrounding blanks.
bool IsNumeric(std::string_view text);

// A short quotation of a refused text for a message: control characters shown as "?",
// long texts cut at a character boundary.
std::string QuotedExcerpt(std::string_view text);

// A number written with a decimal comma ("1,5"), which the tables do not take: messages
// then say how to write it.
bool IsDecimalCommaNumber(std::string_view text);

// The number a cell holds: its value when the text is a number, else 0.
double CellNumber(std::string_view text);

// Whole-number display ("##0"): halves away from zero, no "-0".
std::string FormatWhole(double value);

}  // namespace tables
