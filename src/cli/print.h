// ventrel-cli print: the printouts of a data file as a PDF file.
#pragma once

#include <string>
#include <vector>

namespace cli {

int RunPrint(const std::vector<std::string>& arguments);

}  // namespace cli
