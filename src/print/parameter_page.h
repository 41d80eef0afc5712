// The parameter page: text pieces at character columns, read straight from the EEPROM
// image. The printout and ventrel-cli share these lines.
#pragma once

#include <string>
#include <vector>

#include "core/module_image.h"

namespace print {

// Every line of the page starts at this character column.
inline constexpr int kLeftColumn = 10;
inline constexpr int kValueColumn = 30;
inline constexpr int kParameterValueColumn = 25;

struct TextPiece {
  int column = kLeftColumn;
  std::string text;
};

// No pieces: an empty line.
using PrintLine = std::vector<TextPiece>;

// " 5" for values that are not negative, "-12" for negative ones.
std::string SignFirst(int value);

// The printable characters (32..126) of the user data field, in order.
std::string UserText(const core::ModuleImage& image);

// From "User Data:" to the last parameter line.
std::vector<PrintLine> ParameterLines(const core::ModuleImage& image);

// The line as plain text, with firstColumn as the first character.
std::string RenderLine(const PrintLine& line, int firstColumn);

}  // namespace print
