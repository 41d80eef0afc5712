// The Open File and Save File commands: every message, the caption, the edition byte,
// and that nothing in memory is lost when a file cannot be opened or saved.
#include "files/data_file_commands.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "files/data_file.h"
#include "tables/open_table.h"

namespace {

namespace fs = std::filesystem;
using core::Answer;

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

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

TEST_F(DataFileCommandsTest, OpenLoadsTheRegionsAndTakesTheEditionFromItsByte) {
  const fs::path path = TuneFile("tune.dat", 0x5A);
  host.ExpectBox(Answer::OK);
  Open(path);
  ASSERT_EQ(host.fileDialogs.size(), 1u);
  EXPECT_EQ(host.fileDialogs[0].title, "Open File");
  EXPECT_EQ(host.fileDialogs[0].filter, "Quillon data files (*.dat)|*.dat");
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(host.boxes[0].text,
            "Loaded " + path.string() + " to buffer. Ready for editing or upload.");
  EXPECT_EQ(host.boxes[0].title, "Open Data File");
  EXPECT_EQ(host.boxes[0].icon, core::Icon::None);
  EXPECT_FALSE(image.FLASHBufferEmpty || image.EEPROMBufferEmpty);
  EXPECT_EQ(image.ModuleVersion, "JX");
  EXPECT_EQ(image.EditionByteValue, 0x5A);
  EXPECT_EQ(Caption(), "Ventrel Version 5.0 - tune.dat");
  EXPECT_EQ(image.FLASHBuffer[6272], (core::FLASHWord{1, 0}));
  EXPECT_EQ(image.EEPROMBuffer[95], 1359 % 251);
}

TEST_F(DataFileCommandsTest, EditionByteTableAndBlankByteCleanUp) {
  for (const auto& [byte, version, retard] : {std::tuple{0x00, "VOSK", false},
                                              {0x1F, "VOSK", false},
                                              {0x2F, "KQ", false},
                                              {0x30, "QL2 VOSK", true},
                                              {0x45, "QL2 KQ", true},
                                              {0x50, "JX", true},
                                              {0x60, "VOSK", false},
                                              {0xF0, "VOSK", false}}) {
    std::string bytes(1360, '\xFF');
    bytes[1297] = static_cast<char>(byte);
    host.ExpectBox(Answer::OK);
    if (!image.FLASHBufferEmpty) host.ExpectBox(Answer::OK);
    Open(folder.Write("e.dat", bytes));
    EXPECT_EQ(image.ModuleVersion, version);
    EXPECT_EQ(view.retardVisible, retard);
    const bool editable = std::string(version).find("KQ") == std::string::npos;
    EXPECT_EQ(editor.TableEditPermission(), editable);
    EXPECT_EQ(grid.Editable(), editable);
    EXPECT_EQ(chart.interactions[tables::ChartInteraction::RotateZoom], editable);
    EXPECT_EQ(chart.interactions[tables::ChartInteraction::SelectPoint], editable);
    // Erased bytes of the retard table become zero, over the 22-row table on JX only.
    const core::FLASHWord pastTheTable =
        std::string(version) == "JX" ? core::FLASHWord{} : core::FLASHWord{0xFF, 0xFF};
    EXPECT_EQ(image.FLASHBuffer[6304], core::FLASHWord{}) << version;
    EXPECT_EQ(image.FLASHBuffer[6384], core::FLASHWord{});
    EXPECT_EQ(image.FLASHBuffer[6385], pastTheTable);
    EXPECT_EQ(image.FLASHBuffer[6402], pastTheTable);
    EXPECT_EQ(image.FLASHBuffer[6403], (core::FLASHWord{0xFF, 0xFF}));
  }
}

TEST_F(DataFileCommandsTest, CancelDismissOrAShortOrUnreadableFileLoseNothing) {
  LoadSomething();
  editor.mnuEditFrontCylTrimTbl_Click();
  host.ExpectBox(Answer::Cancel);
  files::OpenFile(image, editor, window, host);
  EXPECT_EQ(host.boxes[0].text, "Data buffer not empty. OK to overwrite?");
  EXPECT_EQ(host.boxes[0].buttons, core::Buttons::OKCancel);
  EXPECT_TRUE(host.fileDialogs.empty());
  host.ExpectBox(Answer::OK);
  host.ExpectFileDialog(std::nullopt);
  files::OpenFile(image, editor, window, host);
  for (const std::size_t size : {0, 1, 1359}) {
    host.ExpectBox(Answer::OK);
    host.ExpectBox(Answer::OK);
    Open(TuneFile("short.dat", 0x50, size));
    EXPECT_EQ(host.boxes.back().text, "Error - reached premature end-of-file");
    EXPECT_EQ(host.boxes.back().icon, core::Icon::Exclamation);
  }
  EXPECT_TRUE(grid.Visible());
  ExpectUntouched();
  // A folder picked as the file: the reason, Retry, then Ignore.
  fs::create_directory(folder.path() / "folder.dat");
  host.ExpectBox(Answer::OK);
  host.ExpectBox(Answer::Retry);
  host.ExpectBox(Answer::Ignore);
  const std::size_t shown = host.boxes.size();
  Open(folder.path() / "folder.dat");
  ASSERT_EQ(host.boxes.size(), shown + 3);
  EXPECT_NE(host.boxes[shown + 1].text.find("it is a folder"), std::string::npos);
  EXPECT_EQ(host.boxes[shown + 2].title, "Error");
  ExpectUntouched();
}

TEST_F(DataFileCommandsTest, OpenOverAnOpenTableHidesItWithoutSaving) {
  LoadSomething();
  editor.mnuEditFrontCylTrimTbl_Click();
  editor.CopyBuffer = "kept";
  host.ExpectBox(Answer::OK);
  host.ExpectBox(Answer::OK);
  Open(TuneFile("next.dat", 0x30));
  EXPECT_FALSE(grid.Visible() || chart.Visible());
  EXPECT_EQ(editor.CopyBuffer, "kept");
  EXPECT_EQ(Caption(), "Ventrel Version 5.0 - next.dat");
}

TEST_F(DataFileCommandsTest, MissingFileRetriesThenCancelReachesTheErrorPrompt) {
  const fs::path missing = folder.path() / "gone.dat";
  host.ExpectFileDialog(missing.string());
  host.ExpectBox(Answer::Retry);
  host.ExpectFileDialog(missing.string());
  host.ExpectBox(Answer::Cancel);
  host.ExpectBox(Answer::Abort);
  files::OpenFile(image, editor, window, host);
  ASSERT_EQ(host.boxes.size(), 3u);
  EXPECT_EQ(host.boxes[0].text, missing.string() + "\r\nFile not found.");
  EXPECT_EQ(host.boxes[0].title, "File Open");
  EXPECT_EQ(host.boxes[0].buttons, core::Buttons::RetryCancel);
  EXPECT_EQ(host.boxes[2].text, "Canceled File Open");
  EXPECT_EQ(host.boxes[2].title, "Error");
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
  const core::DataFileBytes expected = core::EncodeDataFile(image);
  EXPECT_EQ(ReadAll(old), std::string(expected.begin(), expected.end()));
  EXPECT_EQ(Caption(), "Ventrel Version 5.0 - old.dat");

  folder.Write("taken.dat", "x");
  host.ExpectFileDialog((folder.path() / "taken").string());
  host.ExpectBox(Answer::No);
  host.ExpectFileDialog((folder.path() / "fresh").string());
  EXPECT_TRUE(Save());
  EXPECT_EQ(fs::file_size(folder.path() / "fresh.dat"), 1360u);
  EXPECT_EQ(ReadAll(folder.path() / "taken.dat"), "x");
  EXPECT_EQ(Caption(), "Ventrel Version 5.0 - fresh.dat");
}

TEST_F(DataFileCommandsTest, SaveOfAnEmptyBufferOpensNoDialog) {
  host.ExpectBox(Answer::OK);
  EXPECT_FALSE(Save());
  EXPECT_EQ(host.boxes[0].text, "Data buffer empty.");
  EXPECT_EQ(host.boxes[0].title, "Save Data File");
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
  host.ExpectBox(Answer::Retry);
  host.ExpectBox(Answer::Abort);
  EXPECT_FALSE(Save());
  ASSERT_EQ(host.boxes.size(), 2u);
  EXPECT_EQ(host.boxes[0].title, "Error");
  EXPECT_NE(host.boxes[0].text.find("No such file or directory"), std::string::npos);
  ExpectUntouched();
}

TEST(DataSourceText, FileNamePartAfterEitherSeparatorShortenedPast40Characters) {
  const std::string f36(36, 'f');
  const std::pair<std::string, std::string> cases[] = {
      {"a.dat", "a.dat"},
      {"C:\\tunes\\a.dat", "a.dat"},
      {"/home/rider/tunes/a.dat", "a.dat"},
      {"/x/" + f36 + ".dat", f36 + ".dat"},
      {"/x/12345" + f36 + ".dat", "..." + f36 + ".dat"},
      // Characters, not bytes: a non-ASCII name is never cut inside a character.
      {"é" + std::string(40, 'e'), "..." + std::string(40, 'e')},
      {"ü" + std::string(39, 'u'), "ü" + std::string(39, 'u')},
  };
  for (const auto& [path, shown] : cases) EXPECT_EQ(files::DataSourceTextFor(path), shown) << path;
}

}  // namespace
