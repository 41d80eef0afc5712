// ventrel-cli import: a table from a CSV file into a data file, with the checks of the
// desktop program's Import Table. Only the table's changed cells are written; every other
// byte of the file stays as it was.
#include <filesystem>
#include <iostream>

#include "app/table_exchange.h"
#include "cli/command.h"
#include "cli/compare_commands.h"
#include "cli/data_file_loading.h"
#include "cli/table_argument.h"
#include "compare/table_csv.h"
#include "core/failure.h"
#include "files/data_file.h"

namespace cli {

namespace {

constexpr const char* kCommand = "import";
constexpr const char* kUsage =
    "usage: ventrel-cli import FILE.dat front|rear|retard TABLE.csv [--out OTHER.dat [--force]]\n";

struct ImportArguments {
  std::string dataFile;
  tables::TableId table = tables::TableId::FrontCylTrim;
  std::string csvFile;
  std::string out;
  bool force = false;
};

std::optional<ImportArguments> Parse(const std::vector<std::string>& arguments) {
  ImportArguments parsed;
  std::vector<std::string> positional;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "--out" && i + 1 < arguments.size()) {
      parsed.out = arguments[++i];
    } else if (argument.starts_with("--out=")) {
      parsed.out = argument.substr(std::string("--out=").size());
    } else if (argument == "--force") {
      parsed.force = true;
    } else if (argument.starts_with("--")) {
      return std::nullopt;
    } else {
      positional.push_back(argument);
    }
  }
  const std::optional<tables::TableId> table =
      positional.size() == 3 ? TableNamed(positional[1]) : std::nullopt;
  if (!table) return std::nullopt;
  parsed.dataFile = positional[0];
  parsed.table = *table;
  parsed.csvFile = positional[2];
  return parsed;
}

int Fail(const std::string& text) {
  std::cerr << "ventrel-cli import: " << text << "\n";
  return kExitFailed;
}

}  // namespace

int RunImport(const std::vector<std::string>& arguments) {
  const std::optional<ImportArguments> parsed = Parse(arguments);
  if (!parsed) {
    std::cerr << kUsage;
    return kExitUsage;
  }
  const std::string out = parsed->out.empty() ? parsed->dataFile : parsed->out;
  std::error_code error;
  if (!parsed->out.empty() && !parsed->force && std::filesystem::exists(out, error)) {
    return Fail(out + " already exists; give --force to replace it, or another name");
  }
  const std::optional<core::DataFileBytes> bytes = LoadDataFileBytes(kCommand, parsed->dataFile);
  if (!bytes) return kExitFailed;
  const core::ModuleImage shown = files::ImageFromFile(*bytes);
  if (!DataHaveTable(kCommand, parsed->dataFile, shown, parsed->table)) return kExitFailed;
  std::string text;
  try {
    text = files::ReadTextFile(parsed->csvFile, app::kLargestTableCsv);
  } catch (const core::Error& e) {
    return Fail(e.failure().description);
  }
  const compare::CsvReading reading =
      compare::ReadTableCsv(text, shown.ModuleVersion, parsed->table);
  if (!reading.values) {
    return Fail(parsed->csvFile + ": " + reading.problem + " Nothing was written.");
  }
  // The file's own bytes, not the image an open cleans of blank bytes.
  core::ModuleImage written;
  core::DecodeDataFile(*bytes, written);
  const int rows = tables::TableLayoutFor(shown.ModuleVersion).rows;
  const std::vector<compare::CellWrite> writes =
      compare::ChangedBytes(shown, parsed->table, *reading.values);
  for (const compare::CellWrite& write : writes) {
    tables::SetCellByte(written, parsed->table, rows, write.row, write.col, write.byte);
  }
  try {
    files::WriteDataFile(out, core::EncodeDataFile(written));
  } catch (const core::Error& e) {
    return Fail(e.failure().description);
  }
  std::cout << "Imported the " << tables::TableName(parsed->table) << " from " << parsed->csvFile
            << " into " << out << " (" << writes.size() << (writes.size() == 1 ? " cell" : " cells")
            << " changed)\n";
  return kExitOK;
}

}  // namespace cli
