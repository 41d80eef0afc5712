// The main window's desktop conventions without widgets: the recent files and the window's
// geometry kept in the settings store, the status bar's texts, and the files named to the
// window from outside the Open File dialog (Open Recent, the command line, a drop).
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "app/file_commands.h"
#include "app/recent_files.h"
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
using Paths = std::vector<fs::path>;

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
  // A hand-edited store.
  const char* stored[] = {"", "relative.dat", "/a/t.dat", "/a/./t.dat", "/b/t.dat"};
  for (int i = 0; i < 5; ++i) {
    settings.SaveSetting("Ventrel", "Recent Files", "File" + std::to_string(i + 1), stored[i]);
  }
  EXPECT_EQ(app::RecentFiles(settings).Files(), (Paths{"/a/t.dat", "/b/t.dat"}));
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
      {"the overwrite question answered Cancel", {tune}, {Answer::Cancel}, overwrite, false},
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
  EXPECT_EQ(app::StatusTextsFor(session, false).port, "Port /dev/ttyUSB0");

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
