#include "tables/table_from_image.h"

#include "tables/cell_codec.h"
#include "tables/cell_text.h"

namespace tables {

TableFromImage ReadTableFromImage(const core::ModuleImage& image, TableId table) {
  const TableLayout layout = TableLayoutFor(image.ModuleVersion);
  TableFromImage result;
  result.chart = ChartValues(layout.rows, kTpsColumns);
  result.chart.rowPositions.assign(layout.rpm.begin(), layout.rpm.end());
  result.chart.columnPositions.assign(kTpsPercent.begin(), kTpsPercent.end());

  std::vector<std::string>& header = result.texts.emplace_back();
  header.emplace_back(kCornerLabel);
  header.insert(header.end(), kTpsLabels.begin(), kTpsLabels.end());
  for (int r = 1; r <= layout.rows; ++r) {
    std::vector<std::string>& row = result.texts.emplace_back();
    row.push_back(layout.rpmLabels[static_cast<std::size_t>(r - 1)]);
    for (int c = 1; c <= kTpsColumns; ++c) {
      const DecodedCell cell = ReadCell(image, table, layout.rows, r, c);
      result.chart.At(r, c) = cell.chart;
      row.push_back(FormatWhole(cell.displayed));
    }
  }
  return result;
}

}  // namespace tables
