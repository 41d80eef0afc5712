// ventrel-cli: the tool's commands without windows, for scripts and workshops.
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "app/main_window.h"

namespace {

constexpr int kUsageError = 2;

void PrintUsage(std::ostream& out) {
  out << "Usage: ventrel-cli [--version | --help]\n"
         "Works on Quillon module data without windows; it never asks questions.\n"
         "\n"
         "  --version  print the program version and exit\n"
         "  --help     print this help and exit\n";
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  if (arguments.size() == 1 && arguments[0] == "--version") {
    std::cout << app::kVersionText << "\n";
    return EXIT_SUCCESS;
  }
  if (arguments.size() == 1 && (arguments[0] == "--help" || arguments[0] == "-h")) {
    PrintUsage(std::cout);
    return EXIT_SUCCESS;
  }
  if (arguments.empty()) {
    std::cerr << "ventrel-cli: no command given\n";
  } else {
    std::cerr << "ventrel-cli: unknown command \"" << arguments[0] << "\"\n";
  }
  PrintUsage(std::cerr);
  return kUsageError;
}
