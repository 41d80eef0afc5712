// Ventrel.cfg is hand-edited by whoever rebrands the tool, so the reader must take
// every well-formed variant exactly and refuse the broken ones with file and line.
#include "app/branding.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "core/failure.h"
#include "temp_folder.h"

namespace {

using Lines = std::vector<std::string>;

// What reading a file should give. `where` is what follows the file name in the
// message (", line 5: "); empty for a file read without failure.
struct FileCase {
  const char* name;
  std::string content;
  Lines style;
  Lines company;
  bool fails = false;
  std::string where;
  std::string says;
};

void PrintTo(const FileCase& c, std::ostream* os) { *os << c.name; }

FileCase Read(const char* name, std::string content, Lines style, Lines company) {
  return {name, std::move(content), std::move(style), std::move(company), false, "", ""};
}

FileCase Refused(const char* name, std::string content, Lines style, Lines company,
                 std::string where, std::string says) {
  return {name, std::move(content), std::move(style), std::move(company), true, std::move(where),
          std::move(says)};
}

const std::string kStyle = "Acme\nHelvetica\n20\nbold\nacme.png\n";
const Lines kStyleLines = {"Acme", "Helvetica", "20", "bold", "acme.png"};

const std::vector<FileCase> kFileCases = {
    Read("BuiltInExampleGivesTheBuiltInLists",
         "! Ventrel branding\nMarrowby\nArial\n48\nbold italic\nMarrowby_Logo.gif\n!\n"
         "Marrowby\nMarrowby Motor Electronics Ltd.\n7 Tannery Yard\nBrackenford BF3 7QL\n"
         "Tel. +44 1632 960418\nwww.marrowby.example\n!\n",
         app::BuiltInBranding().BrandingStyle, app::BuiltInBranding().CompanyLines),
    Read("ThreeCompanyLinesWithoutFinalMarker",
         "! comment\n! another comment\n" + kStyle + "!\nAcme\nAcme Tuning Ltd\n1 Main Street\n",
         kStyleLines, {"Acme", "Acme Tuning Ltd", "1 Main Street"}),
    Read("NoLeadingCommentIsNeeded", kStyle + "!\nAcme\n", kStyleLines, {"Acme"}),
    Read("LinesAfterTheCompanyEndMarkAreNotRead",
         "!c\n" + kStyle + "!\nAcme\nAcme Ltd\n!\nNot read\n!\nNot read either\n", kStyleLines,
         {"Acme", "Acme Ltd"}),
    Read("MarkerLinesMayCarryText",
         "!c\n" + kStyle + "! end of style\nAcme\n!end of company\nNot read\n", kStyleLines,
         {"Acme"}),
    Read("CrLfLineEndsAreNotPartOfTheValues",
         "!c\r\nAcme\r\nHelvetica\r\n20\r\nbold\r\nacme.png\r\n!\r\nAcme\r\nAcme Ltd\r\n!\r\n",
         kStyleLines, {"Acme", "Acme Ltd"}),
    Read("OnlyOneTrailingCrIsDropped", "Acme\r\r\nHel\rvetica\n20\nbold\nacme.png\n!\nAcme\r",
         {"Acme\r", "Hel\rvetica", "20", "bold", "acme.png"}, {"Acme"}),
    Read("BlanksAreKept", "  Acme \nHelvetica \n 20\n bold\nacme.png \n!\n Acme Ltd \n",
         {"  Acme ", "Helvetica ", " 20", " bold", "acme.png "}, {" Acme Ltd "}),
    Read("EmptyLinesAreValues", "!c\n\nHelvetica\n\n\nNULL\n!\n\nsecond\n",
         {"", "Helvetica", "", "", "NULL"}, {"", "second"}),
    Read("BlankBeforeBangIsNotAMarker", " !Acme\nHelvetica\n20\nbold\nacme.png\n!\n !Acme\n",
         {" !Acme", "Helvetica", "20", "bold", "acme.png"}, {" !Acme"}),
    Read("LastLineWithoutLineEnd", kStyle + "!\nAcme", kStyleLines, {"Acme"}),
    Read("ExtraStyleLinesAreKept", "Acme\nHelvetica\n20\nbold\nacme.png\nextra\n!\nAcme\n",
         {"Acme", "Helvetica", "20", "bold", "acme.png", "extra"}, {"Acme"}),
    Read("Latin1TextIsReadAsLatin1",
         "! K\xF6ln\nM\xFCller\nHelvetica\n20\nbold\nNULL\n!\nM\xFCller GmbH\nStra\xDF" "e 1\n",
         {"M\xC3\xBCller", "Helvetica", "20", "bold", "NULL"},
         {"M\xC3\xBCller GmbH", "Stra\xC3\x9F" "e 1"}),
    Read("Utf8TextIsKept",
         "M\xC3\xBCller\nHelvetica\n20\nbold\nNULL\n!\nM\xC3\xBCller GmbH\n\xE2\x82\xAC 5\n",
         {"M\xC3\xBCller", "Helvetica", "20", "bold", "NULL"},
         {"M\xC3\xBCller GmbH", "\xE2\x82\xAC 5"}),
    // Editors on the platform the file comes from often start UTF-8 files with a byte
    // order mark; it must not turn the comment line into the company label.
    Read("Utf8ByteOrderMarkIsNotPartOfTheFirstLine",
         "\xEF\xBB\xBF! comment\n" + kStyle + "!\nAcme\n", kStyleLines, {"Acme"}),

    Refused("EmptyFileIsRefused", "", {}, {}, "", "ends before the branding style block"),
    Refused("OnlyMarkerLinesAreRefused", "!a\n!b\n!c\n", {}, {}, ", line 3: ",
            "ends before the branding style block"),
    Refused("ShortStyleBlockNamesFileAndLine", "!c\nAcme\nHelvetica\n20\n!\nAcme\n",
            {"Acme", "Helvetica", "20"}, {}, ", line 5: ", "has 3 lines where five are needed"),
    Refused("OneLineStyleBlockSaysLine", "Acme\n!\nAcme\n", {"Acme"}, {}, ", line 2: ",
            "has 1 line where five are needed"),
    Refused("FileEndingInsideAShortStyleBlock", "!c\nAcme\nHelvetica\n", {"Acme", "Helvetica"},
            {}, ", line 3: ", "has 2 lines where five are needed"),
    Refused("FileEndingInsideTheStyleBlock", "!c\n" + kStyle, kStyleLines, {}, ", line 6: ",
            "ends inside the branding style block"),
    Refused("MarkerRightAfterTheStyleEndLeavesCompanyLinesEmpty", "!c\n" + kStyle + "!\n!\nAcme\n",
            kStyleLines, {}, ", line 8: ", "company block is empty"),
    Refused("FileEndingAfterTheStyleEndLeavesCompanyLinesEmpty", "!c\n" + kStyle + "!\n",
            kStyleLines, {}, "", "company block is empty"),
};

class BrandingFileTest : public ::testing::TestWithParam<FileCase> {
 protected:
  apptest::TempFolder folder;
};

TEST_P(BrandingFileTest, ReadsOrRefusesWithFileAndLine) {
  const FileCase& c = GetParam();
  const std::filesystem::path path = folder.Write(app::kBrandingFileName, c.content);
  // Lists from an earlier reading must not leak into this one.
  app::Branding branding;
  branding.BrandingStyle = {"stale"};
  branding.CompanyLines = {"stale"};
  try {
    app::ReadBrandingFile(path, branding);
    EXPECT_FALSE(c.fails) << "the file was taken";
  } catch (const core::Error& e) {
    EXPECT_TRUE(c.fails) << "refused: " << e.what();
    const std::string& message = e.failure().description;
    EXPECT_EQ(message.rfind(path.string() + (c.where.empty() ? ", line " : c.where), 0), 0u)
        << message;
    EXPECT_NE(message.find(c.says), std::string::npos) << message;
    EXPECT_EQ(e.failure().number, core::kErrCommOrFileOpen);
    EXPECT_EQ(e.failure().source, core::kSourceFileOpen);
  }
  EXPECT_EQ(branding.BrandingStyle, c.style);
  EXPECT_EQ(branding.CompanyLines, c.company);
}

INSTANTIATE_TEST_SUITE_P(AppBrandingFiles, BrandingFileTest, ::testing::ValuesIn(kFileCases),
                         [](const ::testing::TestParamInfo<FileCase>& info) {
                           return std::string(info.param.name);
                         });

std::string FailureOf(const std::filesystem::path& path, app::Branding& branding) {
  try {
    app::ReadBrandingFile(path, branding);
  } catch (const core::Error& e) {
    return e.failure().description;
  }
  ADD_FAILURE() << path << " was taken";
  return {};
}

void ExpectBuiltIn(const app::Branding& branding) {
  EXPECT_EQ(branding.BrandingStyle, app::BuiltInBranding().BrandingStyle);
  EXPECT_EQ(branding.CompanyLines, app::BuiltInBranding().CompanyLines);
}

TEST(BrandingFile, EmptyFileNeverNamesLineZero) {
  apptest::TempFolder folder;
  app::Branding branding;
  const std::string message = FailureOf(folder.Write(app::kBrandingFileName, ""), branding);
  EXPECT_EQ(message.find("line 0"), std::string::npos) << message;
}

TEST(BrandingFile, StyleItemsRememberTheirLines) {
  apptest::TempFolder folder;
  const auto path = folder.Write(app::kBrandingFileName, "!a\n!b\n" + kStyle + "!\nAcme\n");
  app::Branding branding;
  app::ReadBrandingFile(path, branding);
  EXPECT_EQ(app::WhereStyleItem(branding, app::kStyleCompanyLabel), path.string() + ", line 3: ");
  EXPECT_EQ(app::WhereStyleItem(branding, app::kStyleFontSize), path.string() + ", line 5: ");
  EXPECT_EQ(app::WhereStyleItem(branding, app::kStyleLogoFile), path.string() + ", line 7: ");
  // An item the file does not have is placed in the file only.
  EXPECT_EQ(app::WhereStyleItem(branding, 6), path.string() + ": ");
}

TEST(BrandingFile, BuiltInValuesArePlacedNowhere) {
  const app::Branding builtIn = app::BuiltInBranding();
  EXPECT_EQ(app::WhereStyleItem(builtIn, app::kStyleFontSize), "");
  EXPECT_TRUE(builtIn.source.empty());
}

TEST(BrandingFile, BuiltInBrandingHasFiveStyleItemsAndSixCompanyLines) {
  const app::Branding builtIn = app::BuiltInBranding();
  EXPECT_EQ(builtIn.BrandingStyle,
            (Lines{"Marrowby", "Arial", "48", "bold italic", "Marrowby_Logo.gif"}));
  ASSERT_EQ(builtIn.CompanyLines.size(), 6u);
  EXPECT_EQ(builtIn.CompanyLines[0], "Marrowby");
  for (const std::string& line : builtIn.CompanyLines) EXPECT_FALSE(line.empty());
}

TEST(BrandingFile, ItemsCountFromOneAndMissingItemsReadEmpty) {
  const Lines list = {"first", "second"};
  EXPECT_EQ(app::Item(list, 1), "first");
  EXPECT_EQ(app::Item(list, 2), "second");
  EXPECT_EQ(app::Item(list, 0), "");
  EXPECT_EQ(app::Item(list, 3), "");
  EXPECT_EQ(app::Item({}, 1), "");
}

// Files that cannot be read at all leave the built-in values for Ignore to go on with.

TEST(BrandingFile, FolderNamedLikeTheFileIsRefused) {
  apptest::TempFolder folder;
  const auto path = folder.path() / app::kBrandingFileName;
  std::filesystem::create_directory(path);
  app::Branding branding;
  const std::string message = FailureOf(path, branding);
  EXPECT_NE(message.find(path.string()), std::string::npos) << message;
  EXPECT_NE(message.find("folder"), std::string::npos) << message;
  ExpectBuiltIn(branding);
}

TEST(BrandingFile, TenMegabyteFileIsRefusedWithoutReadingIt) {
  apptest::TempFolder folder;
  const auto path = folder.Write(app::kBrandingFileName, "!c\n" + kStyle + "!\nAcme\n!\n");
  std::filesystem::resize_file(path, 10 * 1024 * 1024);
  app::Branding branding;
  const std::string message = FailureOf(path, branding);
  EXPECT_NE(message.find(path.string()), std::string::npos) << message;
  EXPECT_NE(message.find("10485760 bytes"), std::string::npos) << message;
  ExpectBuiltIn(branding);
}

TEST(BrandingFile, SixtyFourKiBAreReadOneByteMoreIsRefused) {
  apptest::TempFolder folder;
  const std::string content = "!c\n" + kStyle + "!\nAcme\n!\n";
  const std::string padding(64 * 1024 - content.size(), 'x');
  const auto path = folder.Write(app::kBrandingFileName, content + padding);
  app::Branding branding;
  app::ReadBrandingFile(path, branding);
  EXPECT_EQ(branding.CompanyLines, Lines{"Acme"});

  folder.Write(app::kBrandingFileName, content + padding + "x");
  const std::string message = FailureOf(path, branding);
  EXPECT_NE(message.find("65537 bytes"), std::string::npos) << message;
  ExpectBuiltIn(branding);
}

TEST(BrandingFile, PipeNamedLikeTheFileIsRefusedWithoutWaiting) {
  apptest::TempFolder folder;
  const auto path = folder.path() / app::kBrandingFileName;
  ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
  app::Branding branding;
  const std::string message = FailureOf(path, branding);
  EXPECT_NE(message.find(path.string()), std::string::npos) << message;
  ExpectBuiltIn(branding);
}

TEST(BrandingFile, UnreadableFileIsRefused) {
  if (geteuid() == 0) GTEST_SKIP() << "file permissions do not bind the superuser";
  apptest::TempFolder folder;
  const auto path = folder.Write(app::kBrandingFileName, kStyle + "!\nAcme\n");
  std::filesystem::permissions(path, std::filesystem::perms::none);
  app::Branding branding;
  const std::string message = FailureOf(path, branding);
  EXPECT_NE(message.find(path.string()), std::string::npos) << message;
  ExpectBuiltIn(branding);
}

TEST(BrandingFile, MissingFileIsRefusedWhenAskedForByName) {
  apptest::TempFolder folder;
  app::Branding branding;
  const std::string message = FailureOf(folder.path() / app::kBrandingFileName, branding);
  EXPECT_NE(message.find(app::kBrandingFileName), std::string::npos) << message;
  ExpectBuiltIn(branding);
}

}  // namespace
