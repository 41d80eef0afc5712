// ventrel-sim: a simulated Quillon module on a pseudo-terminal, for tests and for trying
// the tool without hardware.
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "app/simulated_module.h"
#include "core/failure.h"
#include "files/data_file.h"
#include "sim/faults.h"
#include "sim/image_file.h"
#include "sim/pty_server.h"

namespace {

constexpr int kUsageError = 2;

void PrintUsage(std::ostream& out) {
  out << "Usage: ventrel-sim --pty [--edition vosk|kq|ql2-vosk|ql2-kq|jx] [--image FILE.dat]\n"
         "                  [--fault SPEC]... [--verbose]\n"
         "Serves a simulated Quillon module on a new pseudo-terminal: prints its device path\n"
         "as the first line, then answers until it gets SIGTERM or its standard input closes.\n"
         "\n"
         "  --pty            serve on a pseudo-terminal (the only way it serves)\n"
         "  --edition NAME   the module's edition (default jx)\n"
         "  --image FILE     start with the FLASH and EEPROM regions of a data file\n"
         "  --fault SPEC     inject a fault; may be repeated\n"
         "  --verbose        report every received byte on standard error\n"
         "  --help           print this help and exit\n"
         "\n"
      << sim::FaultHelp();
}

int UsageError(const std::string& message) {
  std::cerr << "ventrel-sim: " << message << "\n";
  PrintUsage(std::cerr);
  return kUsageError;
}

// The value of "--name VALUE" or "--name=VALUE"; advances i past it.
bool OptionValue(const std::vector<std::string>& arguments, std::size_t& i, const std::string& name,
                 std::string& value) {
  const std::string& argument = arguments[i];
  if (argument.rfind(name + "=", 0) == 0) {
    value = argument.substr(name.size() + 1);
    return true;
  }
  if (argument != name) return false;
  if (i + 1 >= arguments.size()) throw std::invalid_argument(name + " needs a value");
  value = arguments[++i];
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  bool pty = false;
  bool verbose = false;
  sim::Edition edition = sim::Edition::JX;
  std::string image;
  sim::Faults faults;
  try {
    for (std::size_t i = 0; i < arguments.size(); ++i) {
      std::string value;
      if (arguments[i] == "--help" || arguments[i] == "-h") {
        PrintUsage(std::cout);
        return EXIT_SUCCESS;
      } else if (arguments[i] == "--pty") {
        pty = true;
      } else if (arguments[i] == "--verbose") {
        verbose = true;
      } else if (OptionValue(arguments, i, "--edition", value)) {
        const auto parsed = sim::ParseEdition(value);
        if (!parsed) return UsageError("unknown edition \"" + value + "\"");
        edition = *parsed;
      } else if (OptionValue(arguments, i, "--image", value)) {
        image = value;
      } else if (OptionValue(arguments, i, "--fault", value)) {
        if (const std::string error = sim::AddFault(faults, value); !error.empty()) {
          return UsageError(error);
        }
      } else {
        return UsageError("unknown option \"" + arguments[i] + "\"");
      }
    }
  } catch (const std::invalid_argument& e) {
    return UsageError(e.what());
  }
  if (!pty) return UsageError("say --pty: a pseudo-terminal is the only way it serves");

  sim::QuillonModule module(edition, faults, app::SimulatedModuleContents(edition));
  if (!image.empty()) {
    // The same files the program opens, read the same way.
    try {
      const std::optional<core::DataFileBytes> bytes = files::ReadDataFile(image);
      if (!bytes) {
        std::cerr << "ventrel-sim: the data file " << image << " is shorter than "
                  << core::kDataFileBytes << " bytes\n";
        return EXIT_FAILURE;
      }
      sim::LoadRegions(*bytes, module.memories());
    } catch (const core::Error& e) {
      std::cerr << "ventrel-sim: " << e.failure().description << "\n";
      return EXIT_FAILURE;
    }
  }
  return sim::ServePty(module, std::cout, verbose ? &std::cerr : nullptr);
}
