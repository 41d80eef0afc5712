#include "app/program_options.h"

namespace app {

ProgramOptions ParseProgramOptions(const std::vector<std::string>& arguments) {
  ProgramOptions options;
  std::vector<std::string> rest = arguments;
  const std::optional<ModuleTarget> target = TakeModuleTarget(rest, options.error);
  if (!target) return options;
  options.target = *target;
  for (const std::string& argument : rest) {
    if (argument == "--version") {
      options.showVersion = true;
    } else if (argument == "--help" || argument == "-h") {
      options.showHelp = true;
    } else if (argument == "--no-splash") {
      options.noSplash = true;
    } else if (!argument.empty() && !argument.starts_with("-")) {
      if (options.dataFile) {
        options.error = "only one data file can be opened, but \"" + argument + "\" is a second";
        break;
      }
      std::error_code error;
      const std::filesystem::path absolute = std::filesystem::absolute(argument, error);
      options.dataFile = (error ? std::filesystem::path(argument) : absolute).lexically_normal();
    } else {
      options.error = "unknown option \"" + argument + "\"";
      break;
    }
  }
  return options;
}

std::string ProgramUsage(const std::string& programName) {
  return "Usage: " + programName +
         " [--no-splash] [--port DEVICE | --simulate[=EDITION]] [FILE.dat]\n"
         "Tunes a Quillon engine-control module: download, edit, save, print, upload.\n"
         "\n"
         "  FILE.dat              a data file to open at start\n"
         "  --no-splash           start without the four-second splash window\n" +
         std::string(kModuleTargetHelp) +
         "  --version             print the program version and exit\n"
         "  --help                print this help and exit\n";
}

}  // namespace app
