// Every #include in src/ against the layers of the design: a logic library includes
// only its own headers, those of the libraries below it and the standard library (the
// simulated module POSIX too); no Qt below src/qt/. Each offending line is named.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Which libraries each library may use, as design.md's table has it.
const std::map<std::string, std::set<std::string>> kUses = {
    {"core", {}},
    {"link", {"core"}},
    {"sim", {"core"}},
    {"tables", {"core"}},
    {"params", {"core", "tables"}},
    {"files", {"core", "tables"}},
    {"print", {"core", "tables", "params"}},
    {"compare", {"core", "tables", "params"}},
    {"transfer", {"core", "link", "tables", "files", "compare"}},
    {"app", {"core", "link", "sim", "tables", "params", "files", "print", "compare", "transfer"}},
};
// Of the link, the simulated module may include the protocol constants only.
const std::set<std::string> kSimFromLink = {"link/protocol.h"};
// The programs whose sources live beside a library: ventrel-sim's main may use any
// library, as ventrel and ventrel-cli do.
const std::set<std::string> kPrograms = {"sim/main.cpp"};

struct Offence {
  std::string where;
  std::string line;
};

std::vector<Offence> CheckLibrary(const fs::path& src, const std::string& library,
                                  const std::set<std::string>& uses) {
  static const std::regex project(R"(^\s*#\s*include\s*"([a-z_]+)/([^"]+)\")");
  static const std::regex qt(R"(^\s*#\s*include\s*<Q)");
  std::vector<Offence> offences;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(src / library)) {
    if (!entry.is_regular_file()) continue;
    const std::string relative = fs::relative(entry.path(), src).generic_string();
    if (kPrograms.contains(relative)) continue;
    std::ifstream in(entry.path());
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
      const std::string where = relative + ":" + std::to_string(number);
      std::smatch match;
      if (std::regex_search(line, qt)) offences.push_back({where, line});
      if (!std::regex_search(line, match, project)) continue;
      const std::string used = match[1];
      const std::string header = used + "/" + std::string(match[2]);
      const bool allowed = used == library || uses.contains(used) ||
                           (library == "sim" && kSimFromLink.contains(header));
      if (!allowed) offences.push_back({where, line});
    }
  }
  return offences;
}

TEST(Layers, EveryIncludeOfALibraryIsItsOwnOrFromBelow) {
  const fs::path src = fs::path(VENTREL_SOURCE_DIR) / "src";
  for (const auto& [library, uses] : kUses) {
    if (!fs::exists(src / library)) continue;
    for (const Offence& offence : CheckLibrary(src, library, uses)) {
      ADD_FAILURE() << offence.where << ": " << library << " may not include this: "
                    << offence.line;
    }
  }
}

TEST(Layers, EveryFolderOfSourcesHasItsPlaceInTheLayers) {
  const fs::path src = fs::path(VENTREL_SOURCE_DIR) / "src";
  for (const fs::directory_entry& entry : fs::directory_iterator(src)) {
    if (!entry.is_directory()) continue;
    const std::string name = entry.path().filename().string();
    EXPECT_TRUE(kUses.contains(name) || name == "qt" || name == "cli")
        << "src/" << name << " is in no layer of the design";
  }
}

}  // namespace
