// A printed line: text pieces placed at character columns of the monospaced printer font.
#pragma once

#include <string>
#include <vector>

namespace print {

// Every line of a printout starts at this character column; column 1 is the left edge
// of the printable area.
inline constexpr int kLeftColumn = 10;

struct TextPiece {
  int column = kLeftColumn;
  std::string text;
};

// No pieces: an empty line.
using PrintLine = std::vector<TextPiece>;

// A line with one piece at the left column.
PrintLine TextLine(std::string text);

// The line as plain text, with firstColumn as the first character.
std::string RenderLine(const PrintLine& line, int firstColumn);

}  // namespace print
