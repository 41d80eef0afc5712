// ventrel-cli identify: asks a connected module who it is.
#pragma once

#include <string>
#include <vector>

namespace cli {

int RunIdentify(const std::vector<std::string>& arguments);

}  // namespace cli
