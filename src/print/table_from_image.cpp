#include "print/table_from_image.h"

#include "tables/cell_codec.h"
#include "tables/cell_text.h"

namespace print {

TableFromImage ReadTableFromImage(const core::ModuleImage& image, tables::TableId table) {
  const tables::TableLayout layout = tables::TableLayoutFor(image.ModuleVersion);
  TableFromImage result;
  result.chart = tables::ChartValues(layout.rows, tables::kTpsColumns);
  result.chart.rowPositions.assign(layout.rpm.begin(), layout.rpm.end());
  result.chart.columnPositions.assign(tables::kTpsPercent.begin(), tables::kTpsPercent.end());

  std::vector<std::string>& header = result.texts.emplace_back();
  header.emplace_back(tables::kCornerLabel);
  header.insert(header.end(), tables::kTpsLabels.begin(), tables::kTpsLabels.end());
  for (int r = 1; r <= layout.rows; ++r) {
    std::vector<std::string>& row = result.texts.emplace_back();
    row.push_back(layout.rpmLabels[static_cast<std::size_t>(r - 1)]);
    for (int c = 1; c <= tables::kTpsColumns; ++c) {
      const tables::DecodedCell cell = tables::ReadCell(image, table, layout.rows, r, c);
      result.chart.At(r, c) = cell.chart;
      row.push_back(tables::FormatWhole(cell.displayed));
    }
  }
  return result;
}

}  // namespace print
