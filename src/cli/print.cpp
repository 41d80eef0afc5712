// ventrel-cli print: the parameter page or a table's printout of a data file, laid out as
// the program prints it, written as a PDF file or sent to a print queue (the default one
// when neither is named). The chart page needs OpenGL; without it the printout has the
// table page only, and stderr says so.
#include "cli/print.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <filesystem>
#include <iostream>
#include <optional>
#include <stdexcept>

#include "app/branding.h"
#include "app/data_folder.h"
#include "cli/command.h"
#include "cli/data_file_loading.h"
#include "core/editions.h"
#include "core/failure.h"
#include "files/data_file_commands.h"
#include "print/page_conventions.h"
#include "print/printouts.h"
#include "tables/table_from_image.h"
#include "qt/chart_snapshot.h"
#include "qt/pdf_file_target.h"
#include "qt/print_date.h"
#include "qt/print_queue_target.h"
#include "qt/print_queues.h"
#include "qt/qt_print_surface.h"
#include "qt/qt_text.h"
#include "tables/chart_template.h"

namespace cli {

namespace {

constexpr const char* kUsage =
    "usage: ventrel-cli print FILE.dat params|front|rear|retard [--pdf OUT.pdf | --printer NAME]\n"
    "                         [--comment TEXT]\n";
constexpr const char* kQueueAdvice =
    "Name a printer with --printer (\"lpstat -p\" lists them and their state), or write a PDF "
    "file with --pdf.";
constexpr const char* kCommand = "print";

struct PrintArguments {
  std::string dataFile;
  std::string what;
  std::string pdf;
  std::string printer;
  std::string comment;
};

// "--name VALUE" or "--name=VALUE" at arguments[i]; i moves past what it took.
std::optional<std::string> TakeValue(const std::vector<std::string>& arguments, std::size_t& i,
                                     const std::string& name) {
  if (arguments[i] == name && i + 1 < arguments.size()) return arguments[++i];
  if (arguments[i].starts_with(name + "=")) return arguments[i].substr(name.size() + 1);
  return std::nullopt;
}

std::optional<tables::TableId> TableNamed(const std::string& name) {
  if (name == "front") return tables::TableId::FrontCylTrim;
  if (name == "rear") return tables::TableId::RearCylTrim;
  if (name == "retard") return tables::TableId::Retard;
  return std::nullopt;
}

std::optional<PrintArguments> Parse(const std::vector<std::string>& arguments) {
  PrintArguments parsed;
  std::vector<std::string> positional;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (auto pdf = TakeValue(arguments, i, "--pdf")) {
      parsed.pdf = *pdf;
    } else if (auto printer = TakeValue(arguments, i, "--printer")) {
      parsed.printer = *printer;
    } else if (auto comment = TakeValue(arguments, i, "--comment")) {
      parsed.comment = *comment;
    } else if (!argument.starts_with("--")) {
      positional.push_back(argument);
    } else {
      std::cerr << "ventrel-cli print: unexpected argument \"" << argument << "\"\n";
      return std::nullopt;
    }
  }
  if (positional.size() != 2) return std::nullopt;
  if (!parsed.pdf.empty() && !parsed.printer.empty()) {
    std::cerr << "ventrel-cli print: give --pdf or --printer, not both\n";
    return std::nullopt;
  }
  parsed.dataFile = positional[0];
  parsed.what = positional[1];
  if (parsed.what != "params" && !TableNamed(parsed.what)) return std::nullopt;
  return parsed;
}

// Fonts and PDF pages need a GUI application. A display is used where there is one (it
// may give the chart OpenGL); without one, or when it cannot be reached, it runs off screen.
void ChoosePlatform() {
  if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) return;
  QByteArray platforms;
  if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) platforms += "wayland;";
  if (!qEnvironmentVariableIsEmpty("DISPLAY")) platforms += "xcb;";
  qputenv("QT_QPA_PLATFORM", platforms + "offscreen");
}

std::string CompanyLabel(const std::filesystem::path& programFolder) {
  app::Branding branding = app::BuiltInBranding();
  const std::filesystem::path file = programFolder / app::kBrandingFileName;
  std::error_code error;
  if (std::filesystem::exists(file, error)) {
    try {
      app::ReadBrandingFile(file, branding);
    } catch (const core::Error& e) {
      std::cerr << "ventrel-cli print: " << e.failure().description
                << " (printing with what could be read)\n";
    }
  }
  return app::Item(branding.CompanyLines, app::kCompanyShortLabel);
}

// The chart as the program draws it, or nothing after saying on stderr why not.
std::unique_ptr<qtui::ChartSnapshot> Chart(const std::filesystem::path& programFolder,
                                           const core::ModuleImage& image, tables::TableId table,
                                           const tables::ChartValues& values) {
  const std::filesystem::path file =
      programFolder /
      tables::ChartTemplateFileName(tables::KindOf(table), image.ModuleVersion == core::kVersionJX);
  tables::ChartTemplate chartTemplate;
  try {
    chartTemplate = tables::ReadChartTemplate(file);
  } catch (const std::exception& e) {
    std::cerr << "ventrel-cli print: " << e.what() << "; the chart page is left out\n";
    return nullptr;
  }
  auto chart = std::make_unique<qtui::ChartSnapshot>(chartTemplate, values);
  if (chart->Available()) return chart;
  std::cerr << "ventrel-cli print: this display has no OpenGL to draw the 3D chart; the chart "
               "page is left out\n";
  return nullptr;
}

// The PDF file, or the print queue named or else the default one. Throws, having sent
// nothing, when the queue would not print the pages now.
std::unique_ptr<qtui::PageTarget> Target(const PrintArguments& parsed) {
  if (!parsed.pdf.empty())
    return std::make_unique<qtui::PdfFileTarget>(qtui::ToQString(parsed.pdf));
  const std::string queue = parsed.printer.empty() ? qtui::DefaultPrintQueue() : parsed.printer;
  if (const auto refusal = print::QueueRefusal(qtui::PrintQueueState(queue))) {
    throw std::runtime_error(*refusal + " " + kQueueAdvice);
  }
  const QPageLayout layout = qtui::PrintQueuePageLayout(queue).value_or(
      qtui::PdfFileTarget(QString()).Device().pageLayout());
  return std::make_unique<qtui::PrintQueueTarget>(
      queue, layout, "Ventrel - " + files::DataSourceTextFor(parsed.dataFile), kQueueAdvice);
}

}  // namespace

int RunPrint(const std::vector<std::string>& arguments) {
  const std::optional<PrintArguments> parsed = Parse(arguments);
  if (!parsed) {
    std::cerr << kUsage;
    return kExitUsage;
  }
  std::error_code error;
  if (std::filesystem::equivalent(parsed->dataFile, parsed->pdf, error)) {
    std::cerr << "ventrel-cli print: " << parsed->pdf
              << " is the data file itself; give another name for the PDF file\n";
    return kExitUsage;
  }
  const std::optional<core::ModuleImage> image = LoadDataFile(kCommand, parsed->dataFile);
  if (!image) return kExitFailed;
  const std::optional<tables::TableId> table = TableNamed(parsed->what);
  if (table == tables::TableId::Retard && !core::IsSecondGeneration(image->ModuleVersion)) {
    std::cerr << "ventrel-cli print: " << parsed->dataFile << " holds " << image->ModuleVersion
              << " data; only Quillon II editions have a retard table\n";
    return kExitFailed;
  }

  ChoosePlatform();
  int argc = 1;
  char name[] = "ventrel-cli";
  char* argv[] = {name, nullptr};
  QGuiApplication application(argc, argv);
  const std::filesystem::path programFolder =
      app::DataFolder(qtui::ToPath(QCoreApplication::applicationDirPath()));

  const print::PageHeading heading{CompanyLabel(programFolder), image->ModuleVersion,
                                   files::DataSourceTextFor(parsed->dataFile), parsed->comment,
                                   qtui::PrintDateText()};
  const std::unique_ptr<qtui::PageTarget> target = Target(*parsed);
  const auto receipts = [&target] {
    for (const std::string& receipt : target->Receipts()) std::cout << receipt << "\n";
    return kExitOK;
  };
  if (!table) {
    qtui::QtPrintSurface surface(*target);
    print::ParameterDocument(surface, print::ChoosePrinterFont(surface.FontNames()), heading,
                             *image)
        .PrintUnattended();
    return receipts();
  }
  const std::string tableName(tables::TableName(*table));
  const tables::TableFromImage grid = tables::ReadTableFromImage(*image, *table);
  const std::unique_ptr<qtui::ChartSnapshot> chart =
      Chart(programFolder, *image, *table, grid.chart);
  qtui::ChartRenderer renderChart;
  if (chart) renderChart = [&chart](const QSize& size) { return chart->Render(size); };
  qtui::QtPrintSurface surface(*target, renderChart);
  const std::string font = print::ChoosePrinterFont(surface.FontNames());
  if (chart) print::ChartDocument(surface, font, heading, tableName).PrintUnattended();
  print::TableDocument(surface, font, heading, tableName, grid.Rows(), [&grid](int row, int col) {
    return grid.texts.at(static_cast<std::size_t>(row)).at(static_cast<std::size_t>(col));
  }).PrintUnattended();
  return receipts();
}

}  // namespace cli
