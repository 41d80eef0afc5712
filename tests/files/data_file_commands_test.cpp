// The Open File and Save File commands: every message, the caption, the edition byte,
// and that nothing in memory is lost when a file cannot be opened or saved.
#include "files/data_file_commands.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "fakes/temp_folder.h"
#include "fakes/fake_chart.h"
#include "fakes/fake_grid.h"
#include "fakes/scripted_host.h"
#include "files/data_file.h"

namespace {

namespace fs = std::filesystem;
using core::Answer;

class RecordingView : public core::WindowView {
 public:
  void SetCaption(const std::string& caption) override { captions.push_back(caption); }
  void SetRetardTableCommandVisible(bool visible) override { retardVisible = visible; }
  std::vector<std::string> captions;
  bool retardVisible = false;
};

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

class DataFileCommandsTest : public testing::Test {
 protected:
  DataFileCommandsTest() : editor(image, window, host, VENTREL_DATA_DIR) {
    editor.Attach(grid, chart, tableWindow);
  }

  // A data file whose bytes are their offset, with the given edition byte.
  fs::path TuneFile(const std::string& name, std::uint8_t editionByte, std::size_t size = 1360) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i % 251);
    if (size > 1297) bytes[1297] = static_cast<char>(editionByte);
    return folder.Write(name, bytes);
  }

  void LoadSomething() {
    image.FLASHBuffer[6700] = {1, 2};
    image.EEPROMBuffer[20] = 7;
    image.FLASHBufferEmpty = false;
    image.EEPROMBufferEmpty = false;
    image.ModuleVersion = "QL2 KQ";
    window.SetDataSourceText("before.dat");
  }

  void Open(const fs::path& path) {
    host.ExpectFileDialog(path.string());
    files::OpenFile(image, editor, window, host);
  }

  fakes::TempFolder folder;
  fakes::ScriptedHost host;
  RecordingView view;
  core::WindowState window{view};
  core::ModuleImage image;
  fakes::FakeGrid grid;
  fakes::FakeChart chart;
  fakes::FakeTableWindow tableWindow;
  tables::TableEditor editor;
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
  EXPECT_FALSE(image.FLASHBufferEmpty);
  EXPECT_FALSE(image.EEPROMBufferEmpty);
  EXPECT_EQ(image.ModuleVersion, "JX");
  EXPECT_EQ(image.EditionByteValue, 0x5A);
  EXPECT_TRUE(view.retardVisible);
  EXPECT_TRUE(editor.TableEditPermission());
  EXPECT_EQ(view.captions.back(), "Ventrel Version 5.0 - tune.dat");
  EXPECT_EQ(image.FLASHBuffer[6272], (core::FLASHWord{1, 0}));
  EXPECT_EQ(image.EEPROMBuffer[95], 1359 % 251);
}

TEST_F(DataFileCommandsTest, EditionByteTableAndBlankByteCleanUp) {
  struct Case {
    std::uint8_t byte;
    const char* version;
    bool retard;
  };
  for (const Case& c :
       {Case{0x00, "VOSK", false}, Case{0x1F, "VOSK", false}, Case{0x2F, "KQ", false},
        Case{0x30, "QL2 VOSK", true}, Case{0x45, "QL2 KQ", true}, Case{0x50, "JX", true},
        Case{0x60, "VOSK", false}, Case{0xF0, "VOSK", false}}) {
    std::string bytes(1360, '\xFF');
    bytes[1297] = static_cast<char>(c.byte);
    host.ExpectBox(Answer::OK);
    if (!image.FLASHBufferEmpty) host.ExpectBox(Answer::OK);
    Open(folder.Write("e.dat", bytes));
    EXPECT_EQ(image.ModuleVersion, c.version);
    EXPECT_EQ(view.retardVisible, c.retard);
    const bool jx = std::string(c.version) == "JX";
    EXPECT_EQ(image.FLASHBuffer[6304], core::FLASHWord{}) << c.version;
    EXPECT_EQ(image.FLASHBuffer[6384], core::FLASHWord{});
    const core::FLASHWord pastTheTable = jx ? core::FLASHWord{} : core::FLASHWord{0xFF, 0xFF};
    EXPECT_EQ(image.FLASHBuffer[6385], pastTheTable);
    EXPECT_EQ(image.FLASHBuffer[6402], pastTheTable);
    EXPECT_EQ(image.FLASHBuffer[6403], (core::FLASHWord{0xFF, 0xFF}));
    EXPECT_EQ(editor.TableEditPermission(),
              std::string(c.version) != "KQ" && std::string(c.version) != "QL2 KQ");
  }
}

TEST_F(DataFileCommandsTest, CancelAtTheOverwriteQuestionChangesNothing) {
  LoadSomething();
  host.ExpectBox(Answer::Cancel);
  files::OpenFile(image, editor, window, host);
  EXPECT_EQ(host.boxes[0].text, "Data buffer not empty. OK to overwrite?");
  EXPECT_EQ(host.boxes[0].buttons, core::Buttons::OKCancel);
  EXPECT_TRUE(host.fileDialogs.empty());
  EXPECT_FALSE(image.FLASHBufferEmpty);
}

TEST_F(DataFileCommandsTest, DismissedDialogOrShortFileLeavesTheDataAndTheOpenTable) {
  LoadSomething();
  editor.mnuEditFrontCylTrimTbl_Click();
  const std::size_t captions = view.captions.size();
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
  EXPECT_EQ(image.FLASHBuffer[6700], (core::FLASHWord{1, 2}));
  EXPECT_EQ(image.EEPROMBuffer[20], 7);
  EXPECT_FALSE(image.FLASHBufferEmpty);
  EXPECT_EQ(image.ModuleVersion, "QL2 KQ");
  EXPECT_TRUE(grid.Visible());
  EXPECT_EQ(view.captions.size(), captions);
}

TEST_F(DataFileCommandsTest, OpenOverAnOpenTableHidesItWithoutSaving) {
  LoadSomething();
  editor.mnuEditFrontCylTrimTbl_Click();
  editor.CopyBuffer = "kept";
  host.ExpectBox(Answer::OK);
  host.ExpectBox(Answer::OK);
  Open(TuneFile("next.dat", 0x30));
  EXPECT_FALSE(grid.Visible());
  EXPECT_FALSE(chart.Visible());
  EXPECT_EQ(editor.CopyBuffer, "kept");
  EXPECT_EQ(view.captions.back(), "Ventrel Version 5.0 - next.dat");
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

TEST_F(DataFileCommandsTest, UnreadableFileGoesToTheErrorPromptAndLoadsNothing) {
  LoadSomething();
  fs::create_directory(folder.path() / "folder.dat");
  host.ExpectBox(Answer::OK);
  host.ExpectFileDialog((folder.path() / "folder.dat").string());
  host.ExpectBox(Answer::Retry);
  host.ExpectBox(Answer::Ignore);
  files::OpenFile(image, editor, window, host);
  ASSERT_EQ(host.boxes.size(), 3u);
  EXPECT_NE(host.boxes[1].text.find("it is a folder"), std::string::npos);
  EXPECT_EQ(host.boxes[2].title, "Error");
  EXPECT_EQ(image.FLASHBuffer[6700], (core::FLASHWord{1, 2}));
}

TEST_F(DataFileCommandsTest, SaveWritesThe1360BytesAndNamesTheFileInTheCaption) {
  LoadSomething();
  const fs::path path = folder.Write("old.dat", std::string(4000, 'x'));
  host.ExpectFileDialog(path.string());
  host.ExpectBox(Answer::Yes);
  EXPECT_TRUE(files::SaveFile(image, editor, window, host));
  EXPECT_EQ(host.boxes[0].text,
            path.string() + "\r\nThis file already exists.\r\n\r\nReplace existing file?");
  EXPECT_EQ(host.boxes[0].title, "File Save");
  const files::DataFileBytes expected = files::EncodeDataFile(image);
  EXPECT_EQ(ReadAll(path), std::string(expected.begin(), expected.end()));
  EXPECT_EQ(view.captions.back(), "Ventrel Version 5.0 - old.dat");
}

TEST_F(DataFileCommandsTest, SaveAddsTheSuffixAndAsksAgainOnNo) {
  LoadSomething();
  folder.Write("taken.dat", "x");
  host.ExpectFileDialog((folder.path() / "taken").string());
  host.ExpectBox(Answer::No);
  host.ExpectFileDialog((folder.path() / "fresh").string());
  EXPECT_TRUE(files::SaveFile(image, editor, window, host));
  EXPECT_EQ(fs::file_size(folder.path() / "fresh.dat"), 1360u);
  EXPECT_EQ(ReadAll(folder.path() / "taken.dat"), "x");
  EXPECT_EQ(view.captions.back(), "Ventrel Version 5.0 - fresh.dat");
}

TEST_F(DataFileCommandsTest, SaveOfAnEmptyBufferOpensNoDialog) {
  host.ExpectBox(Answer::OK);
  EXPECT_FALSE(files::SaveFile(image, editor, window, host));
  EXPECT_EQ(host.boxes[0].text, "Data buffer empty.");
  EXPECT_EQ(host.boxes[0].title, "Save Data File");
  EXPECT_TRUE(host.fileDialogs.empty());
}

TEST_F(DataFileCommandsTest, SaveClosesTheTableFirstAndCancelThereSavesNothing) {
  LoadSomething();
  editor.mnuEditFrontCylTrimTbl_Click();
  host.ExpectBox(Answer::Cancel);
  EXPECT_FALSE(files::SaveFile(image, editor, window, host));
  EXPECT_EQ(host.boxes[0].text, "Save table edits to buffer before closing?");
  EXPECT_TRUE(grid.Visible());
  EXPECT_TRUE(host.fileDialogs.empty());

  grid.SetTextMatrix(1, 1, "30");
  host.ExpectBox(Answer::Yes);
  host.ExpectFileDialog(std::nullopt);
  EXPECT_FALSE(files::SaveFile(image, editor, window, host));
  EXPECT_FALSE(grid.Visible());
  EXPECT_EQ(tables::CellByte(image, tables::TableId::FrontCylTrim, 18, 1, 1), 166);
}

TEST_F(DataFileCommandsTest, FailedSaveReportsTheReasonAndKeepsTheCaption) {
  LoadSomething();
  const fs::path target = folder.path() / "missing-folder" / "t.dat";
  host.ExpectFileDialog(target.string());
  host.ExpectBox(Answer::Retry);
  host.ExpectBox(Answer::Abort);
  EXPECT_FALSE(files::SaveFile(image, editor, window, host));
  ASSERT_EQ(host.boxes.size(), 2u);
  EXPECT_EQ(host.boxes[0].title, "Error");
  EXPECT_NE(host.boxes[0].text.find("No such file or directory"), std::string::npos);
  EXPECT_EQ(view.captions.back(), "Ventrel Version 5.0 - before.dat");
}

TEST(DataSourceText, FileNamePartAfterEitherSeparatorShortenedPast40Characters) {
  EXPECT_EQ(files::DataSourceTextFor("a.dat"), "a.dat");
  EXPECT_EQ(files::DataSourceTextFor("C:\\tunes\\a.dat"), "a.dat");
  EXPECT_EQ(files::DataSourceTextFor("/home/rider/tunes/a.dat"), "a.dat");
  const std::string forty(36, 'f');
  EXPECT_EQ(files::DataSourceTextFor("/x/" + forty + ".dat"), forty + ".dat");
  const std::string name45 = "12345" + forty + ".dat";
  EXPECT_EQ(files::DataSourceTextFor("/x/" + name45), "..." + forty + ".dat");
  EXPECT_EQ(files::DataSourceTextFor("/x/" + name45).size(), 43u);
  // Characters, not bytes: a non-ASCII name is never cut inside a character.
  const std::string accented = "é" + std::string(40, 'e');
  EXPECT_EQ(files::DataSourceTextFor(accented), "..." + std::string(40, 'e'));
  EXPECT_EQ(files::DataSourceTextFor("ü" + std::string(39, 'u')), "ü" + std::string(39, 'u'));
}

}  // namespace
