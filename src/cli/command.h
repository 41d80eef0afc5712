// The sub-commands of ventrel-cli: each lives in a file of its own and is listed once.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace cli {

// Exit statuses: the command completed, the command ran and failed, the command line is wrong.
inline constexpr int kExitOK = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

struct Command {
  std::string_view name;
  // One line for the usage text: the arguments after the name, then a dash and what it does.
  std::string_view synopsis;
  int (*run)(const std::vector<std::string>& arguments);
};

// Every sub-command, in the order the usage text lists them.
const std::vector<Command>& Commands();

}  // namespace cli
