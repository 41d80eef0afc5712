// The main window's own rules: the start-up state every command relies on, the close
// request that may lose edits, the About text, and the table controls' layout in the
// client area, in twips.
#include "app/main_window.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/form_layout.h"
#include "app/session.h"
#include "fakes/fake_chart.h"
#include "fakes/fake_grid.h"
#include "fakes/scripted_host.h"
#include "fakes/temp_folder.h"

namespace {

using core::Answer;
using Lines = std::vector<std::string>;

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
  ~FormLoadTest() override { std::filesystem::current_path(startFolder); }

  // A session holding data, so start-up has something to empty.
  app::Session& DirtySession(app::Branding branding, std::filesystem::path folder) {
    app::Session& s = session.emplace(host, view, std::move(branding), std::move(folder));
    s.image.FLASHBuffer[6304] = {0x12, 0x34};
    s.image.FLASHBufferEmpty = s.image.EEPROMBufferEmpty = false;
    s.image.FirmwareID = "Quillon II KQ";
    s.image.ModuleVersion = "QL2 KQ";
    return s;
  }

  const std::filesystem::path startFolder = std::filesystem::current_path();
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

TEST_F(FormLoadTest, MissingProgramFolderIsReportedIgnoreFinishesStartUpAbortStops) {
  const auto missing = programFolder.path() / "gone";
  for (const Answer answer : {Answer::Ignore, Answer::Abort}) {
    view = {};
    host.boxes.clear();
    app::Session& s = DirtySession(app::BuiltInBranding(), missing);
    host.ExpectBox(answer);
    app::FormLoad(s, view);
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].title, "Error");
    EXPECT_NE(host.boxes[0].text.find(missing.string()), std::string::npos) << host.boxes[0].text;
    const bool finished = answer == Answer::Ignore;
    EXPECT_EQ(s.image.FLASHBufferEmpty, finished);
    EXPECT_EQ(view.captions, finished ? Lines{"Marrowby Ventrel Version 5.0"} : Lines{});
  }
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
    bool saved, keepsOpen;
    int saves;
    const char* typed = nullptr;  // left open in the grid's cell
    const char* refusal = nullptr;
  };
  // clang-format off
  const Case cases[] = {
      {"nothing loaded", false, kNone, {}, true, false, 0},
      {"a table open and left as it was", true, kTableOpen, {}, true, false, 0},
      {"downloaded data, Yes and saved closes", true, kDownloaded, Answer::Yes, true, false, 1},
      {"parameters changed since the file, Yes but not saved stays open", true, kParameterChanged, Answer::Yes, false, true, 1},
      {"a table saved to the buffer since, No closes without saving", true, kTableSaved, Answer::No, true, false, 0},
      {"an edited cell in the open table, Cancel stays open", true, kCellEdited, Answer::Cancel, true, true, 0},
      {"an accepted entry still open is committed and counts", true, kTableOpen, Answer::Cancel, true, true, 0, "7"},
      {"a refused entry still open keeps the window without a question", true, kTableOpen, {}, true, true, 0, "45",
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
    EXPECT_EQ(saves, c.saves);
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

TEST(FormLayout, GridLeftChartRightRowsAndColumnsFillTheGridAndTinyAreasGiveNoNegatives) {
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
  EXPECT_EQ(grid.rowHeight, 5250 / 19 - 1);
  EXPECT_EQ(grid.colWidths[5], (3850 - 950) / 9 - 1);  // all ten columns within the grid
  EXPECT_EQ(grid.colWidths[0], 950);
  app::LayoutTableControls("Front Cylinder Fuel Trim Table", grid, chart, 100, 100);
  EXPECT_EQ(grid.rowHeight, 0);
  EXPECT_EQ(grid.placement, (std::vector<int>{0, 0, 0, 0}));
}

}  // namespace
