// The documents of the two printouts, for the menu commands and for ventrel-cli.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "core/module_image.h"
#include "print/page_conventions.h"
#include "print/print_document.h"
#include "print/print_surface.h"
#include "print/table_page.h"

namespace print {

PrintDocument ParameterDocument(PrintSurface& surface, const std::string& font,
                                const PageHeading& heading, const core::ModuleImage& image);

// The heading over the chart; beforeDrawing runs just before the chart is drawn (the
// program hides the chart's value label there).
PrintDocument ChartDocument(PrintSurface& surface, const std::string& font,
                            const PageHeading& heading, std::string_view tableName,
                            std::function<void()> beforeDrawing = {});

// The heading, an empty line, then grid rows 0 to rows - 1 as text.
PrintDocument TableDocument(PrintSurface& surface, const std::string& font,
                            const PageHeading& heading, std::string_view tableName, int rows,
                            const CellText& cellText);

}  // namespace print
