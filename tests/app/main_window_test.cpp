// The main window's own rules: the start-up state every command relies on, the close
// request that may lose edits, the About text, and the table controls' layout in the
// client area, in twips. Its desktop conventions without widgets: the recent files and the
// window's geometry kept in the settings store, the status bar's texts, and the files named
// to the window from outside the Open File dialog (Open Recent, the command line, a drop).
#include "app/main_window.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/file_commands.h"
#include "app/form_layout.h"
#include "app/recent_files.h"
#include "app/session.h"
#include "app/status_texts.h"
#include "app/upload_command.h"
#include "app/window_geometry.h"
#include "fakes/fake_chart.h"
#include "fakes/fake_grid.h"
#include "fakes/memory_settings.h"
#include "fakes/recording_view.h"
#include "fakes/scripted_host.h"
#include "fakes/temp_folder.h"
#include "files/base_tune.h"

namespace {

namespace fs = std::filesystem;
using core::Answer;
using Lines = std::vector<std::string>;
using Paths = std::vector<fs::path>;

class RecordingMainWindowView : public app::MainWindowView {
 public:
  void SetCaption(const std::string& caption) override { captions.push_back(caption); }
  void SetRetardTableCommandVisible(bool) override {}
  void SetApplicationTitle(const std::string&) override {}
  void SetPopUpPasteEnabled(bool) override {}

  Lines captions;
};

// Start-up moves the process into the program folder; every test gets its own back.
class FormLoadTest : public ::testing::Test {
 protected:
  ~FormLoadTest() override { fs::current_path(startFolder); }

  // A session holding data, so start-up has something to empty.
  app::Session& DirtySession(app::Branding branding, fs::path folder) {
    app::Session& s = session.emplace(host, view, std::move(branding), std::move(folder));
    s.image.FLASHBuffer[6304] = {0x12, 0x34};
    s.image.FLASHBufferEmpty = s.image.EEPROMBufferEmpty = false;
    s.image.FirmwareID = "Quillon II KQ";
    s.image.ModuleVersion = "QL2 KQ";
    return s;
  }

  const fs::path startFolder = fs::current_path();
  fakes::TempFolder programFolder;
  fakes::ScriptedHost host;
  RecordingMainWindowView view;
  std::optional<app::Session> session;
};

// The caption for each branding is the window state's test; here, that the branding reaches it.
TEST_F(FormLoadTest, StartUpEmptiesTheImageKeepsItsIdentityAndLeavesTheClipboardAlone) {
  app::Branding branding;
  branding.CompanyLines = {"Acme", "Acme Ltd"};
  app::Session& s = DirtySession(branding, programFolder.path());
  host.clipboard = "cells copied elsewhere";
  app::FormLoad(s, view);
  EXPECT_TRUE(host.boxes.empty());
  EXPECT_EQ(view.captions, Lines{"Acme Ventrel Version 5.0"});
  EXPECT_EQ(host.clipboard, "cells copied elsewhere");
  EXPECT_TRUE(s.image.FLASHBufferEmpty && s.image.EEPROMBufferEmpty);
  EXPECT_EQ(s.image.FLASHBuffer, core::ModuleImage().FLASHBuffer);
  EXPECT_EQ(s.image.FirmwareID + " " + s.image.ModuleVersion, "Quillon II KQ QL2 KQ");
}

// Abort stopping start-up there is the error prompt's own test.
TEST_F(FormLoadTest, MissingProgramFolderIsReportedAndIgnoreFinishesStartUp) {
  const auto missing = programFolder.path() / "gone";
  app::Session& s = DirtySession(app::BuiltInBranding(), missing);
  host.ExpectBox(Answer::Ignore);
  app::FormLoad(s, view);
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(host.boxes[0].title, "Error");
  EXPECT_NE(host.boxes[0].text.find(missing.string()), std::string::npos) << host.boxes[0].text;
  EXPECT_TRUE(s.image.FLASHBufferEmpty);
  EXPECT_EQ(view.captions, Lines{"Marrowby Ventrel Version 5.0"});
}

TEST(Shell, ClosingAsksToSaveWhateverIsInNoFileAndNeverOtherwise) {
  // What is in memory when the window is closed: data from a file (else nothing), then
  // what was done to them since.
  enum Since { kNone, kDownloaded, kParameterChanged, kTableOpen, kCellEdited, kTableSaved };
  struct Case {
    const char* name;
    bool loaded;
    Since since;
    std::optional<Answer> answer;  // none: no question
    bool saved, keepsOpen;         // Yes saves first
    const char* typed = nullptr;   // left open in the grid's cell
    const char* refusal = nullptr;
  };
  // clang-format off
  const Case cases[] = {
      {"nothing loaded", false, kNone, {}, true, false},
      {"a table open and left as it was", true, kTableOpen, {}, true, false},
      {"downloaded data, Yes and saved closes", true, kDownloaded, Answer::Yes, true, false},
      {"parameters changed since the file, Yes but not saved stays open", true, kParameterChanged, Answer::Yes, false, true},
      {"a table saved to the buffer since, No closes without saving", true, kTableSaved, Answer::No, true, false},
      {"an edited cell in the open table, Cancel stays open", true, kCellEdited, Answer::Cancel, true, true},
      {"an accepted entry still open is committed and counts", true, kTableOpen, Answer::Cancel, true, true, "7"},
      {"a refused entry still open keeps the window without a question", true, kTableOpen, {}, true, true, "45",
       "Fuel trim percent must be numeric value between -20 and 30."}};
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fakes::ScriptedHost host;
    RecordingMainWindowView view;
    app::Session session(host, view, app::BuiltInBranding(), VENTREL_DATA_DIR);
    fakes::FakeGrid grid;
    fakes::FakeChart chart;
    fakes::FakeTableWindow tableWindow;
    session.editor.Attach(grid, chart, tableWindow);
    if (c.loaded) {
      session.image.FLASHBufferEmpty = session.image.EEPROMBufferEmpty = false;
      session.image.ModuleVersion = "QL2 VOSK";
      session.image.FLASHBuffer.fill({128, 128});  // trims of 0 %
      session.image.MarkInFile();
    }
    if (c.since == kDownloaded) session.image.MarkNotInFile();
    if (c.since == kParameterChanged) session.image.EEPROMBuffer[17] = 5;
    if (c.since >= kTableOpen) {
      session.editor.mnuEditFrontCylTrimTbl_Click();
      grid.SetCurrentCell(2, 3);
    }
    if (c.since >= kCellEdited) grid.SetTextMatrix(2, 3, "7");
    if (c.since == kTableSaved) session.editor.mnuSaveTbl_Click();
    if (c.typed) grid.Type(c.typed);
    host.boxes.clear();
    if (c.refusal) host.ExpectBox(Answer::OK);
    if (c.answer) host.ExpectBox(*c.answer);
    int saves = 0;
    const auto saveFile = [&] {
      ++saves;
      return c.saved;
    };
    EXPECT_EQ(app::FormQueryUnload(session, saveFile), c.keepsOpen);
    EXPECT_EQ(saves, c.answer == Answer::Yes ? 1 : 0);
    ASSERT_EQ(host.boxes.size(), (c.refusal || c.answer) ? 1u : 0u);
    if (c.refusal) {
      EXPECT_EQ(host.boxes[0].text, c.refusal);
    }
    if (!c.answer) continue;
    EXPECT_EQ(host.boxes[0],
              (fakes::MessageBoxRecord{"Save data before exiting?", "Exit Program",
                                       core::Buttons::YesNoCancel, core::Icon::Exclamation}));
  }
}

TEST(About, TextIsLabelAndVersionTheNoticeABlankLineAndTheRestOfTheCompanyBlock) {
  const std::string notice = std::string(app::kRightsNotice) + "\r\n\r\n";
  const std::pair<Lines, std::string> cases[] = {
      {app::BuiltInBranding().CompanyLines,
       "Marrowby Ventrel Version 5.00\r\n" + notice +
           "Marrowby Motor Electronics Ltd.\r\n7 Tannery Yard\r\nBrackenford BF3 7QL\r\n"
           "Tel. +44 1632 960418\r\nwww.marrowby.example\r\n"},
      {{"Acme", "", "Unit 4"}, "Acme Ventrel Version 5.00\r\n" + notice + "\r\nUnit 4\r\n"}};
  for (const auto& [company, text] : cases) {
    app::Branding branding;
    branding.CompanyLines = company;
    EXPECT_EQ(app::AboutText(branding), text);
  }
}

// That the rows and columns fill the grid is the window's test, which shows a whole table.
TEST(FormLayout, GridLeftChartRightAndTinyAreasGiveNoNegatives) {
  fakes::FakeGrid grid;
  grid.SetRows(19);
  grid.SetCols(10);
  fakes::FakeChart chart;
  // Nothing moves before the first table opens.
  app::LayoutTableControls("", grid, chart, 8000, 6000);
  EXPECT_EQ(chart.placement, (std::vector<int>{0, 0, 0, 0}));
  app::LayoutTableControls("Retard Table", grid, chart, 8000, 6000);
  EXPECT_EQ(chart.placement, (std::vector<int>{4000, 0, 4000, 6000}));
  EXPECT_EQ(grid.placement, (std::vector<int>{0, 0, 3850, 5250}));
  app::LayoutTableControls("Front Cylinder Fuel Trim Table", grid, chart, 100, 100);
  EXPECT_EQ(grid.rowHeight, 0);
  EXPECT_EQ(grid.placement, (std::vector<int>{0, 0, 0, 0}));
}

TEST(RecentFiles, NewestFirstEightAtMostDistinctAbsolutePathsAndTheSameAfterARestart) {
  fakes::MemorySettings settings;
  app::RecentFiles recent(settings);
  for (int i = 1; i <= 9; ++i) recent.Add("/t/" + std::to_string(i) + ".dat");
  recent.Add("/t/x/../5.dat");  // the same file, written otherwise, moves up
  recent.Remove("/t/8.dat");
  const Paths expected = {"/t/5.dat", "/t/9.dat", "/t/7.dat", "/t/6.dat",
                          "/t/4.dat", "/t/3.dat", "/t/2.dat"};
  EXPECT_EQ(recent.Files(), expected);
  EXPECT_EQ(app::RecentFiles(settings).Files(), expected);
  // A shorter list leaves no stale entry behind in the store.
  for (const fs::path& file : expected) recent.Remove(file);
  EXPECT_TRUE(app::RecentFiles(settings).Files().empty());
  // A hand-edited store: a relative path is not taken.
  settings.SaveSetting("Ventrel", "Recent Files", "File1", "relative.dat");
  settings.SaveSetting("Ventrel", "Recent Files", "File2", "/a/t.dat");
  EXPECT_EQ(app::RecentFiles(settings).Files(), Paths{"/a/t.dat"});
  EXPECT_EQ(app::RecentFileCaption(7, "/r&d/a&b.dat"), "&8 a&&b.dat  (/r&&d)");
}

TEST(WindowGeometry, RestoredOnTheScreenItOverlapsMostWithinItsAreaElseNotAtAll) {
  const std::vector<app::WindowRect> twoScreens = {{0, 0, 1920, 1050}, {1920, 0, 1280, 1024}};
  const auto Restored = [](const char* stored, const std::vector<app::WindowRect>& areas) {
    fakes::MemorySettings settings;
    settings.SaveSetting("Ventrel", "Main Window", "Geometry", stored);
    return app::RestoredGeometry(settings, areas, 800, 500);
  };
  using Geometry = app::WindowGeometry;
  EXPECT_EQ(Restored("100,50,1280,860,0", twoScreens), (Geometry{{100, 50, 1280, 860}, false}));
  // Mostly on the second screen and too wide for it: shrunk and moved inside it.
  EXPECT_EQ(Restored("1800,-40,1500,900,0", twoScreens), (Geometry{{1920, 0, 1280, 900}, false}));
  for (const char* stored : {"5000,5000,800,600,0", "2147483647,2147483647,2147483647,2147483647,0",
                             "1,2,3,4", "1,2,0,4,0", "1,2,3,4,2", "a,2,3,4,0"}) {
    EXPECT_EQ(Restored(stored, twoScreens), std::nullopt) << stored;
  }
  EXPECT_EQ(Restored("0,0,800,600,0", {}), std::nullopt) << "no screen";
  fakes::MemorySettings settings;
  const app::WindowGeometry geometry{{-1100, 20, 1000, 700}, true};
  app::StoreGeometry(settings, geometry);
  EXPECT_EQ(app::RestoredGeometry(settings, {{-1280, 0, 1280, 1024}}, 800, 500), geometry);
}

// A session with a grid and a chart, and data files in a folder of their own.
class NamedFilesTest : public ::testing::Test {
 protected:
  NamedFilesTest() { session.editor.Attach(grid, chart, tableWindow); }
  ~NamedFilesTest() override { fs::current_path(startFolder); }

  fs::path TuneFile(const std::string& name, const char* edition) {
    return folder.WriteTune(name, files::BaseTune(edition));
  }
  void LoadKQ() {
    session.image = files::BaseTune("KQ");
    session.image.MarkInFile();
  }

  const fs::path startFolder = fs::current_path();
  fakes::TempFolder folder;
  fakes::ScriptedHost host;
  fakes::RecordingView view;
  app::Session session{host, view, app::BuiltInBranding(), VENTREL_DATA_DIR};
  fakes::FakeGrid grid;
  fakes::FakeChart chart;
  fakes::FakeTableWindow tableWindow;
};

TEST_F(NamedFilesTest, OneExistingDataFileOpensAnythingElseIsRefusedAndTheDataStay) {
  const fs::path tune = TuneFile("tune.DAT", "JX");
  const fs::path other = TuneFile("tune.bin", "JX");
  const std::string overwrite = "Data buffer not empty. OK to overwrite?";
  struct Case {
    const char* name;
    Paths files;
    std::vector<Answer> answers;
    std::string says;  // the first message's start
    bool opens;
  };
  // clang-format off
  const Case cases[] = {
      {"a data file, any case of suffix", {tune}, {Answer::OK, Answer::OK}, overwrite, true},
      {"two files", {tune, tune}, {Answer::OK}, "Only one data file can be opened", false},
      {"a folder", {folder.path()}, {Answer::OK}, "\"" + folder.path().string() + "\" is a folder", false},
      {"another kind of file", {other}, {Answer::OK}, "\"" + other.string() + "\" is not a", false},
      {"a missing file", {folder.path() / "gone.dat"}, {Answer::OK}, "The file \"", false},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    LoadKQ();
    session.recentFiles = {};
    host.boxes.clear();
    for (const Answer answer : c.answers) host.ExpectBox(answer);
    app::OpenNamedFiles(session, c.files);
    ASSERT_EQ(host.boxes.size(), c.answers.size());
    EXPECT_EQ(host.boxes[0].text.rfind(c.says, 0), 0u) << host.boxes[0].text;
    EXPECT_EQ(session.image.ModuleVersion, c.opens ? "JX" : "KQ");
    EXPECT_EQ(session.recentFiles.Files(), c.opens ? Paths{tune} : Paths{});
  }
}

TEST_F(NamedFilesTest, ARecentFileThatHasGoneIsTakenOffTheListAndTheOthersStay) {
  const fs::path kept = TuneFile("kept.dat", "JX");
  const fs::path gone = folder.path() / "gone.dat";
  session.recentFiles.Add(kept);
  session.recentFiles.Add(gone);
  LoadKQ();
  host.ExpectBox(Answer::OK);
  app::OpenRecentFile(session, gone);
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(host.boxes[0].title, "Open Recent");
  EXPECT_NE(host.boxes[0].text.find("can no longer be found"), std::string::npos);
  EXPECT_EQ(session.image.ModuleVersion, "KQ");
  EXPECT_EQ(session.recentFiles.Files(), Paths{kept});
}

TEST_F(NamedFilesTest, StatusTellsEditionSourceLinkAndUnsavedChanges) {
  using app::StatusTexts;
  EXPECT_EQ(app::StatusTextsFor(session, false),
            (StatusTexts{"No data", "", "Port Com1 (/dev/ttyS0)", ""}));
  session.link.CommPortPath = "/dev/ttyUSB0";
  EXPECT_EQ(app::StatusTextsFor(session, true).port, "Simulated module");

  const fs::path tune = TuneFile("t.dat", "QL2 VOSK");
  host.ExpectBox(Answer::OK);
  app::OpenNamedFiles(session, {tune});
  EXPECT_EQ(app::StatusTextsFor(session, false),
            (StatusTexts{"Quillon II Vosk Version", "t.dat", "Port /dev/ttyUSB0", ""}));
  // A cell typed into the open table counts before it reaches the image.
  session.editor.mnuEditFrontCylTrimTbl_Click();
  grid.SetTextMatrix(5, 5, "7");
  EXPECT_EQ(app::StatusTextsFor(session, false).changes, "Unsaved changes");
  session.image.ModuleVersion = "UNKNOWN";
  EXPECT_EQ(app::StatusTextsFor(session, false).edition, "Unknown edition");
}

// Open Recent, Open Backup and Upload reach past the grid: a refused entry still open there
// stops each with its message before a dialog opens or the module is asked anything.
TEST_F(NamedFilesTest, ARefusedEntryStillOpenStopsOpenRecentOpenBackupAndUpload) {
  const fs::path recent = TuneFile("recent.dat", "KQ");
  session.image = files::BaseTune("JX");
  session.editor.SetTableEditPermissionFor("JX");
  session.editor.mnuEditFrontCylTrimTbl_Click();
  grid.SetCurrentCell(2, 3);
  grid.Type("45");
  const fakes::MessageBoxRecord refusal{
      "Fuel trim percent must be numeric value between -20 and 30.", "Fuel Trim Edit",
      core::Buttons::OK, core::Icon::Critical};
  host.ExpectBoxes({Answer::OK, Answer::OK, Answer::OK});
  app::OpenRecentFile(session, recent);
  app::OpenFile(session, folder.path());
  EXPECT_EQ(app::UploadFromWindow(session, folder.path()), transfer::Outcome::Cancelled);
  EXPECT_EQ(host.boxes, (std::vector{refusal, refusal, refusal}));
  EXPECT_TRUE(host.fileDialogs.empty());
  EXPECT_EQ(session.image.ModuleVersion, "JX");
  EXPECT_TRUE(session.editor.TableIsOpen());
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), {}), 1) << "no backup made";
}

}  // namespace
