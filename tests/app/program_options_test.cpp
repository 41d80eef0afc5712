// The desktop program's command line: known options set their switch, anything else
// stops with a message instead of being silently ignored.
#include "app/program_options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(ProgramOptions, NoArgumentsStartsNormally) {
  const app::ProgramOptions options = app::ParseProgramOptions({});
  EXPECT_FALSE(options.showVersion);
  EXPECT_FALSE(options.showHelp);
  EXPECT_FALSE(options.noSplash);
  EXPECT_EQ(options.error, "");
}

TEST(ProgramOptions, EachKnownOptionSetsItsSwitch) {
  EXPECT_TRUE(app::ParseProgramOptions({"--no-splash"}).noSplash);
  EXPECT_TRUE(app::ParseProgramOptions({"--version"}).showVersion);
  EXPECT_TRUE(app::ParseProgramOptions({"--help"}).showHelp);
  EXPECT_TRUE(app::ParseProgramOptions({"-h"}).showHelp);
  const auto both = app::ParseProgramOptions({"--no-splash", "--version"});
  EXPECT_TRUE(both.noSplash);
  EXPECT_TRUE(both.showVersion);
  EXPECT_EQ(both.error, "");
}

TEST(ProgramOptions, UnknownOptionIsNamedInTheError) {
  for (const std::vector<std::string>& arguments :
       {std::vector<std::string>{"--nosplash"}, std::vector<std::string>{"--no-splash", "x.dat"},
        std::vector<std::string>{"--NO-SPLASH"}, std::vector<std::string>{""}}) {
    const auto options = app::ParseProgramOptions(arguments);
    EXPECT_NE(options.error.find("\"" + arguments.back() + "\""), std::string::npos)
        << options.error;
  }
}

TEST(ProgramOptions, PortOrSimulatedModuleForThisRun) {
  EXPECT_EQ(app::ParseProgramOptions({"--port", "/dev/pts/3"}).port, "/dev/pts/3");
  EXPECT_EQ(app::ParseProgramOptions({"--port=/dev/ttyUSB0"}).port, "/dev/ttyUSB0");
  EXPECT_EQ(app::ParseProgramOptions({"--simulate"}).simulate, sim::Edition::JX);
  EXPECT_EQ(app::ParseProgramOptions({"--simulate=ql2-kq"}).simulate, sim::Edition::QL2KQ);
  for (const std::vector<std::string>& arguments :
       {std::vector<std::string>{"--port"}, std::vector<std::string>{"--port="},
        std::vector<std::string>{"--simulate=QX"}, std::vector<std::string>{"--simulate="},
        std::vector<std::string>{"--simulate", "--port", "/dev/ttyS0"}}) {
    EXPECT_NE(app::ParseProgramOptions(arguments).error, "") << arguments.back();
  }
}

TEST(ProgramOptions, UsageNamesTheProgramAndEveryOption) {
  const std::string usage = app::ProgramUsage("ventrel");
  EXPECT_EQ(usage.rfind("Usage: ventrel", 0), 0u);
  for (const char* option : {"--no-splash", "--port", "--simulate", "--version", "--help"}) {
    EXPECT_NE(usage.find(option), std::string::npos) << option;
  }
}

}  // namespace
