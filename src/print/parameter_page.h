// The parameter page: who made the tune, its firmware ID, the user text, the mode
// switches and every parameter, read straight from the EEPROM image. The printout and
// ventrel-cli info share these lines.
#pragma once

#include <string>
#include <vector>

#include "core/module_image.h"
#include "print/page_conventions.h"
#include "print/print_line.h"

namespace print {

inline constexpr int kParameterPagePoints = 10;
inline constexpr int kParameterPageFirstLineTwips = 2000;
inline constexpr const char* kParameterPageSubject = "Parameters";

inline constexpr int kValueColumn = 30;
inline constexpr int kParameterValueColumn = 25;

// " 5" for values that are not negative, "-12" for negative ones.
std::string SignFirst(int value);

// From "User Data:" to the last parameter line.
std::vector<PrintLine> ParameterLines(const core::ModuleImage& image);

// The whole page, from the heading to the empty line after the last parameter.
std::vector<PrintLine> ParameterPageLines(const PageHeading& heading,
                                          const core::ModuleImage& image);

}  // namespace print
