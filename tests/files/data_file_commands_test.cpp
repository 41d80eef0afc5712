// The Open File and Save File commands: every message, the caption, the edition byte,
// and that nothing in memory is lost when a file cannot be opened or saved.
#include "files/data_file_commands.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "files/data_file.h"
#include "tables/open_table.h"

namespace {

namespace fs = std::filesystem;
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
