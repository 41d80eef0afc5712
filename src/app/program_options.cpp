#include "app/program_options.h"

namespace app {

namespace {

constexpr std::string_view kPortPrefix = "--port=";
constexpr std::string_view kSimulatePrefix = "--simulate=";

}  // namespace

ProgramOptions ParseProgramOptions(const std::vector<std::string>& arguments) {
  ProgramOptions options;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "--version") {
      options.showVersion = true;
    } else if (argument == "--help" || argument == "-h") {
      options.showHelp = true;
    } else if (argument == "--no-splash") {
      options.noSplash = true;
    } else if (argument == "--port") {
      options.port = i + 1 < arguments.size() ? arguments[++i] : std::string();
    } else if (argument.starts_with(kPortPrefix)) {
      options.port = argument.substr(kPortPrefix.size());
    } else if (argument == "--simulate") {
      options.simulate = sim::Edition::JX;
    } else if (argument.starts_with(kSimulatePrefix)) {
      const std::string edition = argument.substr(kSimulatePrefix.size());
      options.simulate = sim::ParseEdition(edition);
      if (!options.simulate) {
        options.error = "unknown edition \"" + edition + "\" (vosk, kq, ql2-vosk, ql2-kq or jx)";
        break;
      }
    } else {
      options.error = "unknown option \"" + argument + "\"";
      break;
    }
  }
  if (options.error.empty() && options.port && options.simulate) {
    options.error = "give either --port or --simulate, not both";
  }
  if (options.error.empty() && options.port && options.port->empty()) {
    options.error = "--port needs a device, e.g. --port /dev/ttyUSB0";
  }
  return options;
}

std::string ProgramUsage(const std::string& programName) {
  return "Usage: " + programName +
         " [--no-splash] [--port DEVICE | --simulate[=EDITION]]\n"
         "Tunes a Quillon engine-control module: download, edit, save, print, upload.\n"
         "\n"
         "  --no-splash  start without the four-second splash window\n"
         "  --port DEVICE\n"
         "               talk to the module on this serial device for this run\n"
         "               (e.g. /dev/ttyUSB0); the port chosen in Port Setup stays stored\n"
         "  --simulate[=EDITION]\n"
         "               talk to the built-in simulated module instead: vosk, kq,\n"
         "               ql2-vosk, ql2-kq or jx (default jx)\n"
         "  --version    print the program version and exit\n"
         "  --help       print this help and exit\n";
}

}  // namespace app
