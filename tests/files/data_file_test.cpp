// The 1360-byte data file: its layout, short and long files, and writes that fail. The
// example tunes: each reopens as its edition, and opening and saving a table of one changes
// no byte. The Open File and Save File commands: every message, the caption, the edition
// byte, and that nothing in memory is lost when a file cannot be opened or saved.
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
#include "files/data_file.h"
#include "files/data_file_commands.h"
#include "tables/cell_codec.h"
#include "tables/cell_text.h"
#include "tables/open_table.h"

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

using core::Answer;
using Box = fakes::MessageBoxRecord;

class DataFileCommandsTest : public tablestest::OpenTable {
 protected:
  // A data file whose bytes are their offset, with the given edition byte.
  fs::path TuneFile(const std::string& name, std::uint8_t editionByte, std::size_t size = 1360) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i % 251);
    if (size > 1297) bytes[1297] = static_cast<char>(editionByte);
    return folder.Write(name, bytes);
  }

  void LoadSomething() {
    Load("QL2 KQ");
    image.FLASHBuffer[6700] = {1, 2};
    image.EEPROMBuffer[20] = 7;
    window.SetDataSourceText("before.dat");
  }
  void ExpectUntouched() {
    EXPECT_EQ(image.FLASHBuffer[6700], (core::FLASHWord{1, 2}));
    EXPECT_EQ(image.EEPROMBuffer[20], 7);
    EXPECT_FALSE(image.FLASHBufferEmpty);
    EXPECT_EQ(image.ModuleVersion, "QL2 KQ");
    EXPECT_EQ(Caption().rfind("Ventrel Version 5.0 - before.dat", 0), 0u) << Caption();
  }

  void Open(const fs::path& path) {
    host.ExpectFileDialog(path.string());
    files::OpenFile(image, editor, window, host);
  }
  bool Save() { return files::SaveFile(image, editor, window, host).has_value(); }
};

// Which byte names which edition, and the clean-up of each, are the core's; here that an
// opened file gets both, and the window and the table editor follow the edition.
TEST_F(DataFileCommandsTest, OpenTakesTheEditionFromItsByteAndTheWindowAndTheEditorFollow) {
  for (const auto& [byte, version, secondGeneration, editable] :
       {std::tuple{0x2F, "KQ", false, false}, {0x5A, "JX", true, true}}) {
    SCOPED_TRACE(version);
    std::string bytes(1360, '\xFF');
    bytes[1297] = static_cast<char>(byte);
    const fs::path path = folder.Write(std::to_string(byte) + ".dat", bytes);
    host.boxes.clear();
    if (!image.FLASHBufferEmpty) host.ExpectBox(Answer::OK);
    host.ExpectBox(Answer::OK);
    Open(path);
    EXPECT_EQ(host.boxes.back(),
              (Box{"Loaded " + path.string() + " to buffer. Ready for editing or upload.",
                   "Open Data File", core::Buttons::OK, core::Icon::None}));
    EXPECT_EQ(Caption(), "Ventrel Version 5.0 - " + path.filename().string());
    EXPECT_FALSE(image.FLASHBufferEmpty || image.EEPROMBufferEmpty);
    EXPECT_EQ(image.ModuleVersion, version);
    EXPECT_EQ(image.EditionByteValue, byte);
    EXPECT_EQ(view.retardVisible, secondGeneration);
    EXPECT_EQ(std::vector({editor.TableEditPermission(), grid.Editable(),
                           chart.interactions[tables::ChartInteraction::RotateZoom],
                           chart.interactions[tables::ChartInteraction::SelectPoint]}),
              std::vector(4, editable));
    // Erased bytes of the retard table become zero; how far, per edition, is the core's.
    EXPECT_EQ(image.FLASHBuffer[6384], core::FLASHWord{});
  }
  EXPECT_EQ(host.fileDialogs.at(0).title + " " + host.fileDialogs[0].filter,
            "Open File Quillon data files (*.dat)|*.dat");
}

TEST_F(DataFileCommandsTest, CancelDismissOrAShortOrUnreadableFileLoseNothing) {
  LoadSomething();
  editor.mnuEditFrontCylTrimTbl_Click();
  editor.CopyBuffer = "kept";
  host.ExpectBoxes({Answer::Cancel, Answer::OK});
  files::OpenFile(image, editor, window, host);
  EXPECT_TRUE(host.fileDialogs.empty());
  host.ExpectFileDialog(std::nullopt);
  files::OpenFile(image, editor, window, host);
  host.ExpectBoxes({Answer::OK, Answer::OK});
  Open(TuneFile("short.dat", 0x50, 1359));
  // A folder picked as the file: the reason, then Ignore.
  fs::create_directory(folder.path() / "folder.dat");
  host.ExpectBoxes({Answer::OK, Answer::Ignore});
  Open(folder.path() / "folder.dat");
  const Box overwrite{"Data buffer not empty. OK to overwrite?", "Open Data File",
                      core::Buttons::OKCancel, core::Icon::None};
  ASSERT_EQ(host.boxes.size(), 6u);
  EXPECT_EQ(std::vector(host.boxes.begin(), host.boxes.begin() + 4),
            (std::vector<Box>{overwrite,
                              overwrite,
                              overwrite,
                              {"Error - reached premature end-of-file", "Open Data File",
                               core::Buttons::OK, core::Icon::Exclamation}}));
  EXPECT_NE(host.boxes[5].text.find("it is a folder"), std::string::npos);
  EXPECT_EQ(host.boxes[5].title, "Error");
  EXPECT_TRUE(grid.Visible());
  ExpectUntouched();

  // Opened at last: the open table goes without being saved.
  host.ExpectBoxes({Answer::OK, Answer::OK});
  Open(TuneFile("next.dat", 0x30));
  EXPECT_FALSE(grid.Visible() || chart.Visible());
  EXPECT_EQ(editor.CopyBuffer, "kept");
  EXPECT_EQ(Caption(), "Ventrel Version 5.0 - next.dat");
}

TEST_F(DataFileCommandsTest, MissingFileRetriesThenCancelReachesTheErrorPrompt) {
  const fs::path missing = folder.path() / "gone.dat";
  host.ExpectFileDialog(missing.string());
  host.ExpectFileDialog(missing.string());
  host.ExpectBoxes({Answer::Retry, Answer::Cancel, Answer::Abort});
  files::OpenFile(image, editor, window, host);
  const Box notFound{missing.string() + "\r\nFile not found.", "File Open",
                     core::Buttons::RetryCancel, core::Icon::Exclamation};
  EXPECT_EQ(host.boxes,
            (std::vector<Box>{notFound,
                              notFound,
                              {"Canceled File Open", "Error", core::Buttons::AbortRetryIgnore,
                               core::Icon::Critical}}));
  EXPECT_TRUE(image.FLASHBufferEmpty);
}

TEST_F(DataFileCommandsTest, SaveReplacesOnYesAsksAgainOnNoAndAddsTheSuffix) {
  LoadSomething();
  const fs::path old = folder.Write("old.dat", std::string(4000, 'x'));
  host.ExpectFileDialog(old.string());
  host.ExpectBox(Answer::Yes);
  EXPECT_TRUE(Save());
  EXPECT_EQ(host.boxes[0].text,
            old.string() + "\r\nThis file already exists.\r\n\r\nReplace existing file?");
  EXPECT_EQ(host.boxes[0].title, "File Save");
  EXPECT_EQ(fs::file_size(old), 1360u) << "what a write puts in the file is the data file's test";
  EXPECT_EQ(Caption(), "Ventrel Version 5.0 - old.dat");

  folder.Write("taken.dat", "x");
  host.ExpectFileDialog((folder.path() / "taken").string());
  host.ExpectBox(Answer::No);
  host.ExpectFileDialog((folder.path() / "fresh").string());
  EXPECT_TRUE(Save());
  EXPECT_EQ(fs::file_size(folder.path() / "fresh.dat"), 1360u);
  EXPECT_EQ(fakes::ReadFile(folder.path() / "taken.dat"), "x");
  EXPECT_EQ(Caption(), "Ventrel Version 5.0 - fresh.dat");
}

TEST_F(DataFileCommandsTest, SaveOfAnEmptyBufferOpensNoDialog) {
  host.ExpectBox(Answer::OK);
  EXPECT_FALSE(Save());
  EXPECT_EQ(host.boxes, (std::vector<Box>{{"Data buffer empty.", "Save Data File",
                                           core::Buttons::OK, core::Icon::Exclamation}}));
  EXPECT_TRUE(host.fileDialogs.empty());
}

TEST_F(DataFileCommandsTest, SaveClosesTheTableFirstAndCancelThereSavesNothing) {
  LoadSomething();
  editor.mnuEditFrontCylTrimTbl_Click();
  host.ExpectBox(Answer::Cancel);
  EXPECT_FALSE(Save());
  EXPECT_EQ(host.boxes[0].text, "Save table edits to buffer before closing?");
  EXPECT_TRUE(grid.Visible());
  EXPECT_TRUE(host.fileDialogs.empty());
  Put(1, 1, "30");
  host.ExpectBox(Answer::Yes);
  host.ExpectFileDialog(std::nullopt);
  EXPECT_FALSE(Save());
  EXPECT_FALSE(grid.Visible());
  EXPECT_EQ(Byte(tables::TableId::FrontCylTrim, 1, 1), 166);
}

TEST_F(DataFileCommandsTest, FailedSaveReportsTheReasonAndKeepsTheCaption) {
  LoadSomething();
  host.ExpectFileDialog((folder.path() / "missing-folder" / "t.dat").string());
  host.ExpectBoxes({Answer::Retry, Answer::Abort});
  EXPECT_FALSE(Save());
  ASSERT_EQ(host.boxes.size(), 2u);
  EXPECT_EQ(host.boxes[0].title, "Error");
  EXPECT_NE(host.boxes[0].text.find("No such file or directory"), std::string::npos);
  ExpectUntouched();
}

TEST(DataSourceText, FileNamePartAfterEitherSeparatorShortenedPast40Characters) {
  const std::string f36(36, 'f');
  const std::pair<std::string, std::string> cases[] = {
      {"C:\\tunes\\a.dat", "a.dat"},
      {"/x/" + f36 + ".dat", f36 + ".dat"},
      {"/x/12345" + f36 + ".dat", "..." + f36 + ".dat"},
      // Characters, not bytes: a non-ASCII name is never cut inside a character.
      {"é" + std::string(40, 'e'), "..." + std::string(40, 'e')},
      {"ü" + std::string(39, 'u'), "ü" + std::string(39, 'u')},
  };
  for (const auto& [path, shown] : cases) EXPECT_EQ(files::DataSourceTextFor(path), shown) << path;
}

}  // namespace
