// Ventrel.cfg is hand-edited by whoever rebrands the tool, so the reader must take
// every well-formed variant exactly and refuse the broken ones with file and line. The
// splash's loading: how each branding fault reaches the user, and what the splash shows
// afterwards under Abort, Retry and Ignore.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/branding.h"
#include "app/splash.h"
#include "core/failure.h"
#include "fakes/scripted_host.h"
#include "fakes/temp_folder.h"

namespace {

using core::Answer;
using Lines = std::vector<std::string>;

const std::string kStyle = "Acme\nHelvetica\n20\nbold\nacme.png\n";
const Lines kStyleLines = {"Acme", "Helvetica", "20", "bold", "acme.png"};

// Lists from an earlier reading must not leak into this one.
app::Branding Stale() {
  app::Branding branding;
  branding.BrandingStyle = branding.CompanyLines = {"stale"};
  return branding;
}

TEST(BrandingFile, EveryWellFormedVariantIsReadExactly) {
  struct Case {
    const char* name;
    std::string content;
    Lines style, company;
  };
  const Case cases[] = {
      {"CR LF ends are not part of the values, markers may carry text and lines after the "
       "company end are not read",
       "!c\r\nAcme\r\nHelvetica\r\n20\r\nbold\r\nacme.png\r\n! end of style\r\nAcme\r\nAcme Ltd\r\n"
       "!end\r\nNot read\r\n!\r\nNot read either\r\n",
       kStyleLines,
       {"Acme", "Acme Ltd"}},
      {"blanks and empty lines are values and a blank before ! is no marker",
       " !Acme\n\n 20\n bold \nNULL\n!\n\n Acme Ltd \n",
       {" !Acme", "", " 20", " bold ", "NULL"},
       {"", " Acme Ltd "}},
      {"extra style lines, no final marker and a last line without a line end",
       "!a\n!b\n" + kStyle + "extra\n!\nAcme\nAcme Ltd\n1 Main Street",
       {"Acme", "Helvetica", "20", "bold", "acme.png", "extra"},
       {"Acme", "Acme Ltd", "1 Main Street"}},
      // Left in, the mark would turn the comment line into the company label. Which texts
      // are read as Latin-1 instead is the core's.
      {"UTF-8 is kept and its byte order mark dropped",
       "\xEF\xBB\xBF! comment\nM\xC3\xBCller\nArial\n20\nbold\nNULL\n!\n\xE2\x82\xAC 5\n",
       {"M\xC3\xBCller", "Arial", "20", "bold", "NULL"},
       {"\xE2\x82\xAC 5"}}};
  fakes::TempFolder folder;
  for (const Case& c : cases) {
    app::Branding branding = Stale();
    app::ReadBrandingFile(folder.Write(app::kBrandingFileName, c.content), branding);
    EXPECT_EQ(branding.BrandingStyle, c.style) << c.name;
    EXPECT_EQ(branding.CompanyLines, c.company) << c.name;
  }
}

TEST(BrandingFile, BrokenFilesAreRefusedWithFileAndLineAndKeepWhatWasRead) {
  struct Case {
    const char* name;
    std::string content;
    Lines style;
    const char* where;  // what follows the file's path in the message
    const char* says;
    Lines company = {};
  };
  const Case cases[] = {
      {"empty file", "", {}, ", line 1: ", "ends before the branding style block"},
      {"short style block: the company lines are read all the same",
       "!c\nAcme\nHelvetica\n20\nbold\n!\nAcme\nAcme Ltd\n!\nNot read\n",
       {"Acme", "Helvetica", "20", "bold"},
       ", line 6: ",
       "has 4 lines where five are needed",
       {"Acme", "Acme Ltd"}},
      {"file ending inside the style block", "!c\n" + kStyle, kStyleLines,
       ", line 6: ", "ends inside the branding style block"},
      {"empty company block", "!c\n" + kStyle + "!\n!\nAcme\n", kStyleLines,
       ", line 8: ", "company block is empty"}};
  fakes::TempFolder folder;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::filesystem::path path = folder.Write(app::kBrandingFileName, c.content);
    app::Branding branding = Stale();
    try {
      app::ReadBrandingFile(path, branding);
      ADD_FAILURE() << "the file was taken";
    } catch (const core::Error& e) {
      const std::string& message = e.failure().description;
      EXPECT_EQ(message.rfind(path.string() + c.where, 0), 0u) << message;
      EXPECT_NE(message.find(c.says), std::string::npos) << message;
      EXPECT_EQ(e.failure().number, core::kErrCommOrFileOpen);
      EXPECT_EQ(e.failure().source, core::kSourceFileOpen);
    }
    EXPECT_EQ(branding.BrandingStyle, c.style);
    EXPECT_EQ(branding.CompanyLines, c.company);
  }
}

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
constexpr const char* kPipe = "(pipe)";
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
  const std::string config = Config(Style());
  const std::string atSizeLimit = config + std::string(64 * 1024 - config.size(), 'x');
  // The font sizes 1 and 500 are the limits of what can be drawn; 0.5 and 500.5 lie beyond.
  // A file that cannot be read at all leaves the built-in branding for Ignore to go on with.
  // clang-format off
  std::vector<Case> cases = {
      {"no file gives the built-in branding", kNoFile, nullptr, "", kBuiltInLabel, {48},
       "Marrowby_Logo.gif"},
      {"style words and NULL logo in any case", Config(Style("500", "iTaLiCBOLD", "nUlL")), nullptr,
       "", "Acme|Helvetica|bold|italic", {500}, ""},
      {"missing logo", Config(Style("1", "bold", "gone.gif")), ", line 6: ", "gone.gif is missing",
       "Acme|Helvetica|bold", {1}, "gone.gif"},
      {"short style block: the missing size is not reported again", Config({"Acme", "Helvetica"}),
       ", line 4: ", "has 2 lines", "Acme|Helvetica", {}, ""},
      {"folder for a file gives the built-in branding", kFolder, ": it is a folder",
       "Cannot read the branding file", kBuiltInLabel, {48}, "Marrowby_Logo.gif"},
      // Refused at once: opening a pipe would wait for a writer.
      {"named pipe for a file", kPipe, ": ", "Cannot read the branding file", kBuiltInLabel, {48},
       "Marrowby_Logo.gif"},
      {"one byte over the size limit", atSizeLimit + "x", " is 65537 bytes long", "",
       kBuiltInLabel, {48}, "Marrowby_Logo.gif"},
      {"at the size limit", atSizeLimit, nullptr, "", "Acme|Helvetica|bold", {20}, kLogo}};
  // clang-format on
  // Ignore goes on with the design size and the rest of the splash.
  for (const char* size : {"abc", "0.5", "500.5", "nan"}) {
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
    if (c.config == kPipe) {
      ASSERT_EQ(mkfifo(ConfigPath().c_str(), 0600), 0);
    }
    if (c.config != kFolder && c.config != kNoFile && c.config != kPipe) WriteConfig(c.config);
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

// Retry reads the file again, so that a fix takes effect. Abort skipping the remaining steps
// is the error prompt's own test.
TEST_F(LoadSplashTest, RetryReadsTheFileAgain) {
  WriteConfig(Config({"Acme", "Helvetica", "20"}));
  host.whileBoxIsUp = [this] { WriteConfig(Config(Style("36"))); };
  host.ExpectBox(Answer::Retry);
  app::LoadSplash(folder.path(), branding, view, host);
  EXPECT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(branding.BrandingStyle, Style("36"));
  EXPECT_EQ(view.pointSizes, std::vector<double>{36});
  EXPECT_EQ(view.logos.size(), 1u);
}

}  // namespace
