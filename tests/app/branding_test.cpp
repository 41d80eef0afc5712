// Ventrel.cfg is hand-edited by whoever rebrands the tool, so the reader must take
// every well-formed variant exactly and refuse the broken ones with file and line.
#include "app/branding.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "core/failure.h"
#include "fakes/temp_folder.h"

namespace {

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
  const app::Branding builtIn = app::BuiltInBranding();
  const Case cases[] = {
      {"sample file gives the built-in lists",
       "! Ventrel branding\nMarrowby\nArial\n48\nbold italic\nMarrowby_Logo.gif\n!\nMarrowby\n"
       "Marrowby Motor Electronics Ltd.\n7 Tannery Yard\nBrackenford BF3 7QL\n"
       "Tel. +44 1632 960418\nwww.marrowby.example\n!\n",
       builtIn.BrandingStyle, builtIn.CompanyLines},
      {"markers may carry text and lines after the company end are not read",
       "!c\n" + kStyle + "! end of style\nAcme\n!end\nNot read\n!\nNot read either\n",
       kStyleLines,
       {"Acme"}},
      {"CR LF ends are not part of the values",
       "!c\r\nAcme\r\nHelvetica\r\n20\r\nbold\r\nacme.png\r\n!\r\nAcme\r\nAcme Ltd\r\n!\r\n",
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
      {"Latin-1 is read as Latin-1",
       "! K\xF6ln\nM\xFCller\nArial\n20\nbold\nNULL\n!\nStra\xDF"
       "e\n",
       {"M\xC3\xBCller", "Arial", "20", "bold", "NULL"},
       {"Stra\xC3\x9F"
        "e"}},
      // Left in, the mark would turn the comment line into the company label.
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
      {"markers only", "!a\n!b\n!c\n", {}, ", line 3: ", "ends before the branding style block"},
      {"short style block: the company lines are read all the same",
       "!c\nAcme\nHelvetica\n20\nbold\n!\nAcme\nAcme Ltd\n!\nNot read\n",
       {"Acme", "Helvetica", "20", "bold"},
       ", line 6: ",
       "has 4 lines where five are needed",
       {"Acme", "Acme Ltd"}},
      {"file ending inside a short style block",
       "!c\nAcme\n",
       {"Acme"},
       ", line 2: ",
       "has 1 line where five are needed"},
      {"file ending inside the style block", "!c\n" + kStyle, kStyleLines,
       ", line 6: ", "ends inside the branding style block"},
      {"empty company block", "!c\n" + kStyle + "!\n!\nAcme\n", kStyleLines,
       ", line 8: ", "company block is empty"},
      {"file ending after the style block", "!c\n" + kStyle + "!\n", kStyleLines,
       ", line 7: ", "company block is empty"}};
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

// Files that cannot be read at all leave the built-in values for Ignore to go on with.
TEST(BrandingFile, UnreadableFilesAreRefusedWithoutWaitingAndLeaveTheBuiltInValues) {
  const std::string good = "!c\n" + kStyle + "!\nAcme\n!\n";
  const std::string fullSize = good + std::string(64 * 1024 - good.size(), 'x');
  enum Kind { kFolder, kTenMegabytes, kOneByteTooMany, kPipe, kMissing, kNoReadPermission };
  const std::pair<Kind, const char*> cases[] = {{kFolder, "it is a folder"},
                                                {kTenMegabytes, "is 10485760 bytes long"},
                                                {kOneByteTooMany, "is 65537 bytes long"},
                                                {kPipe, ""},
                                                {kMissing, ""},
                                                {kNoReadPermission, ""}};
  for (const auto& [kind, says] : cases) {
    SCOPED_TRACE(kind);
    // File permissions do not bind the superuser.
    if (kind == kNoReadPermission && geteuid() == 0) continue;
    fakes::TempFolder folder;
    const auto path = folder.path() / app::kBrandingFileName;
    if (kind == kFolder) std::filesystem::create_directory(path);
    if (kind == kPipe) {
      ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
    }
    if (kind == kTenMegabytes || kind == kNoReadPermission) folder.Write(path.filename(), good);
    if (kind == kTenMegabytes) std::filesystem::resize_file(path, 10 * 1024 * 1024);
    if (kind == kOneByteTooMany) folder.Write(path.filename(), fullSize + "x");
    if (kind == kNoReadPermission) std::filesystem::permissions(path, std::filesystem::perms::none);
    app::Branding branding;
    try {
      app::ReadBrandingFile(path, branding);
      ADD_FAILURE() << "the file was taken";
    } catch (const core::Error& e) {
      EXPECT_NE(e.failure().description.find(path.string()), std::string::npos) << e.what();
      EXPECT_NE(e.failure().description.find(says), std::string::npos) << e.what();
    }
    EXPECT_EQ(branding.BrandingStyle, app::BuiltInBranding().BrandingStyle);
    EXPECT_EQ(branding.CompanyLines, app::BuiltInBranding().CompanyLines);
  }
  fakes::TempFolder folder;
  app::Branding branding;
  app::ReadBrandingFile(folder.Write(app::kBrandingFileName, fullSize), branding);
  EXPECT_EQ(branding.CompanyLines, Lines{"Acme"});
}

}  // namespace
