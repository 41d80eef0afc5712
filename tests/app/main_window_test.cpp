// The main window's own rules: the start-up state every command relies on, Esc, the
// close request that may lose edits, and the About text.
#include "app/main_window.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/session.h"
#include "fakes/fake_chart.h"
#include "fakes/fake_grid.h"
#include "fakes/scripted_host.h"
#include "fakes/temp_folder.h"

namespace {

using core::Answer;
using Lines = std::vector<std::string>;
using Flags = std::vector<bool>;

class RecordingMainWindowView : public app::MainWindowView {
 public:
  void SetCaption(const std::string& caption) override { captions.push_back(caption); }
  void SetRetardTableCommandVisible(bool visible) override { retardVisible.push_back(visible); }
  void SetApplicationTitle(const std::string& title) override { titles.push_back(title); }
  void SetPopUpPasteEnabled(bool enabled) override { pasteEnabled.push_back(enabled); }

  Lines captions, titles;
  Flags retardVisible, pasteEnabled;
};

// Start-up moves the process into the program folder; every test gets its own back.
class FormLoadTest : public ::testing::Test {
 protected:
  ~FormLoadTest() override { std::filesystem::current_path(startFolder); }

  // A session as a previous run might leave it, so start-up has something to reset.
  app::Session& DirtySession(app::Branding branding, std::filesystem::path folder) {
    app::Session& s = session.emplace(host, view, std::move(branding), std::move(folder));
    s.AbortFlag = true;
    s.image.FLASHBuffer[6304] = {0x12, 0x34};
    s.image.EEPROMBuffer[33] = 0x5A;
    s.image.FLASHBufferEmpty = s.image.EEPROMBufferEmpty = false;
    s.image.FirmwareID = "Quillon II KQ";
    s.image.ModuleVersion = "QL2 KQ";
    s.window.WindowTitle = "stale title";
    s.window.DataSourceText = "old.dat";
    return s;
  }

  const std::filesystem::path startFolder = std::filesystem::current_path();
  fakes::TempFolder programFolder;
  fakes::ScriptedHost host;
  RecordingMainWindowView view;
  std::optional<app::Session> session;
};

TEST_F(FormLoadTest, StartUpEmptiesTheImageKeepsItsIdentityAndLeavesTheClipboardAlone) {
  const std::pair<Lines, std::string> cases[] = {{{"Acme", "Acme Ltd"}, "Acme Ventrel Version 5.0"},
                                                 {{}, "Ventrel Version 5.0"}};
  for (const auto& [company, caption] : cases) {
    view = {};
    app::Branding branding;
    branding.CompanyLines = company;
    app::Session& s = DirtySession(branding, programFolder.path());
    host.clipboard = "cells copied elsewhere";
    app::FormLoad(s, view);
    EXPECT_TRUE(host.boxes.empty());
    EXPECT_EQ(view.captions, Lines{caption});
    EXPECT_EQ(host.clipboard, "cells copied elsewhere");
    EXPECT_EQ(s.window.WindowTitle, "Ventrel Version 5.0");
    EXPECT_EQ(s.window.DataSourceText, "");
    EXPECT_EQ(view.titles, Lines{"Ventrel"});
    EXPECT_EQ(std::filesystem::current_path(), std::filesystem::canonical(programFolder.path()));
    EXPECT_FALSE(s.AbortFlag);
    EXPECT_EQ(view.pasteEnabled, Flags{false});
    EXPECT_EQ(view.retardVisible, Flags{false});
    EXPECT_TRUE(s.image.FLASHBufferEmpty && s.image.EEPROMBufferEmpty);
    EXPECT_EQ(s.image.FLASHBuffer[6304], (core::FLASHWord{0, 0}));
    EXPECT_EQ(s.image.EEPROMBuffer[33], 0);
    EXPECT_EQ(s.image.FirmwareID, "Quillon II KQ");
    EXPECT_EQ(s.image.ModuleVersion, "QL2 KQ");
  }
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
    EXPECT_EQ(std::filesystem::current_path(), startFolder);
    const bool finished = answer == Answer::Ignore;
    EXPECT_EQ(s.AbortFlag, !finished);
    EXPECT_EQ(s.image.FLASHBufferEmpty, finished);
    EXPECT_EQ(s.window.DataSourceText, finished ? "" : "old.dat");
    EXPECT_EQ(view.captions, finished ? Lines{"Marrowby Ventrel Version 5.0"} : Lines{});
    EXPECT_EQ(view.retardVisible, finished ? Flags{false} : Flags{});
    EXPECT_EQ(view.pasteEnabled, finished ? Flags{false} : Flags{});
  }
}

TEST(Shell, ClosingAsksToSaveWhateverIsInNoFileAndNeverOtherwise) {
  using Arrange = std::function<void(app::Session&, fakes::FakeGrid&)>;
  const auto fromFile = [](app::Session& s, fakes::FakeGrid&) {
    s.image.FLASHBufferEmpty = s.image.EEPROMBufferEmpty = false;
    s.image.ModuleVersion = "QL2 VOSK";
    s.image.FLASHBuffer.fill({128, 128});  // trims of 0 %
    s.image.MarkInFile();
  };
  const auto openFront = [fromFile](app::Session& s, fakes::FakeGrid& grid) {
    fromFile(s, grid);
    s.editor.mnuEditFrontCylTrimTbl_Click();
    grid.SetCurrentCell(2, 3);
  };
  struct Case {
    const char* name;
    Arrange arrange;
    std::optional<Answer> answer;  // none: no question
    bool saved, keepsOpen;
    int saves;
    const char* refusal = nullptr;
  };
  const auto edited = [openFront](app::Session& s, fakes::FakeGrid& grid) {
    openFront(s, grid);
    grid.SetTextMatrix(2, 3, "7");
  };
  const auto typed = [openFront](const char* text) {
    return [openFront, text](app::Session& s, fakes::FakeGrid& grid) {
      openFront(s, grid);
      grid.Type(text);
    };
  };
  // clang-format off
  const Case cases[] = {
      {"nothing loaded", [](auto&, auto&) {}, {}, true, false, 0},
      {"data as read from a file", fromFile, {}, true, false, 0},
      {"a table open and left as it was", openFront, {}, true, false, 0},
      {"downloaded data, Yes and saved closes", [fromFile](app::Session& s, fakes::FakeGrid& grid) {
         fromFile(s, grid);
         s.image.MarkNotInFile();
       }, Answer::Yes, true, false, 1},
      {"parameters changed since the file, Yes but not saved stays open", [fromFile](app::Session& s, fakes::FakeGrid& grid) {
         fromFile(s, grid);
         s.image.EEPROMBuffer[17] = 5;
       }, Answer::Yes, false, true, 1},
      {"a table saved to the buffer since, No closes without saving", [edited](app::Session& s, fakes::FakeGrid& grid) {
         edited(s, grid);
         s.editor.mnuSaveTbl_Click();
       }, Answer::No, true, false, 0},
      {"an edited cell in the open table, Cancel stays open", edited, Answer::Cancel, true, true, 0},
      {"an accepted entry still open is committed and counts", typed("7"), Answer::Cancel, true, true, 0},
      {"a refused entry still open keeps the window without a question", typed("45"), {}, true, true, 0,
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
    c.arrange(session, grid);
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
      {{"Acme"}, "Acme Ventrel Version 5.00\r\n" + notice},
      {{}, "Ventrel Version 5.00\r\n" + notice},
      {{"Acme", "", "Unit 4"}, "Acme Ventrel Version 5.00\r\n" + notice + "\r\nUnit 4\r\n"}};
  for (const auto& [company, text] : cases) {
    app::Branding branding;
    branding.CompanyLines = company;
    EXPECT_EQ(app::AboutText(branding), text);
  }
}

}  // namespace
