// The layout unit of the table controls, the twip (1/1440 inch), at the screen's DPI.
#pragma once

#include <QWidget>
#include <cmath>

namespace qtui {

inline constexpr double kTwipsPerInch = 1440;

inline int TwipsToPixelsX(const QWidget& widget, int twips) {
  return static_cast<int>(std::lround(twips * widget.logicalDpiX() / kTwipsPerInch));
}
inline int TwipsToPixelsY(const QWidget& widget, int twips) {
  return static_cast<int>(std::lround(twips * widget.logicalDpiY() / kTwipsPerInch));
}
inline int PixelsToTwipsX(const QWidget& widget, int pixels) {
  return static_cast<int>(std::lround(pixels * kTwipsPerInch / widget.logicalDpiX()));
}
inline int PixelsToTwipsY(const QWidget& widget, int pixels) {
  return static_cast<int>(std::lround(pixels * kTwipsPerInch / widget.logicalDpiY()));
}

// Cell sizes round down, so that rows and columns sized to fill the grid fit in it.
inline int TwipsToCellPixelsX(const QWidget& widget, int twips) {
  return static_cast<int>(std::floor(twips * widget.logicalDpiX() / kTwipsPerInch));
}
inline int TwipsToCellPixelsY(const QWidget& widget, int twips) {
  return static_cast<int>(std::floor(twips * widget.logicalDpiY() / kTwipsPerInch));
}

}  // namespace qtui
