// The 1360-byte data file: its layout, short and long files, and writes that fail. The
// example tunes: each reopens as its edition, and opening and saving a table of one changes
// no byte.
#include "files/data_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "core/editions.h"
#include "core/failure.h"
#include "fakes/temp_folder.h"
#include "files/base_tune.h"
#include "tables/cell_codec.h"
#include "tables/cell_text.h"

namespace {

namespace fs = std::filesystem;

core::ModuleImage PatternedImage() {
  core::ModuleImage image;
  for (std::size_t w = 0; w < image.FLASHBuffer.size(); ++w) {
    image.FLASHBuffer[w] = {static_cast<std::uint8_t>(w * 7), static_cast<std::uint8_t>(w * 3 + 1)};
  }
  for (std::size_t e = 0; e < image.EEPROMBuffer.size(); ++e) {
    image.EEPROMBuffer[e] = static_cast<std::uint8_t>(255 - e);
  }
  return image;
}

std::string Bytes(std::size_t n, char fill = 'x') { return std::string(n, fill); }

// What a read or write reported, as the error prompt will show it.
template <typename Step>
core::Failure FailureOf(Step step) {
  try {
    step();
    ADD_FAILURE() << "no failure reported";
  } catch (const core::Error& e) {
    return e.failure();
  }
  return {};
}

TEST(DataFileFormat, FlashWordsLowByteFirstThenEEPROMBytes) {
  const core::ModuleImage image = PatternedImage();
  const core::DataFileBytes bytes = core::EncodeDataFile(image);
  ASSERT_EQ(bytes.size(), 1360u);
  const auto& flash = image.FLASHBuffer;
  const auto& eeprom = image.EEPROMBuffer;
  for (const auto& [at, byte] : {std::pair{0, flash[6272].LoByte},
                                 {1, flash[6272].HiByte},
                                 {1278, flash[6911].LoByte},
                                 {1279, flash[6911].HiByte},
                                 {1280, eeprom[16]},
                                 {1297, eeprom[33]},
                                 {1359, eeprom[95]}}) {
    EXPECT_EQ(bytes[at], byte) << at;
  }

  // Read back, the file fills its own span of each memory and nothing else.
  core::ModuleImage expected;
  std::copy(&flash[6272], &flash[6912], &expected.FLASHBuffer[6272]);
  std::copy(&eeprom[16], &eeprom[96], &expected.EEPROMBuffer[16]);
  core::ModuleImage back;
  core::DecodeDataFile(bytes, back);
  EXPECT_EQ(back.FLASHBuffer, expected.FLASHBuffer);
  EXPECT_EQ(back.EEPROMBuffer, expected.EEPROMBuffer);
}

// Files of 1359, 1360 and 1500 bytes are the data file fuzz run's seeds; here the far ends.
TEST(DataFileRead, AnEmptyFileGivesNothingAndAHugeOneItsFirst1360Bytes) {
  fakes::TempFolder folder;
  EXPECT_FALSE(files::ReadDataFile(folder.Write("empty.dat", "")).has_value());
  const fs::path huge = folder.Write("huge file é.dat", Bytes(1360, 'c'));
  fs::resize_file(huge, 100u * 1024 * 1024);
  const auto bytes = files::ReadDataFile(huge);
  ASSERT_TRUE(bytes.has_value());
  EXPECT_EQ((*bytes)[1359], 'c');
}

// Each refusal names the file and the reason, under the source and number the error prompt
// shows for a read or a write.
TEST(DataFileAccess, FoldersMissingFilesPipesAndDevicesAreRefusedForReadingAndWriting) {
  fakes::TempFolder folder;
  fs::create_directory(folder.path() / "tune.dat");
  const fs::path pipe = folder.path() / "pipe.dat";
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  // Opening the pipe would wait for a writer: the test would hang here.
  const std::pair<fs::path, const char*> cases[] = {
      {folder.path() / "tune.dat", "it is a folder"},
      {folder.path() / "no-such-folder" / "t.dat", "No such file or directory"},
      {pipe, "a named pipe"},
      {"/dev/null", "a device"}};
  for (const auto& [path, reason] : cases) {
    SCOPED_TRACE(path);
    const core::Failure read = FailureOf([&] { files::ReadDataFile(path); });
    EXPECT_EQ(read.source, "File Open");
    EXPECT_EQ(read.number, 0x800403E8u);
    EXPECT_NE(read.description.find(reason), std::string::npos) << read.description;
    EXPECT_NE(read.description.find(path.string()), std::string::npos);
    const core::Failure write = FailureOf([&] { files::WriteDataFile(path, {}); });
    EXPECT_EQ(write.source, "File Save");
    EXPECT_EQ(write.number, 0x800403E9u);
    EXPECT_NE(write.description.find(reason), std::string::npos) << write.description;
    EXPECT_NE(write.description.find(path.string()), std::string::npos);
  }
  EXPECT_TRUE(fs::is_fifo(pipe));
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 2)
      << "no temporary file left behind";
}

TEST(DataFileWrite, ReplacesALongerFileWholeAndKeepsItsPermissions) {
  fakes::TempFolder folder;
  const fs::path target = folder.Write("a b ü.dat", Bytes(5000));
  fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  const core::DataFileBytes bytes = core::EncodeDataFile(PatternedImage());
  files::WriteDataFile(target, bytes);
  EXPECT_EQ(fakes::ReadFile(target), std::string(bytes.begin(), bytes.end()));
  EXPECT_EQ(fs::status(target).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1);
}

// Runs step as an ordinary user (as root every file may be written) and returns what it
// reported: empty when it went through.
std::string AsOrdinaryUser(const fakes::TempFolder& folder, const std::function<void()>& step) {
  const fs::path report = folder.path() / "report.txt";
  const pid_t child = fork();
  if (child == 0) {
    if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(2);
    std::string said;
    try {
      step();
    } catch (const core::Error& e) {
      said = e.failure().description;
    }
    std::ofstream(report) << said;
    _exit(0);
  }
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the child could not run";
  return fakes::ReadFile(report);
}

TEST(DataFileAccess, AProtectedFileIsNeverReplacedAndOneInAProtectedFolderIsRewritten) {
  fakes::TempFolder folder;
  fs::permissions(folder.path(), fs::perms::all);
  const core::DataFileBytes bytes = core::EncodeDataFile(PatternedImage());
  const std::string tune(bytes.begin(), bytes.end());

  const fs::path protectedFile = folder.Write("protected.dat", "old tune");
  fs::permissions(protectedFile, fs::perms::owner_read | fs::perms::others_read);
  const std::string refused =
      AsOrdinaryUser(folder, [&] { files::WriteDataFile(protectedFile, bytes); });
  EXPECT_NE(refused.find("Permission denied"), std::string::npos) << refused;
  EXPECT_EQ(fakes::ReadFile(protectedFile), "old tune");

  // No temporary file can be made beside it, so the file itself is rewritten.
  const fs::path shut = folder.path() / "shut";
  const fs::path inShut = folder.Write("shut/longer.dat", std::string(5000, 'o'));
  fs::permissions(inShut, fs::perms::all);
  fs::permissions(shut, fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
  EXPECT_EQ(AsOrdinaryUser(folder, [&] { files::WriteDataFile(inShut, bytes); }), "");
  EXPECT_EQ(fakes::ReadFile(inShut), tune);
  EXPECT_EQ(std::distance(fs::directory_iterator(shut), fs::directory_iterator()), 1);
}

TEST(BaseTune, EveryEditionReopensAsItselfAndSavesBackUnchanged) {
  using tables::TableId;
  // One edition of each generation and table layout.
  for (const char* name : {"vosk", "ql2-kq", "jx"}) {
    const std::string version = core::ModuleVersionForShortName(name).value();
    const core::ModuleImage image = files::BaseTune(version);
    EXPECT_EQ(core::ModuleVersionFromEditionByte(image.EEPROMBuffer[33]), version);
    EXPECT_EQ(image.EEPROMBuffer[32], 1) << "basic mode by default";
    const int rows = tables::TableLayoutFor(version).rows;
    for (const auto table : {TableId::FrontCylTrim, TableId::RearCylTrim, TableId::Retard}) {
      const auto kind = tables::KindOf(table);
      const bool unused = table == TableId::Retard && !core::IsSecondGeneration(version);
      for (int c = 1; c <= 9; ++c) {
        for (int r = 1; r <= rows; ++r) {
          const std::uint8_t b = tables::CellByte(image, table, rows, r, c);
          const double shown = tables::ReadCell(image, table, rows, r, c).displayed;
          EXPECT_TRUE(shown >= tables::AllowedRange(kind).lowest &&
                      shown <= tables::AllowedRange(kind).highest);
          const auto saved =
              tables::EncodeCell(kind, tables::CellNumber(tables::FormatWhole(shown)));
          EXPECT_EQ(unused ? 0 : saved, b) << name << " " << r << "," << c;
        }
      }
    }
  }
  EXPECT_FALSE(core::ModuleVersionForShortName("VOSK").has_value());
}

}  // namespace
