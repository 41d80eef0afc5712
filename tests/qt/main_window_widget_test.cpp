// The main window's menus, start-up state, About, Esc, closing and help.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <algorithm>
#include <fstream>

#include "app/main_window.h"
#include "qt/backup_folder.h"
#include "qt/dialog_folder.h"
#include "qt/help_window.h"
#include "qt/qt_host.h"
#include "window_rig.h"

namespace {

namespace fs = std::filesystem;

// A menu as the user sees it: its items' captions joined by "|", "-" for a separator.
std::string Captions(const QMenu& menu) {
  std::string captions;
  for (const QAction* item : menu.actions()) {
    captions +=
        (captions.empty() ? "" : "|") + (item->isSeparator() ? "-" : item->text().toStdString());
  }
  return captions;
}

TEST(MainWindow, StartsWithEveryMenuCaptionInOrderAndNothingLoaded) {
  qttest::WindowRig<> rig;
  qtui::frmMain& window = rig.window;
  std::vector<std::string> menus;
  for (const QAction* menu : window.menuBar()->actions()) {
    menus.push_back(menu->text().toStdString() + ": " + Captions(*menu->menu()));
  }
  EXPECT_EQ(menus, (std::vector<std::string>{
                       "&File: &Open File|&Save File|-|Print Quillon Parameters|Print Table|"
                       "Print Set&up|-|E&xit|-|Compare With File...|Export Table...|"
                       "Import Table...|Open Backup...",
                       "&Edit: &Undo|&Redo|-|Edit Quillon &Parameters|"
                       "Front Cylinder Fuel Trim Table|Rear Cylinder Fuel Trim Table|"
                       "Ignition Retard Table|Copy Front Cyl Fuel Trim to Rear|"
                       "Save Table Edits To Buffer|Close Table|-|&Interpolate|S&mooth|"
                       "Set &Value...|Step Up|Step Down|Step Up by 5|Step Down by 5",
                       "&View: &Heat Map Colours|Show &Changes",
                       "&Communications: &Download Data From Quillon|&Upload Data To Quillon|"
                       "&Port Setup|Compare With Quillon|-|Back Up Module Before Upload",
                       "&Help: &Contents|&About..."}));
  // The grid's own menu (not in the menu bar: the list above would show it) waits for a copy.
  EXPECT_EQ(Captions(*window.popUpEdit3D()),
            "Copy|Paste|Modify|-|Undo|Redo|-|Interpolate|Smooth|Set Value...|Step Up|Step Down|"
            "Step Up by 5|Step Down by 5");
  EXPECT_FALSE(rig.Item("mnuPopUpPaste3D")->isEnabled());
  for (const char* nothingYet : {"mnuUndo", "mnuRedo", "mnuPopUpUndo3D", "mnuPopUpRedo3D"}) {
    EXPECT_FALSE(rig.Item(nothingYet)->isEnabled()) << nothingYet;
  }
  EXPECT_EQ(window.windowTitle().toStdString(), "Marrowby Ventrel Version 5.0");
  EXPECT_FALSE(rig.Item("mnuEditRetardTbl")->isVisible());
  EXPECT_TRUE(window.progressFrame()->isHidden());
}

TEST(MainWindow, CaptionAndAboutFollowTheConfigurationFile) {
  app::Branding branding;
  const fs::path file = fs::temp_directory_path() / "ventrel_widget_test.cfg";
  std::ofstream(file) << "!c\nAcme\nArial\n20\nbold\nNULL\n!\nAcme Tuning\nOne Street\n!\n";
  app::ReadBrandingFile(file, branding);
  fs::remove(file);
  qttest::WindowRig<> rig(branding);
  EXPECT_EQ(rig.window.windowTitle().toStdString(), "Acme Tuning Ventrel Version 5.0");
  rig.host.ExpectBox(core::Answer::OK);
  rig.Trigger("mnuAbout");
  ASSERT_EQ(rig.host.boxes.size(), 1u);
  EXPECT_EQ(rig.host.boxes[0].title, "About");
  EXPECT_EQ(rig.host.boxes[0].icon, core::Icon::Information);
  EXPECT_EQ(rig.host.boxes[0].text, app::AboutText(branding));
}

TEST(MainWindow, EscFromAnyChildSetsAbortFlagOtherKeysDoNot) {
  qttest::WindowRig<> rig;
  rig.window.show();
  QTest::keyClick(&rig.window, Qt::Key_A);
  QTest::keyClick(&rig.window, Qt::Key_Return);
  EXPECT_FALSE(rig.window.session().AbortFlag);
  QTest::keyClick(rig.window.progressFrame(), Qt::Key_Escape);
  EXPECT_TRUE(rig.window.session().AbortFlag);
}

TEST(MainWindow, ClosingWithNoTableOpenAsksNothing) {
  qttest::WindowRig<> rig;
  rig.window.show();
  EXPECT_TRUE(rig.window.close());
  EXPECT_TRUE(rig.host.boxes.empty());
}

TEST(ErrorPrompt, ButtonsReadAbortRetryIgnoreInThatOrderEachWithAnAccessKey) {
  qtui::QtHost host(nullptr);
  for (const auto& [caption, answer] : {std::pair{"&Abort", core::Answer::Abort},
                                        {"&Retry", core::Answer::Retry},
                                        {"&Ignore", core::Answer::Ignore}}) {
    QStringList shown;
    QTimer::singleShot(0, [&shown, caption = caption] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return;
      QList<QAbstractButton*> buttons = box->buttons();
      std::sort(buttons.begin(), buttons.end(), [](auto* a, auto* b) {
        return a->mapToGlobal(QPoint()).x() < b->mapToGlobal(QPoint()).x();
      });
      for (QAbstractButton* button : buttons) shown << button->text();
      for (QAbstractButton* button : buttons) {
        if (button->text() == QString::fromLatin1(caption)) button->click();
      }
    });
    EXPECT_EQ(
        host.MsgBox("Comm Error", "Error", core::Buttons::AbortRetryIgnore, core::Icon::Critical),
        answer);
    EXPECT_EQ(shown.join(QLatin1Char(' ')), QStringLiteral("&Abort &Retry &Ignore"));
  }
}

TEST(FileDialogs, StartInTheFolderOfTheLastFileChosenElseInTheDocumentsFolder) {
  QStandardPaths::setTestModeEnabled(true);
  QSettings(QStringLiteral("Ventrel"), QStringLiteral("Ventrel")).clear();
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  EXPECT_EQ(qtui::DialogStartPath({}), documents);
  QTemporaryDir folder;
  qtui::RememberDialogFolder(folder.filePath(QStringLiteral("tune.dat")));
  EXPECT_EQ(qtui::DialogStartPath({}), folder.path());
  EXPECT_EQ(qtui::DialogStartPath(QStringLiteral("t.pdf")),
            folder.filePath(QStringLiteral("t.pdf")));
  EXPECT_EQ(qtui::DialogStartPath(QStringLiteral("/x/t.pdf")), QStringLiteral("/x/t.pdf"));
  folder.remove();
  EXPECT_EQ(qtui::DialogStartPath({}), documents);
  QStandardPaths::setTestModeEnabled(false);
}

TEST(MainWindow, OpenBackupStartsTheOpenDialogInTheBackupsFolder) {
  qttest::WindowRig<> rig;
  std::filesystem::remove_all(qtui::BackupFolder());
  rig.host.ExpectFileDialog(std::nullopt);
  rig.Trigger("mnuOpenBackup");
  ASSERT_EQ(rig.host.fileDialogs.size(), 1u);
  EXPECT_EQ(rig.host.fileDialogs[0].initialPath, qtui::BackupFolder().string());
  EXPECT_TRUE(std::filesystem::is_directory(qtui::BackupFolder())) << "made for the dialog";
  EXPECT_TRUE(rig.host.boxes.empty());
}

TEST(MainWindow, HelpContentsWithoutAHelpPageSaysSoInTheHelpWindow) {
  qttest::WindowRig<> rig(app::BuiltInBranding(), fs::temp_directory_path());
  rig.Trigger("mnuHelpContents");
  ASSERT_NE(rig.window.helpWindow(), nullptr);
  EXPECT_TRUE(rig.window.helpWindow()->isVisible());
  EXPECT_TRUE(
      rig.window.helpWindow()->browser()->toPlainText().contains(QStringLiteral("not found")));
}

}  // namespace
