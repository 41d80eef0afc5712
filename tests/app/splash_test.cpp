// The splash's loading: how each branding fault reaches the user, and what the splash
// shows afterwards under Abort, Retry and Ignore.
#include "app/splash.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "fakes/scripted_host.h"
#include "fakes/temp_folder.h"

namespace {

using core::Answer;
using Lines = std::vector<std::string>;

// Records what the splash was told; a logo shows when its file exists.
class RecordingSplashView : public app::SplashView {
 public:
  void SetCompanyLabel(const std::string& text, const std::string& fontName, bool bold,
                       bool italic) override {
    labels.push_back(text + "|" + fontName + (bold ? "|bold" : "") + (italic ? "|italic" : ""));
  }
  void SetCompanyLabelPointSize(double points) override { pointSizes.push_back(points); }
  std::optional<std::string> ShowLogo(const std::filesystem::path& picture) override {
    logos.push_back(picture.string());
    return std::filesystem::is_regular_file(picture) ? std::nullopt
                                                     : std::optional<std::string>("is missing");
  }
  void SetApplicationTitle(const std::string& title) override { titles.push_back(title); }

  Lines labels, logos, titles;
  std::vector<double> pointSizes;
};

std::string Config(const Lines& style, const Lines& company = {"Acme", "Acme Tuning Ltd"}) {
  std::string text = "! Ventrel branding\n";
  for (const auto& line : style) text += line + "\n";
  text += "!\n";
  for (const auto& line : company) text += line + "\n";
  return text + "!\n";
}

Lines Style(const std::string& size = "20", const std::string& words = "bold",
            const std::string& logo = "art/acme one.gif") {
  return {"Acme", "Helvetica", size, words, logo};
}

class LoadSplashTest : public ::testing::Test {
 protected:
  LoadSplashTest() {
    folder.Write("art/acme one.gif", "GIF89a");
    folder.Write("Marrowby_Logo.gif", "GIF89a");
  }
  void WriteConfig(const std::string& bytes) { folder.Write(app::kBrandingFileName, bytes); }
  std::string ConfigPath() const { return (folder.path() / app::kBrandingFileName).string(); }

  fakes::TempFolder folder;
  fakes::ScriptedHost host;
  RecordingSplashView view;
  app::Branding branding;
};

constexpr const char* kNoFile = "(none)";
constexpr const char* kFolder = "(folder)";
constexpr const char* kBuiltInLabel = "Marrowby|Arial|bold|italic";
constexpr const char* kLogo = "art/acme one.gif";

TEST_F(LoadSplashTest, EachBrandingFaultIsReportedOnceAndIgnoreGoesOnWithWhatWasRead) {
  struct Case {
    std::string name, config;
    const char* where;  // after the file's path in the only message; none: no message
    std::string says;
    const char* label;
    std::vector<double> pointSizes;
    const char* logo;  // in the program folder; empty: none shown
  };
  // The font sizes 1 and 500 are the limits of what can be drawn.
  // clang-format off
  std::vector<Case> cases = {
      {"no file gives the built-in branding", kNoFile, nullptr, "", kBuiltInLabel, {48},
       "Marrowby_Logo.gif"},
      {"file styles the label", Config(Style("20", "Bold")), nullptr, "", "Acme|Helvetica|bold",
       {20}, kLogo},
      {"style words ignore case", Config(Style(" 12.5pt", "iTaLiCBOLD")), nullptr, "",
       "Acme|Helvetica|bold|italic", {12.5}, kLogo},
      {"NULL logo in any case", Config(Style("500", "", "nUlL")), nullptr, "", "Acme|Helvetica",
       {500}, ""},
      {"missing logo", Config(Style("1", "bold", "gone.gif")), ", line 6: ", "gone.gif is missing",
       "Acme|Helvetica|bold", {1}, "gone.gif"},
      {"short style block: the missing size is not reported again", Config({"Acme", "Helvetica"}),
       ", line 4: ", "has 2 lines", "Acme|Helvetica", {}, ""},
      {"folder for a file gives the built-in branding", kFolder, ": it is a folder",
       "Cannot read the branding file", kBuiltInLabel, {48}, "Marrowby_Logo.gif"}};
  // clang-format on
  // Ignore goes on with the design size and the rest of the splash.
  for (const char* size : {"abc", "", "0", "-12", "0.5", "500.5", "1e400", "nan", "inf"}) {
    cases.push_back({"font size \"" + std::string(size) + "\"",
                     Config(Style(size)),
                     ", line 4: ",
                     "the font size \"" + std::string(size) + "\" cannot be used",
                     "Acme|Helvetica|bold",
                     {},
                     kLogo});
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove(ConfigPath());
    if (c.config == kFolder) std::filesystem::create_directory(ConfigPath());
    if (c.config != kFolder && c.config != kNoFile) WriteConfig(c.config);
    fakes::ScriptedHost caseHost;
    RecordingSplashView caseView;
    if (c.where) caseHost.ExpectBox(Answer::Ignore);
    app::LoadSplash(folder.path(), branding, caseView, caseHost);
    ASSERT_EQ(caseHost.boxes.size(), c.where ? 1u : 0u);
    if (c.where) {
      const std::string& text = caseHost.boxes[0].text;
      EXPECT_EQ(caseHost.boxes[0].title, "Error");
      EXPECT_NE(text.find(ConfigPath() + c.where), std::string::npos) << text;
      EXPECT_NE(text.find(c.says), std::string::npos) << text;
    }
    EXPECT_EQ(caseView.labels, Lines{c.label});
    EXPECT_EQ(caseView.pointSizes, c.pointSizes);
    EXPECT_EQ(caseView.logos, *c.logo ? Lines{(folder.path() / c.logo).string()} : Lines{});
    EXPECT_EQ(caseView.titles, Lines{"Ventrel"});
  }
}

// Retry reads the file again, so that a fix takes effect; Abort skips the remaining steps,
// the title included.
TEST_F(LoadSplashTest, RetryReadsTheFileAgainAndAbortSkipsTheRest) {
  WriteConfig(Config({"Acme", "Helvetica", "20"}));
  host.whileBoxIsUp = [this] { WriteConfig(Config(Style("36"))); };
  host.ExpectBox(Answer::Retry);
  app::LoadSplash(folder.path(), branding, view, host);
  EXPECT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(branding.BrandingStyle, Style("36"));
  EXPECT_EQ(view.pointSizes, std::vector<double>{36});
  EXPECT_EQ(view.logos.size(), 1u);

  host.whileBoxIsUp = nullptr;
  WriteConfig(Config(Style("tiny")));
  host.ExpectBox(Answer::Abort);
  RecordingSplashView aborted;
  app::LoadSplash(folder.path(), branding, aborted, host);
  EXPECT_EQ(host.boxes.size(), 2u);
  EXPECT_EQ(aborted.labels.size(), 1u);
  EXPECT_TRUE(aborted.pointSizes.empty() && aborted.logos.empty() && aborted.titles.empty());
}

}  // namespace
