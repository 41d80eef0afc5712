#include "print/print_commands.h"

#include <optional>

#include "print/printouts.h"

namespace print {

namespace {

constexpr const char* kPrintParamsTitle = "Print Module Parameters";
constexpr const char* kPrintTableTitle = "Print 3D Table";
constexpr const char* kNothingToPrint = "Data Buffer Empty - Nothing to Print.";
constexpr const char* kNoActiveTable = "No Active 3D Table - Nothing to Print.";
constexpr const char* kCommentPrompt = "Serial number or comment?";
constexpr const char* kCommentTitle = "Optional Information Entry";
constexpr const char* kNoPrinter =
    "No printer is installed.\r\n\r\nWrite the printout to a PDF file instead?";
constexpr const char* kPdfDialogTitle = "Save Printout As PDF";
constexpr const char* kParametersFileName = "Quillon Parameters";
constexpr const char* kNoChart =
    "The 3D chart cannot be drawn on this display (it has no OpenGL), so the chart page is "
    "left out and only the table page is printed.";

std::string WithPdfExtension(std::string path) {
  const std::size_t name = path.find_last_of('/');
  const std::size_t dot = path.find_last_of('.');
  if (dot == std::string::npos || (name != std::string::npos && dot < name)) path += kPdfExtension;
  return path;
}

// Without a printer the printout can still be kept: as a PDF file the user names.
bool ChooseOutput(const PrintRequest& request, const char* title, const std::string& fileName) {
  if (request.surface.PrinterInstalled()) return true;
  if (request.host.MsgBox(kNoPrinter, title, core::Buttons::YesNo, core::Icon::Question) !=
      core::Answer::Yes) {
    return false;
  }
  const std::optional<std::string> path =
      request.host.SaveFileDialog({kPdfDialogTitle, kPdfFilter, fileName + kPdfExtension});
  if (!path || path->empty()) return false;
  request.surface.UsePdfFile(WithPdfExtension(*path));
  return true;
}

// The comment, the output and the date: nothing when the user gave up on the printout.
std::optional<PageHeading> StartPrintout(const PrintRequest& request, const char* title,
                                         std::string_view moduleVersion,
                                         const std::string& fileName) {
  const std::string comment =
      request.host.InputBox(kCommentPrompt, kCommentTitle, "").value_or(std::string());
  if (!ChooseOutput(request, title, fileName)) return std::nullopt;
  return PageHeading{request.companyLabel, std::string(moduleVersion), request.dataSourceText,
                     comment, request.printDate()};
}

}  // namespace

void PrintParams(const core::ModuleImage& image, const PrintRequest& request) {
  if (image.FLASHBufferEmpty) {
    request.host.MsgBox(kNothingToPrint, kPrintParamsTitle, core::Buttons::OK,
                        core::Icon::Exclamation);
    return;
  }
  const std::optional<PageHeading> heading =
      StartPrintout(request, kPrintParamsTitle, image.ModuleVersion, kParametersFileName);
  if (!heading) return;
  const std::string font = ChoosePrinterFont(request.surface.FontNames());
  ParameterDocument(request.surface, font, *heading, image).Print(request.host);
}

void Print3DTable(tables::TableEditor& editor, const tables::Grid& grid,
                  std::string_view moduleVersion, const PrintRequest& request) {
  if (!editor.TableIsOpen()) {
    request.host.MsgBox(kNoActiveTable, kPrintTableTitle, core::Buttons::OK,
                        core::Icon::Exclamation);
    return;
  }
  // The printout shows the cells as the user left them, the last entry included.
  if (!editor.EndOpenEntry()) return;
  const std::string tableName = editor.ActiveTableName;
  const std::optional<PageHeading> heading =
      StartPrintout(request, kPrintTableTitle, moduleVersion, tableName);
  if (!heading) return;
  const std::string font = ChoosePrinterFont(request.surface.FontNames());
  if (editor.ChartVisible()) {
    if (!request.surface.CanDrawChart()) {
      request.host.MsgBox(kNoChart, kPrintTableTitle, core::Buttons::OK, core::Icon::Information);
    } else if (!ChartDocument(request.surface, font, *heading, tableName, [&editor] {
                  editor.HideValueLabel();
                }).Print(request.host)) {
      return;
    }
  }
  TableDocument(request.surface, font, *heading, tableName, grid.Rows(), [&grid](int row, int col) {
    return grid.TextMatrix(row, col);
  }).Print(request.host);
}

}  // namespace print
