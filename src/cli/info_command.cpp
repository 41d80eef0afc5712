// ventrel-cli info: the edition and the parameter page of a data file.
#include <iostream>

#include "cli/command.h"
#include "cli/data_commands.h"
#include "cli/data_file_loading.h"
#include "print/parameter_page.h"

namespace cli {

int RunInfo(const std::vector<std::string>& arguments) {
  if (arguments.size() != 1) {
    std::cerr << "usage: ventrel-cli info FILE.dat\n";
    return kExitUsage;
  }
  const std::optional<core::ModuleImage> image = LoadDataFile("info", arguments[0]);
  if (!image) return kExitFailed;
  std::cout << "Edition: " << image->ModuleVersion << "\n";
  for (const print::PrintLine& line : print::ParameterLines(*image)) {
    std::string text = print::RenderLine(line, print::kLeftColumn);
    text.erase(text.find_last_not_of(' ') + 1);
    std::cout << text << "\n";
  }
  return kExitOK;
}

}  // namespace cli
