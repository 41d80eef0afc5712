// A trim table as the open grid and chart would hold it, read straight from the image,
// for printing a table without windows.
#pragma once

#include <string>
#include <vector>

#include "core/module_image.h"
#include "tables/chart_data.h"
#include "tables/table_map.h"

namespace print {

struct TableFromImage {
  // Grid texts by row and column: the corner and TPS labels in row 0, the RPM labels in
  // column 0, the cells as whole numbers.
  std::vector<std::vector<std::string>> texts;
  tables::ChartValues chart;

  int Rows() const { return static_cast<int>(texts.size()); }
};

TableFromImage ReadTableFromImage(const core::ModuleImage& image, tables::TableId table);

}  // namespace print
