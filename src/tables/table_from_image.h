// A trim table as the grid and the chart show it, read from the image: what opening a
// table fills them with, and what a printout without windows prints.
#pragma once

#include <string>
#include <vector>

#include "core/module_image.h"
#include "tables/chart_data.h"
#include "tables/table_map.h"

namespace tables {

struct TableFromImage {
  // Grid texts by row and column: the corner and TPS labels in row 0, the RPM labels in
  // column 0, the cells as whole numbers.
  std::vector<std::vector<std::string>> texts;
  ChartValues chart;

  int Rows() const { return static_cast<int>(texts.size()); }
};

TableFromImage ReadTableFromImage(const core::ModuleImage& image, TableId table);

}  // namespace tables
