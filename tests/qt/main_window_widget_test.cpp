#include <gtest/gtest.h>

#include <QAction>
#include <QGroupBox>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTextBrowser>
#include <filesystem>
#include <fstream>

#include "app/branding.h"
#include "fakes/scripted_host.h"
#include "qt/frm_main.h"
#include "qt/help_window.h"

namespace {

namespace fs = std::filesystem;

// The menu bar as the user sees it: each menu's caption, then its items, "-" for separators.
std::vector<std::string> MenuBarCaptions(qtui::frmMain& window) {
  std::vector<std::string> captions;
  for (QAction* menuAction : window.menuBar()->actions()) {
    captions.push_back(menuAction->text().toStdString());
    for (QAction* item : menuAction->menu()->actions()) {
      captions.push_back(item->isSeparator() ? "-" : "  " + item->text().toStdString());
    }
  }
  return captions;
}

QAction* Action(qtui::frmMain& window, const char* name) {
  return window.findChild<QAction*>(QString::fromLatin1(name));
}

class MainWindowTest : public testing::Test {
 protected:
  void SetUp() override { savedFolder_ = fs::current_path(); }
  void TearDown() override { fs::current_path(savedFolder_); }

  std::unique_ptr<qtui::frmMain> Open(app::Branding branding) {
    auto window = std::make_unique<qtui::frmMain>(std::move(branding), fs::temp_directory_path(),
                                                  &host_);
    window->Form_Load();
    return window;
  }

  fakes::ScriptedHost host_;
  fs::path savedFolder_;
};

TEST_F(MainWindowTest, MenuTreeHasEveryCaptionInOrder) {
  auto window = Open(app::BuiltInBranding());
  const std::vector<std::string> expected = {
      "&File", "  &Open File", "  &Save File", "-", "  Print Quillon Parameters", "  Print Table",
      "  Print Set&up", "-", "  E&xit",
      "&Edit", "  Edit Quillon &Parameters", "  Front Cylinder Fuel Trim Table",
      "  Rear Cylinder Fuel Trim Table", "  Ignition Retard Table",
      "  Copy Front Cyl Fuel Trim to Rear", "  Save Table Edits To Buffer", "  Close Table",
      "&Communications", "  &Download Data From Quillon", "  &Upload Data To Quillon",
      "  &Port Setup",
      "&Help", "  &Contents", "  &About..."};
  EXPECT_EQ(MenuBarCaptions(*window), expected);
}

TEST_F(MainWindowTest, PopUpMenuIsNotInTheMenuBarAndPasteStartsDisabled) {
  auto window = Open(app::BuiltInBranding());
  for (QAction* menuAction : window->menuBar()->actions()) {
    EXPECT_NE(menuAction->menu(), window->popUpEdit3D());
  }
  std::vector<std::string> captions;
  for (QAction* item : window->popUpEdit3D()->actions()) captions.push_back(item->text().toStdString());
  EXPECT_EQ(captions, (std::vector<std::string>{"Copy", "Paste", "Modify"}));
  EXPECT_FALSE(Action(*window, "mnuPopUpPaste3D")->isEnabled());
}

TEST_F(MainWindowTest, StartUpStateMatchesAnEmptyTool) {
  auto window = Open(app::BuiltInBranding());
  EXPECT_EQ(window->windowTitle().toStdString(), "Marrowby Ventrel Version 5.0");
  EXPECT_FALSE(Action(*window, "mnuEditRetardTbl")->isVisible());
  EXPECT_TRUE(window->progressFrame()->isHidden());
  ASSERT_FALSE(host_.progress.empty());
  EXPECT_EQ(host_.progress.front().kind, fakes::ProgressEvent::Kind::Hide);
  EXPECT_TRUE(window->session().image.FLASHBufferEmpty);
  EXPECT_TRUE(window->session().image.EEPROMBufferEmpty);
  EXPECT_FALSE(window->session().AbortFlag);
}

TEST_F(MainWindowTest, BoundCommandsAreEnabledWithoutTheNotYetToolTip) {
  auto window = Open(app::BuiltInBranding());
  for (const char* name : {"mnuDownload", "mnuUpload", "mnuPortSetup", "mnuExit", "mnuEditParams",
                           "mnuHelpContents", "mnuAbout"}) {
    QAction* action = Action(*window, name);
    ASSERT_NE(action, nullptr) << name;
    EXPECT_TRUE(action->isEnabled()) << name;
    EXPECT_NE(action->toolTip().toStdString(), "Not available yet") << name;
  }
}

TEST_F(MainWindowTest, AboutShowsBuiltInBranding) {
  auto window = Open(app::BuiltInBranding());
  host_.ExpectBox(core::Answer::OK);
  Action(*window, "mnuAbout")->trigger();
  ASSERT_EQ(host_.boxes.size(), 1u);
  EXPECT_EQ(host_.boxes[0].title, "About");
  EXPECT_EQ(host_.boxes[0].icon, core::Icon::Information);
  EXPECT_EQ(host_.boxes[0].buttons, core::Buttons::OK);
  EXPECT_EQ(host_.boxes[0].text.rfind("Marrowby Ventrel Version 5.00\r\n", 0), 0u);
  EXPECT_NE(host_.boxes[0].text.find("\r\n\r\nMarrowby Motor Electronics Ltd.\r\n"),
            std::string::npos);
}

TEST_F(MainWindowTest, AboutAndCaptionFollowTheConfigurationFile) {
  app::Branding branding;
  const fs::path file = fs::temp_directory_path() / "ventrel_widget_test.cfg";
  std::ofstream(file) << "!c\nAcme\nArial\n20\nbold\nNULL\n!\nAcme Tuning\nOne Street\n!\n";
  app::ReadBrandingFile(file, branding);
  fs::remove(file);
  auto window = Open(branding);
  EXPECT_EQ(window->windowTitle().toStdString(), "Acme Tuning Ventrel Version 5.0");
  host_.ExpectBox(core::Answer::OK);
  Action(*window, "mnuAbout")->trigger();
  ASSERT_EQ(host_.boxes.size(), 1u);
  EXPECT_EQ(host_.boxes[0].text,
            std::string("Acme Tuning Ventrel Version 5.00\r\n") + app::kRightsNotice +
                "\r\n\r\nOne Street\r\n");
}

TEST_F(MainWindowTest, EscSetsAbortFlagFromAnyChildWidget) {
  auto window = Open(app::BuiltInBranding());
  window->show();
  QTest::keyClick(window->progressFrame(), Qt::Key_Escape);
  EXPECT_TRUE(window->session().AbortFlag);
}

TEST_F(MainWindowTest, OtherKeysLeaveAbortFlagAlone) {
  auto window = Open(app::BuiltInBranding());
  window->show();
  QTest::keyClick(window.get(), Qt::Key_A);
  QTest::keyClick(window.get(), Qt::Key_Return);
  EXPECT_FALSE(window->session().AbortFlag);
}

TEST_F(MainWindowTest, ClosingWithNoTableOpenAsksNothing) {
  auto window = Open(app::BuiltInBranding());
  window->show();
  EXPECT_TRUE(window->close());
  EXPECT_TRUE(host_.boxes.empty());
}

TEST_F(MainWindowTest, HelpContentsOpensTheHelpWindow) {
  auto window = Open(app::BuiltInBranding());
  Action(*window, "mnuHelpContents")->trigger();
  ASSERT_NE(window->helpWindow(), nullptr);
  EXPECT_TRUE(window->helpWindow()->isVisible());
  // The test folder has no help file: the help window says so itself.
  EXPECT_TRUE(window->helpWindow()->browser()->toPlainText().contains(QStringLiteral("not found")));
}

}  // namespace
