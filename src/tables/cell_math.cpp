#include "tables/cell_math.h"

#include "tables/selection.h"

namespace tables {

namespace {

double Between(double from, double to, double t) { return from + (to - from) * t; }

// Where x lies from a to b, 0 to 1.
double Fraction(double x, double a, double b) { return b == a ? 0 : (x - a) / (b - a); }

}  // namespace

std::optional<std::vector<CellValue>> Interpolated(const CellRect& cells, const TableAxes& axes,
                                                   const CellReader& value,
                                                   const LockTest& locked) {
  const int height = cells.row2 - cells.row1 + 1;
  const int width = cells.col2 - cells.col1 + 1;
  if (height * width <= 2 || (height == 2 && width == 2)) return std::nullopt;
  const auto rpm = [&](int r) { return axes.rows.at(static_cast<std::size_t>(r - 1)); };
  const auto tps = [&](int c) { return axes.cols.at(static_cast<std::size_t>(c - 1)); };
  const double topLeft = value(cells.row1, cells.col1);
  const double topRight = value(cells.row1, cells.col2);
  const double bottomLeft = value(cells.row2, cells.col1);
  const double bottomRight = value(cells.row2, cells.col2);
  std::vector<CellValue> filled;
  for (int r = cells.row1; r <= cells.row2; ++r) {
    const double down = Fraction(rpm(r), rpm(cells.row1), rpm(cells.row2));
    for (int c = cells.col1; c <= cells.col2; ++c) {
      const bool end = (r == cells.row1 || r == cells.row2) && (c == cells.col1 || c == cells.col2);
      if (end || locked(r, c)) continue;
      const double across = Fraction(tps(c), tps(cells.col1), tps(cells.col2));
      filled.push_back({r, c,
                        Between(Between(topLeft, topRight, across),
                                Between(bottomLeft, bottomRight, across), down)});
    }
  }
  return filled;
}

std::vector<CellValue> Smoothed(const CellRect& cells, int rows, int cols, const CellReader& value,
                                const LockTest& locked) {
  constexpr int kWeights[3][3] = {{1, 2, 1}, {2, 4, 2}, {1, 2, 1}};
  std::vector<CellValue> smoothed;
  for (int r = cells.row1; r <= cells.row2; ++r) {
    for (int c = cells.col1; c <= cells.col2; ++c) {
      if (locked(r, c)) continue;
      double sum = 0;
      int weights = 0;
      for (int dr = -1; dr <= 1; ++dr) {
        for (int dc = -1; dc <= 1; ++dc) {
          const int nr = r + dr;
          const int nc = c + dc;
          if (nr < 1 || nr > rows || nc < 1 || nc > cols || locked(nr, nc)) continue;
          const int weight = kWeights[dr + 1][dc + 1];
          sum += weight * value(nr, nc);
          weights += weight;
        }
      }
      smoothed.push_back({r, c, sum / weights});
    }
  }
  return smoothed;
}

std::vector<CellValue> Stepped(const CellRect& cells, TableKind kind, double units,
                               const CellReader& value, const LockTest& locked) {
  std::vector<CellValue> stepped;
  for (int r = cells.row1; r <= cells.row2; ++r) {
    for (int c = cells.col1; c <= cells.col2; ++c) {
      if (!locked(r, c)) stepped.push_back({r, c, ClampToRange(kind, value(r, c) + units)});
    }
  }
  return stepped;
}

}  // namespace tables
