// The two pages of the table printout: the chart page (the heading over the 3D chart)
// and the table page (the heading over the grid's rows as text in 8-character fields).
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "print/print_line.h"
#include "print/print_surface.h"

namespace print {

inline constexpr int kTablePagePoints = 8;
inline constexpr int kChartPageFirstLineTwips = 500;
inline constexpr int kTablePageFirstLineTwips = 2000;
// The chart starts this far below the top of the printable area.
inline constexpr int kChartTopTwips = 1200;
inline constexpr int kFieldWidth = 8;
// The RPM label column and the nine TPS columns.
inline constexpr int kTableLineFields = 10;

// The text centred in a field of width characters; a longer text is cut to the width.
std::string FitField(std::string_view text, int width);

// The text of grid cell (row, col); row 0 holds the TPS labels, column 0 the RPM labels.
using CellText = std::function<std::string(int row, int col)>;

// Grid row r as one line: its ten cells, each fitted into an 8-character field.
PrintLine TableLine(const CellText& cellText, int row);

// The chart's place on the page: the printable width, from 1200 twips below the top to
// the bottom, in printer pixels rounded to the nearest (halves to the even neighbour).
PixelRect ChartRectangle(const PageMetrics& metrics);

}  // namespace print
