// The main window's own rules: the start-up state every command relies on, Esc, the
// close request that may lose edits, and the About text.
#include "app/main_window.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/session.h"
#include "fakes/scripted_host.h"
#include "temp_folder.h"

namespace {

using core::Answer;

class RecordingMainWindowView : public app::MainWindowView {
 public:
  void SetCaption(const std::string& caption) override { captions.push_back(caption); }
  void SetRetardTableCommandVisible(bool visible) override { retardVisible.push_back(visible); }
  void SetApplicationTitle(const std::string& title) override { titles.push_back(title); }
  void SetPopUpPasteEnabled(bool enabled) override { pasteEnabled.push_back(enabled); }

  std::vector<std::string> captions;
  std::vector<bool> retardVisible;
  std::vector<std::string> titles;
  std::vector<bool> pasteEnabled;
};

class InterveningHost : public fakes::ScriptedHost {
 public:
  std::function<void()> whileBoxIsUp;
  Answer MsgBox(const std::string& text, const std::string& title, core::Buttons buttons,
                core::Icon icon) override {
    if (whileBoxIsUp) whileBoxIsUp();
    return ScriptedHost::MsgBox(text, title, buttons, icon);
  }
};

// Start-up moves the process into the program folder; every test gets its own back.
class FormLoadTest : public ::testing::Test {
 protected:
  FormLoadTest() : startFolder(std::filesystem::current_path()) {}
  ~FormLoadTest() override { std::filesystem::current_path(startFolder); }

  app::Session MakeSession(app::Branding branding, std::filesystem::path programFolder) {
    return app::Session(host, view, std::move(branding), std::move(programFolder));
  }

  // A session as a previous run might leave it, so start-up has something to reset.
  static void Dirty(app::Session& session) {
    session.AbortFlag = true;
    session.image.FLASHBuffer[6304] = {0x12, 0x34};
    session.image.EEPROMBuffer[33] = 0x5A;
    session.image.FLASHBufferEmpty = false;
    session.image.EEPROMBufferEmpty = false;
    session.image.FirmwareID = "Quillon II KQ";
    session.image.ModuleVersion = "QL2 KQ";
    session.window.WindowTitle = "stale title";
    session.window.DataSourceText = "old.dat";
  }

  const std::filesystem::path startFolder;
  apptest::TempFolder programFolder;
  InterveningHost host;
  RecordingMainWindowView view;
};

TEST_F(FormLoadTest, BuiltInBrandingStartsWithTheMarrowbyCaptionAndAnEmptyImage) {
  app::Session session = MakeSession(app::BuiltInBranding(), programFolder.path());
  Dirty(session);
  host.clipboard = "cells copied elsewhere";
  app::FormLoad(session, view);

  EXPECT_TRUE(host.boxes.empty());
  EXPECT_EQ(view.captions, std::vector<std::string>{"Marrowby Ventrel Version 5.0"});
  EXPECT_EQ(session.window.WindowTitle, "Ventrel Version 5.0");
  EXPECT_EQ(session.window.DataSourceText, "");
  EXPECT_EQ(view.titles, std::vector<std::string>{"Ventrel"});
  EXPECT_EQ(std::filesystem::current_path(), std::filesystem::canonical(programFolder.path()));
  EXPECT_FALSE(session.AbortFlag);
  ASSERT_EQ(host.progress.size(), 1u);
  EXPECT_EQ(host.progress[0].kind, fakes::ProgressEvent::Kind::Hide);
  EXPECT_EQ(view.pasteEnabled, std::vector<bool>{false});
  EXPECT_EQ(view.retardVisible, std::vector<bool>{false});
  EXPECT_FALSE(session.window.RetardTableCommandVisible());
  EXPECT_EQ(host.clipboard, "cells copied elsewhere");

  EXPECT_TRUE(session.image.FLASHBufferEmpty);
  EXPECT_TRUE(session.image.EEPROMBufferEmpty);
  EXPECT_EQ(session.image.FLASHBuffer[6304], (core::FLASHWord{0, 0}));
  EXPECT_EQ(session.image.EEPROMBuffer[33], 0);
  // Identity survives the clear.
  EXPECT_EQ(session.image.FirmwareID, "Quillon II KQ");
  EXPECT_EQ(session.image.ModuleVersion, "QL2 KQ");
}

TEST_F(FormLoadTest, CaptionStartsWithTheFilesCompanyLabel) {
  app::Branding branding;
  branding.CompanyLines = {"Acme"};
  app::Session session = MakeSession(branding, programFolder.path());
  app::FormLoad(session, view);
  EXPECT_EQ(view.captions, std::vector<std::string>{"Acme Ventrel Version 5.0"});
}

TEST_F(FormLoadTest, EmptyCompanyLinesGiveTheTitleAloneWithoutAnError) {
  app::Branding branding;
  branding.BrandingStyle = app::BuiltInBranding().BrandingStyle;
  app::Session session = MakeSession(branding, programFolder.path());
  app::FormLoad(session, view);
  EXPECT_TRUE(host.boxes.empty());
  EXPECT_EQ(view.captions, std::vector<std::string>{"Ventrel Version 5.0"});
}

TEST_F(FormLoadTest, MissingProgramFolderIsReportedAndIgnoreFinishesStartUp) {
  const auto missing = programFolder.path() / "gone";
  app::Session session = MakeSession(app::BuiltInBranding(), missing);
  Dirty(session);
  host.ExpectBox(Answer::Ignore);
  app::FormLoad(session, view);

  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(host.boxes[0].title, "Error");
  EXPECT_EQ(host.boxes[0].buttons, core::Buttons::AbortRetryIgnore);
  EXPECT_EQ(host.boxes[0].icon, core::Icon::Critical);
  EXPECT_NE(host.boxes[0].text.find(missing.string()), std::string::npos) << host.boxes[0].text;
  EXPECT_EQ(std::filesystem::current_path(), startFolder);
  EXPECT_FALSE(session.AbortFlag);
  EXPECT_TRUE(session.image.FLASHBufferEmpty);
  EXPECT_EQ(view.captions, std::vector<std::string>{"Marrowby Ventrel Version 5.0"});
  EXPECT_EQ(view.retardVisible, std::vector<bool>{false});
}

TEST_F(FormLoadTest, AbortLeavesTheRemainingStepsUndone) {
  app::Session session = MakeSession(app::BuiltInBranding(), programFolder.path() / "gone");
  Dirty(session);
  host.ExpectBox(Answer::Abort);
  app::FormLoad(session, view);

  EXPECT_EQ(host.boxes.size(), 1u);
  EXPECT_TRUE(session.AbortFlag);
  EXPECT_FALSE(session.image.FLASHBufferEmpty);
  EXPECT_EQ(session.image.FLASHBuffer[6304], (core::FLASHWord{0x12, 0x34}));
  EXPECT_TRUE(view.captions.empty());
  EXPECT_EQ(session.window.DataSourceText, "old.dat");
  EXPECT_TRUE(view.pasteEnabled.empty());
  EXPECT_TRUE(view.retardVisible.empty());
}

TEST_F(FormLoadTest, RetryAfterTheFolderAppearsMovesIntoIt) {
  const auto later = programFolder.path() / "later";
  app::Session session = MakeSession(app::BuiltInBranding(), later);
  host.whileBoxIsUp = [&] { std::filesystem::create_directory(later); };
  host.ExpectBox(Answer::Retry);
  app::FormLoad(session, view);
  EXPECT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(std::filesystem::current_path(), std::filesystem::canonical(later));
  EXPECT_EQ(view.captions, std::vector<std::string>{"Marrowby Ventrel Version 5.0"});
}

class ShellTest : public ::testing::Test {
 protected:
  fakes::ScriptedHost host;
  RecordingMainWindowView view;
  app::Session session{host, view, app::BuiltInBranding(), {}};
};

TEST_F(ShellTest, EscRequestsAbort) {
  EXPECT_TRUE(app::FormKeyPress(session, 27));
  EXPECT_TRUE(session.AbortFlag);
  // Pressed again while the flag is still set, it stays set.
  EXPECT_TRUE(app::FormKeyPress(session, 27));
  EXPECT_TRUE(session.AbortFlag);
}

TEST_F(ShellTest, OtherKeysPassOnAndLeaveTheFlag) {
  const int kOtherKeys[] = {0, 8, 13, 26, 28, 'a', 'Q', 127, 155, 255};
  for (const bool flag : {false, true}) {
    for (const int key : kOtherKeys) {
      session.AbortFlag = flag;
      EXPECT_FALSE(app::FormKeyPress(session, key)) << key;
      EXPECT_EQ(session.AbortFlag, flag) << key;
    }
  }
}

TEST_F(ShellTest, ClosingWithoutAnOpenTableAsksNothing) {
  int saves = 0;
  EXPECT_FALSE(app::FormQueryUnload(host, false, [&] {
    ++saves;
    return true;
  }));
  EXPECT_EQ(saves, 0);
  EXPECT_TRUE(host.boxes.empty());
}

TEST_F(ShellTest, ClosingWithAnOpenTableOffersToSave) {
  struct Case {
    const char* name;
    Answer answer;
    bool saved;
    bool keepsOpen;
    int saves;
  };
  const Case cases[] = {
      {"Yes and saved closes", Answer::Yes, true, false, 1},
      {"Yes but not saved stays open", Answer::Yes, false, true, 1},
      {"No closes without saving", Answer::No, true, false, 0},
      {"Cancel stays open without saving", Answer::Cancel, true, true, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fakes::ScriptedHost caseHost;
    caseHost.ExpectBox(c.answer);
    int saves = 0;
    EXPECT_EQ(app::FormQueryUnload(caseHost, true,
                                   [&] {
                                     ++saves;
                                     return c.saved;
                                   }),
              c.keepsOpen);
    EXPECT_EQ(saves, c.saves);
    ASSERT_EQ(caseHost.boxes.size(), 1u);
    EXPECT_EQ(caseHost.boxes[0].text, "Save data before exiting?");
    EXPECT_EQ(caseHost.boxes[0].title, "Exit Program");
    EXPECT_EQ(caseHost.boxes[0].buttons, core::Buttons::YesNoCancel);
    EXPECT_EQ(caseHost.boxes[0].icon, core::Icon::Exclamation);
  }
}

std::string Notice() { return std::string(app::kRightsNotice) + "\r\n\r\n"; }

TEST(About, BuiltInBrandingShowsLabelVersionNoticeAndCompanyBlock) {
  EXPECT_EQ(app::AboutText(app::BuiltInBranding()),
            "Marrowby Ventrel Version 5.00\r\n" + Notice() +
                "Marrowby Motor Electronics Ltd.\r\n"
                "7 Tannery Yard\r\n"
                "Brackenford BF3 7QL\r\n"
                "Tel. +44 1632 960418\r\n"
                "www.marrowby.example\r\n");
}

TEST(About, OneLineCompanyBlockEndsWithTheNotice) {
  app::Branding branding;
  branding.CompanyLines = {"Acme"};
  EXPECT_EQ(app::AboutText(branding), "Acme Ventrel Version 5.00\r\n" + Notice());
}

TEST(About, EmptyCompanyBlockStartsWithTheVersion) {
  EXPECT_EQ(app::AboutText(app::Branding{}), "Ventrel Version 5.00\r\n" + Notice());
}

TEST(About, EmptyLinesOfTheCompanyBlockAreKept) {
  app::Branding branding;
  branding.CompanyLines = {"Acme", "", "Unit 4"};
  EXPECT_EQ(app::AboutText(branding), "Acme Ventrel Version 5.00\r\n" + Notice() + "\r\nUnit 4\r\n");
}

TEST(About, BoxIsAnInformationBoxTitledAbout) {
  fakes::ScriptedHost host;
  host.ExpectBox(Answer::OK);
  app::ShowAbout(host, app::BuiltInBranding());
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(host.boxes[0].text, app::AboutText(app::BuiltInBranding()));
  EXPECT_EQ(host.boxes[0].title, "About");
  EXPECT_EQ(host.boxes[0].buttons, core::Buttons::OK);
  EXPECT_EQ(host.boxes[0].icon, core::Icon::Information);
}

}  // namespace
