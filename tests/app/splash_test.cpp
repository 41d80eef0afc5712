// The splash's loading: how each branding fault reaches the user, and what the splash
// shows afterwards under Abort, Retry and Ignore.
#include "app/splash.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "fakes/scripted_host.h"
#include "temp_folder.h"

namespace {

using core::Answer;
using Lines = std::vector<std::string>;

struct LabelStyle {
  std::string text;
  std::string fontName;
  bool bold;
  bool italic;
};

// Records what the splash was told; a logo is a picture when its file starts with "GIF8".
class RecordingSplashView : public app::SplashView {
 public:
  void SetCompanyLabel(const std::string& text, const std::string& fontName, bool bold,
                       bool italic) override {
    labels.push_back({text, fontName, bold, italic});
  }
  void SetCompanyLabelPointSize(double points) override { pointSizes.push_back(points); }
  std::optional<std::string> ShowLogo(const std::filesystem::path& picture) override {
    logos.push_back(picture);
    if (!std::filesystem::is_regular_file(picture)) return "is missing";
    std::ifstream in(picture, std::ios::binary);
    std::string magic(4, '\0');
    in.read(magic.data(), 4);
    if (magic != "GIF8") return "is not a picture";
    return std::nullopt;
  }
  void SetApplicationTitle(const std::string& title) override { titles.push_back(title); }

  std::vector<LabelStyle> labels;
  std::vector<double> pointSizes;
  std::vector<std::filesystem::path> logos;
  std::vector<std::string> titles;
};

// A host that lets the test change the world while a box is up (the user fixing the
// file before pressing Retry).
class InterveningHost : public fakes::ScriptedHost {
 public:
  std::function<void()> whileBoxIsUp;
  Answer MsgBox(const std::string& text, const std::string& title, core::Buttons buttons,
                core::Icon icon) override {
    if (whileBoxIsUp) whileBoxIsUp();
    return ScriptedHost::MsgBox(text, title, buttons, icon);
  }
};

constexpr const char* kGif = "GIF89a\x01\x00\x01\x00";

std::string Config(const Lines& style, const Lines& company = {"Acme", "Acme Tuning Ltd"}) {
  std::string text = "! Ventrel branding\n";
  for (const auto& line : style) text += line + "\n";
  text += "!\n";
  for (const auto& line : company) text += line + "\n";
  return text + "!\n";
}

Lines Style(const std::string& size = "20", const std::string& words = "bold",
            const std::string& logo = "acme.gif") {
  return {"Acme", "Helvetica", size, words, logo};
}

class LoadSplashTest : public ::testing::Test {
 protected:
  void SetUp() override { folder.Write("acme.gif", kGif); }

  void Load() { app::LoadSplash(folder.path(), branding, view, host); }
  std::filesystem::path WriteConfig(const std::string& bytes) {
    return folder.Write(app::kBrandingFileName, bytes);
  }
  std::string ConfigPath() const { return (folder.path() / app::kBrandingFileName).string(); }

  void ExpectOneErrorBox(const std::string& startsWith, const std::string& says) {
    ASSERT_EQ(host.boxes.size(), 1u);
    const auto& box = host.boxes[0];
    EXPECT_EQ(box.title, "Error");
    EXPECT_EQ(box.buttons, core::Buttons::AbortRetryIgnore);
    EXPECT_EQ(box.icon, core::Icon::Critical);
    EXPECT_EQ(box.text.rfind(startsWith, 0), 0u) << box.text;
    EXPECT_NE(box.text.find(says), std::string::npos) << box.text;
  }

  apptest::TempFolder folder;
  InterveningHost host;
  RecordingSplashView view;
  app::Branding branding;
};

TEST_F(LoadSplashTest, WithoutAConfigFileTheBuiltInBrandingIsShown) {
  folder.Write("Marrowby_Logo.gif", kGif);
  Load();
  EXPECT_TRUE(host.boxes.empty());
  EXPECT_EQ(branding.BrandingStyle, app::BuiltInBranding().BrandingStyle);
  EXPECT_EQ(branding.CompanyLines, app::BuiltInBranding().CompanyLines);
  ASSERT_EQ(view.labels.size(), 1u);
  EXPECT_EQ(view.labels[0].text, "Marrowby");
  EXPECT_EQ(view.labels[0].fontName, "Arial");
  EXPECT_TRUE(view.labels[0].bold);
  EXPECT_TRUE(view.labels[0].italic);
  EXPECT_EQ(view.pointSizes, std::vector<double>{48});
  EXPECT_EQ(view.logos, std::vector<std::filesystem::path>{folder.path() / "Marrowby_Logo.gif"});
  EXPECT_EQ(view.titles, Lines{"Ventrel"});
}

TEST_F(LoadSplashTest, MissingBuiltInLogoIsReportedWithoutAFileAndLine) {
  host.ExpectBox(Answer::Ignore);
  Load();
  const std::string logo = (folder.path() / "Marrowby_Logo.gif").string();
  ExpectOneErrorBox("The logo picture " + logo, logo + " is missing");
  EXPECT_EQ(view.titles, Lines{"Ventrel"});
}

TEST_F(LoadSplashTest, ConfigFileStylesTheCompanyLabel) {
  WriteConfig(Config(Style("20", "italic")));
  Load();
  EXPECT_TRUE(host.boxes.empty());
  ASSERT_EQ(view.labels.size(), 1u);
  EXPECT_EQ(view.labels[0].text, "Acme");
  EXPECT_EQ(view.labels[0].fontName, "Helvetica");
  EXPECT_EQ(view.pointSizes, std::vector<double>{20});
  EXPECT_EQ(view.logos, std::vector<std::filesystem::path>{folder.path() / "acme.gif"});
  EXPECT_EQ(branding.CompanyLines, (Lines{"Acme", "Acme Tuning Ltd"}));
  EXPECT_EQ(view.titles, Lines{"Ventrel"});
}

TEST_F(LoadSplashTest, FontStyleWordsDecideBoldAndItalicIgnoringCase) {
  struct Case {
    const char* words;
    bool bold;
    bool italic;
  };
  const Case cases[] = {{"Bold", true, false},        {"italic", false, true},
                        {"BOLD ITALIC", true, true}, {"ItalicBold", true, true},
                        {"regular", false, false},   {"", false, false},
                        {"b o l d", false, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.words);
    RecordingSplashView caseView;
    WriteConfig(Config(Style("20", c.words)));
    app::LoadSplash(folder.path(), branding, caseView, host);
    ASSERT_EQ(caseView.labels.size(), 1u);
    EXPECT_EQ(caseView.labels[0].bold, c.bold);
    EXPECT_EQ(caseView.labels[0].italic, c.italic);
  }
  EXPECT_TRUE(host.boxes.empty());
}

TEST_F(LoadSplashTest, NullLogoInAnyCaseShowsNoLogoAndNoError) {
  for (const char* logo : {"NULL", "null", "Null", "nUlL"}) {
    SCOPED_TRACE(logo);
    RecordingSplashView caseView;
    WriteConfig(Config(Style("20", "bold", logo)));
    app::LoadSplash(folder.path(), branding, caseView, host);
    EXPECT_TRUE(caseView.logos.empty());
    EXPECT_EQ(caseView.titles, Lines{"Ventrel"});
  }
  EXPECT_TRUE(host.boxes.empty());
}

TEST_F(LoadSplashTest, LogoIsTakenFromTheProgramFolder) {
  folder.Write("art/logo one.gif", kGif);
  WriteConfig(Config(Style("20", "bold", "art/logo one.gif")));
  Load();
  EXPECT_TRUE(host.boxes.empty());
  EXPECT_EQ(view.logos, std::vector<std::filesystem::path>{folder.path() / "art/logo one.gif"});
}

TEST_F(LoadSplashTest, MissingLogoIsReportedWithFileAndLine) {
  WriteConfig(Config(Style("20", "bold", "gone.gif")));
  host.ExpectBox(Answer::Ignore);
  Load();
  const std::string logo = (folder.path() / "gone.gif").string();
  ExpectOneErrorBox(ConfigPath() + ", line 6: ", logo + " is missing");
  EXPECT_EQ(view.titles, Lines{"Ventrel"});
}

TEST_F(LoadSplashTest, LogoThatIsNotAPictureIsReported) {
  folder.Write("notes.gif", "just text");
  WriteConfig(Config(Style("20", "bold", "notes.gif")));
  host.ExpectBox(Answer::Ignore);
  Load();
  ExpectOneErrorBox(ConfigPath() + ", line 6: ", "notes.gif is not a picture");
}

TEST_F(LoadSplashTest, UnusableFontSizeIsReportedOnceWithFileAndLine) {
  for (const char* size : {"abc", "", "0", "-12", "0.5", "500.5", "1e9", "1e400", "nan", "inf"}) {
    SCOPED_TRACE(size);
    InterveningHost caseHost;
    RecordingSplashView caseView;
    WriteConfig(Config(Style(size)));
    caseHost.ExpectBox(Answer::Ignore);
    app::LoadSplash(folder.path(), branding, caseView, caseHost);
    ASSERT_EQ(caseHost.boxes.size(), 1u);
    const std::string& text = caseHost.boxes[0].text;
    EXPECT_EQ(text.rfind(ConfigPath() + ", line 4: ", 0), 0u) << text;
    EXPECT_NE(text.find("\"" + std::string(size) + "\""), std::string::npos) << text;
    // Ignore goes on with the design size and the rest of the splash.
    EXPECT_TRUE(caseView.pointSizes.empty());
    EXPECT_EQ(caseView.labels.size(), 1u);
    EXPECT_EQ(caseView.logos.size(), 1u);
    EXPECT_EQ(caseView.titles, Lines{"Ventrel"});
  }
}

TEST_F(LoadSplashTest, UsableFontSizesAreTakenByTheirLeadingNumber) {
  struct Case {
    const char* text;
    double points;
  };
  const Case cases[] = {{"48", 48}, {"1", 1}, {"500", 500}, {" 12.5pt", 12.5},
                        {"20 points", 20}, {"1e2", 100}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    RecordingSplashView caseView;
    WriteConfig(Config(Style(c.text)));
    app::LoadSplash(folder.path(), branding, caseView, host);
    EXPECT_EQ(caseView.pointSizes, std::vector<double>{c.points});
  }
  EXPECT_TRUE(host.boxes.empty());
}

TEST_F(LoadSplashTest, RetryOnAnUnusableFontSizeAsksAgain) {
  WriteConfig(Config(Style("huge")));
  host.ExpectBox(Answer::Retry);
  host.ExpectBox(Answer::Ignore);
  Load();
  ASSERT_EQ(host.boxes.size(), 2u);
  EXPECT_EQ(host.boxes[0].text, host.boxes[1].text);
  EXPECT_TRUE(view.pointSizes.empty());
}

TEST_F(LoadSplashTest, ShortStyleBlockIsReportedOnceAndKeepsTheDesignSize) {
  WriteConfig(Config({"Acme", "Helvetica"}));
  host.ExpectBox(Answer::Ignore);
  Load();
  ExpectOneErrorBox(ConfigPath() + ", line 4: ", "has 2 lines where five are needed");
  ASSERT_EQ(view.labels.size(), 1u);
  EXPECT_EQ(view.labels[0].text, "Acme");
  EXPECT_EQ(view.labels[0].fontName, "Helvetica");
  EXPECT_FALSE(view.labels[0].bold);
  EXPECT_TRUE(view.pointSizes.empty());
  EXPECT_TRUE(view.logos.empty());
  EXPECT_EQ(view.titles, Lines{"Ventrel"});
}

TEST_F(LoadSplashTest, StyleBlockWithASizeButNoLogoLineSizesTheLabel) {
  WriteConfig(Config({"Acme", "Helvetica", "30", "bold"}));
  host.ExpectBox(Answer::Ignore);
  Load();
  ExpectOneErrorBox(ConfigPath() + ", line 6: ", "has 4 lines");
  EXPECT_EQ(view.pointSizes, std::vector<double>{30});
  EXPECT_TRUE(view.logos.empty());
}

TEST_F(LoadSplashTest, EmptyCompanyBlockIsReportedAndTheStyleStillApplies) {
  WriteConfig(Config(Style(), {}));
  host.ExpectBox(Answer::Ignore);
  Load();
  ExpectOneErrorBox(ConfigPath() + ", line 8: ", "company block is empty");
  EXPECT_TRUE(branding.CompanyLines.empty());
  ASSERT_EQ(view.labels.size(), 1u);
  EXPECT_EQ(view.labels[0].text, "Acme");
  EXPECT_EQ(view.pointSizes, std::vector<double>{20});
  EXPECT_EQ(view.titles, Lines{"Ventrel"});
}

TEST_F(LoadSplashTest, FileOfOnlyMarkersIsReportedAndLeavesTheListsEmpty) {
  WriteConfig("!\n!\n");
  host.ExpectBox(Answer::Ignore);
  Load();
  ExpectOneErrorBox(ConfigPath() + ", line ", "ends before the branding style block");
  EXPECT_TRUE(branding.BrandingStyle.empty());
  EXPECT_TRUE(branding.CompanyLines.empty());
  EXPECT_TRUE(view.pointSizes.empty());
  EXPECT_TRUE(view.logos.empty());
  EXPECT_EQ(view.titles, Lines{"Ventrel"});
}

TEST_F(LoadSplashTest, FolderNamedLikeTheConfigFallsBackToTheBuiltInBranding) {
  std::filesystem::create_directory(folder.path() / app::kBrandingFileName);
  folder.Write("Marrowby_Logo.gif", kGif);
  host.ExpectBox(Answer::Ignore);
  Load();
  ExpectOneErrorBox("Cannot read the branding file " + ConfigPath(), "folder");
  ASSERT_EQ(view.labels.size(), 1u);
  EXPECT_EQ(view.labels[0].text, "Marrowby");
  EXPECT_EQ(view.pointSizes, std::vector<double>{48});
  EXPECT_EQ(branding.CompanyLines, app::BuiltInBranding().CompanyLines);
}

TEST_F(LoadSplashTest, HugeConfigFileIsRefusedAndTheBuiltInBrandingUsed) {
  const auto path = WriteConfig(Config(Style()));
  std::filesystem::resize_file(path, 10 * 1024 * 1024);
  folder.Write("Marrowby_Logo.gif", kGif);
  host.ExpectBox(Answer::Ignore);
  Load();
  ExpectOneErrorBox("The branding file " + ConfigPath(), "bytes long");
  ASSERT_EQ(view.labels.size(), 1u);
  EXPECT_EQ(view.labels[0].text, "Marrowby");
}

TEST_F(LoadSplashTest, RetryReadsTheFileAgainSoAFixTakesEffect) {
  WriteConfig(Config({"Acme", "Helvetica", "20"}));
  host.whileBoxIsUp = [this] { WriteConfig(Config(Style("36"))); };
  host.ExpectBox(Answer::Retry);
  Load();
  EXPECT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(branding.BrandingStyle, Style("36"));
  EXPECT_EQ(branding.CompanyLines, (Lines{"Acme", "Acme Tuning Ltd"}));
  EXPECT_EQ(view.pointSizes, std::vector<double>{36});
  EXPECT_EQ(view.logos.size(), 1u);
}

TEST_F(LoadSplashTest, AbortOnAnUnreadableFileStylesNothing) {
  std::filesystem::create_directory(folder.path() / app::kBrandingFileName);
  host.ExpectBox(Answer::Abort);
  Load();
  EXPECT_EQ(host.boxes.size(), 1u);
  EXPECT_TRUE(view.labels.empty());
  EXPECT_TRUE(view.pointSizes.empty());
  EXPECT_TRUE(view.logos.empty());
  EXPECT_TRUE(view.titles.empty());
}

TEST_F(LoadSplashTest, AbortSkipsTheRemainingStepsIncludingTheTitle) {
  WriteConfig(Config(Style("tiny")));
  host.ExpectBox(Answer::Abort);
  Load();
  EXPECT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(view.labels.size(), 1u);
  EXPECT_TRUE(view.pointSizes.empty());
  EXPECT_TRUE(view.logos.empty());
  EXPECT_TRUE(view.titles.empty());
}

TEST_F(LoadSplashTest, Latin1CompanyLabelReachesTheSplashAsUtf8) {
  WriteConfig("M\xFCller\nArial\n20\nbold\nNULL\n!\nM\xFCller\n!\n");
  Load();
  ASSERT_EQ(view.labels.size(), 1u);
  EXPECT_EQ(view.labels[0].text, "M\xC3\xBCller");
  EXPECT_EQ(branding.CompanyLines, Lines{"M\xC3\xBCller"});
}

}  // namespace
