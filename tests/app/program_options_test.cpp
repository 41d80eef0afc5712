// The command lines of the desktop program (and the module options ventrel-cli shares): known
// options set their switch, anything else stops with a message instead of being silently ignored.
#include "app/program_options.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

TEST(ProgramOptions, KnownOptionsSetTheirSwitchPortOrSimulatedModule) {
  const auto all =
      app::ParseProgramOptions({"--no-splash", "--version", "-h", "--port", "/dev/pts/3"});
  EXPECT_TRUE(all.noSplash && all.showVersion && all.showHelp);
  EXPECT_EQ(all.target.device, "/dev/pts/3");
  EXPECT_EQ(all.error, "");
  EXPECT_EQ(app::ParseProgramOptions({"--port=/dev/ttyUSB0"}).target.device, "/dev/ttyUSB0");
  EXPECT_EQ(app::ParseProgramOptions({"--simulate"}).target.simulated, sim::Edition::JX);
  EXPECT_EQ(app::ParseProgramOptions({"--simulate=ql2-kq"}).target.simulated, sim::Edition::QL2KQ);
  // Made absolute at once: the program works in its own folder afterwards.
  EXPECT_EQ(app::ParseProgramOptions({"t/../tune.dat", "--no-splash"}).dataFile,
            std::filesystem::current_path() / "tune.dat");
}

TEST(ProgramOptions, UnusableCommandLinesSayWhatIsWrong) {
  const std::pair<std::vector<std::string>, const char*> cases[] = {
      {{"--nosplash"}, "\"--nosplash\""},
      {{"a.dat", "--no-splash", "b.dat"}, "\"b.dat\" is a second"},
      {{"--port"}, "needs a device"},
      {{"--simulate=QX"}, "\"QX\""},
      {{"--simulate", "--port", "/dev/ttyS0"}, "not both"}};
  for (const auto& [arguments, says] : cases) {
    const std::string error = app::ParseProgramOptions(arguments).error;
    EXPECT_NE(error.find(says), std::string::npos) << arguments.back() << ": " << error;
  }
}

}  // namespace
