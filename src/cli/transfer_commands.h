// ventrel-cli download and upload: the desktop program's transfer commands with nobody
// to answer their questions.
#pragma once

#include <string>
#include <vector>

namespace cli {

int RunDownload(const std::vector<std::string>& arguments);
int RunUpload(const std::vector<std::string>& arguments);

}  // namespace cli
