#include "print/printouts.h"

#include "print/parameter_page.h"

namespace print {

PrintDocument ParameterDocument(PrintSurface& surface, const std::string& font,
                                const PageHeading& heading, const core::ModuleImage& image) {
  PrintDocument document(surface, "the parameter page",
                         {font, kParameterPagePoints, kParameterPageFirstLineTwips});
  document.AddLines(ParameterPageLines(heading, image));
  return document;
}

PrintDocument ChartDocument(PrintSurface& surface, const std::string& font,
                            const PageHeading& heading, std::string_view tableName,
                            std::function<void()> beforeDrawing) {
  PrintDocument document(surface, "the chart page",
                         {font, kTablePagePoints, kChartPageFirstLineTwips});
  document.AddLines(HeadingLines(heading, tableName));
  if (beforeDrawing) document.AddStep(std::move(beforeDrawing));
  document.AddStep([&surface] { surface.DrawChart(ChartRectangle(surface.Metrics())); });
  return document;
}

PrintDocument TableDocument(PrintSurface& surface, const std::string& font,
                            const PageHeading& heading, std::string_view tableName, int rows,
                            const CellText& cellText) {
  PrintDocument document(surface, "the table page",
                         {font, kTablePagePoints, kTablePageFirstLineTwips});
  document.AddLines(HeadingLines(heading, tableName));
  document.AddLine(PrintLine{});
  for (int row = 0; row < rows; ++row) {
    document.AddLine([cellText, row] { return TableLine(cellText, row); });
  }
  return document;
}

}  // namespace print
