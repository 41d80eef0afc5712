// ventrel-cli new: writes a base tune of an edition for trying the program.
#include <filesystem>
#include <iostream>

#include "cli/command.h"
#include "cli/data_commands.h"
#include "core/editions.h"
#include "core/failure.h"
#include "files/base_tune.h"
#include "files/data_file.h"

namespace cli {

namespace {

constexpr const char* kUsage =
    "usage: ventrel-cli new --edition vosk|kq|ql2-vosk|ql2-kq|jx [--force] OUT.dat\n";

}  // namespace

int RunNew(const std::vector<std::string>& arguments) {
  std::string edition;
  std::string out;
  bool force = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    if (arguments[i] == "--edition" && i + 1 < arguments.size()) {
      edition = arguments[++i];
    } else if (arguments[i].starts_with("--edition=")) {
      edition = arguments[i].substr(std::string("--edition=").size());
    } else if (arguments[i] == "--force") {
      force = true;
    } else if (out.empty() && !arguments[i].starts_with("--")) {
      out = arguments[i];
    } else {
      std::cerr << "ventrel-cli new: unexpected argument \"" << arguments[i] << "\"\n" << kUsage;
      return kExitUsage;
    }
  }
  const std::optional<std::string> version = core::ModuleVersionForShortName(edition);
  if (!version || out.empty()) {
    std::string problem = "unknown edition \"" + edition + "\"";
    if (out.empty()) problem = "no output file given";
    if (edition.empty()) problem = "no edition given: name one with --edition";
    std::cerr << "ventrel-cli new: " << problem << "\n" << kUsage;
    return kExitUsage;
  }
  std::error_code error;
  if (!force && std::filesystem::exists(out, error)) {
    std::cerr << "ventrel-cli new: " << out
              << " already exists; give --force to replace it, or another name\n";
    return kExitFailed;
  }
  try {
    files::WriteDataFile(out, core::EncodeDataFile(files::BaseTune(*version)));
  } catch (const core::Error& e) {
    std::cerr << "ventrel-cli new: " << e.failure().description << "\n";
    return kExitFailed;
  }
  std::cout << "Wrote a " << *version << " base tune to " << out << "\n";
  return kExitOK;
}

}  // namespace cli
