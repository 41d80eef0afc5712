// The table page's fields and lines, the chart rectangle, and the table read from the
// image as the grid shows it.
#include "print/table_page.h"

#include <gtest/gtest.h>

#include "tables/table_from_image.h"
#include "tables/table_map.h"

namespace {

TEST(TablePage, FieldsAreCentredInEightCharactersAndLongerTextsCut) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"", "        "},
      {"0", "   0    "},
      {"-4", "   -4   "},
      {"2.5%", "  2.5%  "},
      {"RPM/TPS", "RPM/TPS "},
      {"12345678", "12345678"},
      {"123456789", "12345678"},
      {"9\xC2\xB0"
       "C",
       "  9\xC2\xB0"
       "C   "},
      {"\xC2\xB0\xC2\xB0\xC2\xB0\xC2\xB0\xC2\xB0\xC2\xB0\xC2\xB0\xC2\xB0\xC2\xB0",
       "\xC2\xB0\xC2\xB0\xC2\xB0\xC2\xB0\xC2\xB0\xC2\xB0\xC2\xB0\xC2\xB0"},
  };
  for (const auto& [text, fitted] : cases) EXPECT_EQ(print::FitField(text, 8), fitted) << text;
}

TEST(TablePage, ChartRectangleInPrinterPixelsRoundsHalvesToEven) {
  const std::vector<std::pair<print::PageMetrics, print::PixelRect>> cases = {
      {{11520, 15120, 1.2, 1.2}, {0, 1000, 9600, 11600}},
      {{11520, 15120, 1.2, 2.4}, {0, 500, 9600, 5800}},
      // 37.5 / 15 = 2.5 goes down to 2; 22.5 / 15 = 1.5 goes up to 2.
      {{37.5, 1237.5, 15, 15}, {0, 80, 2, 2}},
      {{22.5, 1222.5, 15, 15}, {0, 80, 2, 2}},
  };
  for (const auto& [metrics, rect] : cases) EXPECT_EQ(print::ChartRectangle(metrics), rect);
}

TEST(TablePage, JXTableFromTheImageHasAllTwentyThreeGridRows) {
  core::ModuleImage image;
  image.ModuleVersion = "JX";
  // Row 22 (9500 RPM), column 9 (100 %) of the front table: byte 0 is -100 %.
  for (int c = 1; c <= 9; ++c)
    tables::SetCellByte(image, tables::TableId::FrontCylTrim, 22, 22, c, 128);
  tables::SetCellByte(image, tables::TableId::FrontCylTrim, 22, 22, 9, 0);
  const tables::TableFromImage table =
      tables::ReadTableFromImage(image, tables::TableId::FrontCylTrim);
  ASSERT_EQ(table.Rows(), 23);
  const auto cell = [&](int r, int c) {
    return table.texts[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)];
  };
  EXPECT_EQ(print::RenderLine(print::TableLine(cell, 0), 1),
            "         RPM/TPS    0%     2.5%     5%     10%     20%     40%     60%     80%    "
            " 100%  ");
  EXPECT_EQ(print::RenderLine(print::TableLine(cell, 22), 1),
            "           9500     0       0       0       0       0       0       0       0     "
            " -100  ");
  EXPECT_EQ(table.chart.Rows(), 22);
  EXPECT_EQ(table.chart.At(22, 9), -100);
  EXPECT_EQ(table.chart.rowPositions.back(), 9500);
}

}  // namespace
