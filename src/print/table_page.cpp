#include "print/table_page.h"

#include <algorithm>
#include <cmath>

namespace print {

namespace {

bool IsUtf8Continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Cell texts are UTF-8: fields are counted in characters, not bytes.
std::size_t CharacterCount(std::string_view text) {
  std::size_t count = 0;
  for (char c : text) count += IsUtf8Continuation(c) ? 0 : 1;
  return count;
}

std::string_view FirstCharacters(std::string_view text, std::size_t n) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (!IsUtf8Continuation(text[i]) && count++ == n) return text.substr(0, i);
  }
  return text;
}

int WholePixels(double twips, double twipsPerPixel) {
  return static_cast<int>(std::nearbyint(twips / twipsPerPixel));
}

}  // namespace

std::string FitField(std::string_view text, int width) {
  const auto field = static_cast<std::size_t>(std::max(0, width));
  const std::size_t length = CharacterCount(text);
  if (length >= field) return std::string(FirstCharacters(text, field));
  const std::size_t left = (field - length) / 2;
  return std::string(left, ' ') + std::string(text) + std::string(field - length - left, ' ');
}

PrintLine TableLine(const CellText& cellText, int row) {
  std::string text;
  for (int col = 0; col < kTableLineFields; ++col)
    text += FitField(cellText(row, col), kFieldWidth);
  return TextLine(std::move(text));
}

PixelRect ChartRectangle(const PageMetrics& metrics) {
  return {0, WholePixels(kChartTopTwips, metrics.twipsPerPixelY),
          WholePixels(metrics.widthTwips, metrics.twipsPerPixelX),
          WholePixels(metrics.heightTwips - kChartTopTwips, metrics.twipsPerPixelY)};
}

}  // namespace print
