// How the comparison and the table exchange write numbers.
#pragma once

#include <string>

namespace compare {

// The shortest text that reads back as the same double, "." as the decimal point; never
// "-0". Spreadsheets and the import read it back exactly.
std::string Unrounded(double value);

// Two decimals, as the comparison shows values: "-3.13", "0.00".
std::string TwoDecimals(double value);

// Two decimals with the sign always written, so a difference reads without colour: "+3.13".
std::string SignedDifference(double value);

}  // namespace compare
