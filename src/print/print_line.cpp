#include "print/print_line.h"

#include <algorithm>

namespace print {

PrintLine TextLine(std::string text) { return {{kLeftColumn, std::move(text)}}; }

std::string RenderLine(const PrintLine& line, int firstColumn) {
  std::string text;
  for (const TextPiece& piece : line) {
    const auto at = static_cast<std::size_t>(std::max(0, piece.column - firstColumn));
    if (text.size() < at) text.resize(at, ' ');
    text += piece.text;
  }
  return text;
}

}  // namespace print
