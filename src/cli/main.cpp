// ventrel-cli: the tool's commands without windows, for scripts and workshops.
#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "app/main_window.h"
#include "cli/command.h"

namespace {

void PrintUsage(std::ostream& out) {
  out << "Usage: ventrel-cli COMMAND [ARGUMENTS]\n"
         "       ventrel-cli --version | --help\n"
         "Works on Quillon module data without windows; it never asks questions.\n";
  if (!cli::Commands().empty()) out << "\nCommands:\n";
  // "  name ARGUMENTS  what it does": two blanks before the description, the layout from
  // which the manual page is made.
  constexpr std::string_view kDoes = " - ";
  for (const cli::Command& command : cli::Commands()) {
    const std::string_view synopsis = command.synopsis;
    const std::size_t does = synopsis.find(kDoes);
    out << "  " << command.name << " " << synopsis.substr(0, does);
    if (does != std::string_view::npos) out << "  " << synopsis.substr(does + kDoes.size());
    out << "\n";
  }
  out << "\n"
         "  --version  print the program version and exit\n"
         "  --help     print this help and exit\n";
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  if (arguments.empty()) {
    std::cerr << "ventrel-cli: no command given\n";
    PrintUsage(std::cerr);
    return cli::kExitUsage;
  }
  const std::string& first = arguments.front();
  if (first == "--version") {
    std::cout << app::kVersionText << "\n";
    return cli::kExitOK;
  }
  if (first == "--help" || first == "-h") {
    PrintUsage(std::cout);
    return cli::kExitOK;
  }
  const auto& commands = cli::Commands();
  const auto command = std::find_if(commands.begin(), commands.end(),
                                    [&](const cli::Command& c) { return c.name == first; });
  if (command == commands.end()) {
    std::cerr << "ventrel-cli: unknown command \"" << first << "\"\n";
    PrintUsage(std::cerr);
    return cli::kExitUsage;
  }
  try {
    return command->run({arguments.begin() + 1, arguments.end()});
  } catch (const std::exception& e) {
    std::cerr << "ventrel-cli " << command->name << ": " << e.what() << "\n";
    return cli::kExitFailed;
  }
}
