// The File menu's print commands: the parameter page of the tune in memory, and the
// open table as its chart page and its table page.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "core/host.h"
#include "core/module_image.h"
#include "print/print_surface.h"
#include "tables/grid.h"
#include "tables/table_editor.h"

namespace print {

// Every printout kept as a PDF file is offered under this filter and suffix.
inline constexpr const char* kPdfFilter = "PDF Files (*.pdf)|*.pdf";
inline constexpr const char* kPdfExtension = ".pdf";

// What each printout needs besides its own data.
struct PrintRequest {
  core::Host& host;
  PrintSurface& surface;
  // CompanyLines item 1.
  std::string companyLabel;
  std::string dataSourceText;
  // The current date and time in the system's short date and long time formats.
  std::function<std::string()> printDate;
};

// mnuPrintParams_Click.
void PrintParams(const core::ModuleImage& image, const PrintRequest& request);

// mnuPrint3DTable_Click: the chart page while the chart is shown, then the table page
// with every row of the grid.
void Print3DTable(tables::TableEditor& editor, const tables::Grid& grid,
                  std::string_view moduleVersion, const PrintRequest& request);

}  // namespace print
