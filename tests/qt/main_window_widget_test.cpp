// The splash window before it, the main window's menus, start-up state, Esc, help, its
// desktop conventions, the port setup frame, and its layout without an OpenGL context.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDropEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QUrl>
#include <algorithm>

#include "app/menu_tree.h"
#include "fakes/temp_folder.h"
#include "qt/backup_folder.h"
#include "qt/desktop_conventions.h"
#include "qt/dialog_folder.h"
#include "qt/fra_port_select.h"
#include "qt/frm_splash.h"
#include "qt/help_window.h"
#include "qt/link_devices.h"
#include "qt/qt_host.h"
#include "qt/table_chart.h"
#include "qt/table_grid.h"
#include "window_rig.h"

namespace {

namespace fs = std::filesystem;

// The splash window's Qt side: a picture that Qt cannot show, and its time counted from
// the showing. What the file holds, a logo file that is missing and how the label is
// styled are the splash loading's tests.
TEST(SplashTest, LogoThatIsNoPictureIsReportedAndTheFourSecondsStartWhenShown) {
  fakes::TempFolder folder;
  folder.Write("logo.gif", "this is not a picture");
  folder.Write("Ventrel.cfg", "Acme\nArial\n30\nbold\nlogo.gif\n!\nAcme\n");
  fakes::ScriptedHost host;
  host.ExpectBox(core::Answer::Ignore);
  qtui::frmSplash splash;
  app::Branding branding;
  splash.Form_Load(folder.path(), branding, host);
  ASSERT_EQ(host.boxes.size(), 1u);
  const std::string& text = host.boxes[0].text;
  EXPECT_NE(text.find("Ventrel.cfg, line 5: the logo picture"), std::string::npos) << text;
  EXPECT_NE(text.find("is not a picture"), std::string::npos) << text;
  EXPECT_TRUE(splash.logo()->pixmap().isNull());
  // However late the prompt was answered, the splash shows its full four seconds.
  EXPECT_FALSE(splash.unloadTimer()->isActive());
  splash.show();
  EXPECT_TRUE(splash.unloadTimer()->isActive());
  EXPECT_EQ(splash.unloadTimer()->interval(), 4000);
}

// A menu as the user sees it: its caption, then its items' captions joined by "|", "-" for
// a separator.
std::string Captions(const QMenu& menu) {
  std::string captions = menu.title().toStdString() + ":";
  for (const QAction* item : menu.actions()) {
    captions += "|" + (item->isSeparator() ? "-" : item->text().toStdString());
  }
  return captions;
}
std::string Captions(const app::MenuSpec& spec) {
  std::string captions = std::string(spec.caption) + ":";
  for (const app::MenuItemSpec& item : spec.items) captions += "|" + std::string(item.caption);
  return captions;
}

// The captions themselves are the menu tree's; here, that the window builds every menu of
// it in order, the grid's own menu apart from the menu bar. Without a help page in the
// program folder, Help Contents says so in the help window; Open Backup starts in the
// backups folder, made for it.
TEST(MainWindow, BuildsTheMenusOfTheMenuTreeHelpSaysItsPageIsMissingOpenBackupStartsInBackups) {
  qttest::WindowRig<> rig(app::BuiltInBranding(), fs::temp_directory_path());
  qtui::frmMain& window = rig.window;
  std::vector<std::string> shown, listed;
  for (const QAction* menu : window.menuBar()->actions()) shown.push_back(Captions(*menu->menu()));
  for (const app::MenuSpec& spec : app::MainMenus()) listed.push_back(Captions(spec));
  EXPECT_EQ(shown, listed);
  EXPECT_EQ(Captions(*window.popUpEdit3D()), Captions(app::PopUpEdit3DMenu()));
  EXPECT_EQ(window.windowTitle().toStdString(), "Marrowby Ventrel Version 5.0");
  EXPECT_TRUE(window.progressFrame()->isHidden());

  rig.Trigger("mnuHelpContents");
  ASSERT_NE(window.helpWindow(), nullptr);
  EXPECT_TRUE(window.helpWindow()->isVisible());
  EXPECT_TRUE(window.helpWindow()->browser()->toPlainText().contains(QStringLiteral("not found")));

  fs::remove_all(qtui::BackupFolder());
  rig.host.ExpectFileDialog(std::nullopt);
  rig.Trigger("mnuOpenBackup");
  ASSERT_EQ(rig.host.fileDialogs.size(), 1u);
  EXPECT_EQ(rig.host.fileDialogs[0].initialPath, qtui::BackupFolder().string());
  EXPECT_TRUE(fs::is_directory(qtui::BackupFolder())) << "made for the dialog";
}

// Which answer each fault takes is the error prompt's test on its fake; here, the buttons
// as the user sees them and one of them answering.
TEST(ErrorPrompt, ButtonsReadAbortRetryIgnoreInThatOrderEachWithAnAccessKey) {
  qtui::QtHost host(nullptr);
  QStringList shown;
  QTimer::singleShot(0, [&shown] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    QList<QAbstractButton*> buttons = box->buttons();
    std::sort(buttons.begin(), buttons.end(), [](auto* a, auto* b) {
      return a->mapToGlobal(QPoint()).x() < b->mapToGlobal(QPoint()).x();
    });
    for (QAbstractButton* button : buttons) shown << button->text();
    buttons.at(1)->click();
  });
  EXPECT_EQ(
      host.MsgBox("Comm Error", "Error", core::Buttons::AbortRetryIgnore, core::Icon::Critical),
      core::Answer::Retry);
  EXPECT_EQ(shown.join(QLatin1Char(' ')), QStringLiteral("&Abort &Retry &Ignore"));
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
  folder.remove();
  EXPECT_EQ(qtui::DialogStartPath({}), documents);
  QStandardPaths::setTestModeEnabled(false);
}

// The window as the user finds it: shown and active, so that its keys reach it.
class DesktopTest : public testing::Test {
 protected:
  DesktopTest() {
    window_.show();
    window_.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window_));
  }

  std::string Status(const char* field) {
    const auto* label = window_.findChild<QLabel*>(QString::fromLatin1(field));
    return label && label->isVisible() ? label->text().toStdString() : "";
  }
  QString TuneFile(const char* name) {
    return QString::fromStdString(folder_.WriteTune(name, files::BaseTune("JX")).string());
  }
  void Drop(const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(&window_, &enter);
    if (!enter.isAccepted()) return;
    QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(&window_, &drop);
    QTest::qWait(0);
  }

  fakes::TempFolder folder_;
  qttest::WindowRig<> rig_;
  fakes::ScriptedHost& host_ = rig_.host;
  qtui::frmMain& window_ = rig_.window;
};

// What each command does is its own test; here, that its key reaches it from the window.
// Esc from any child sets the abort flag, other keys do not.
TEST_F(DesktopTest, StandardKeysRunTheirCommandsAndEscSetsTheAbortFlag) {
  QTest::keyClick(&window_, Qt::Key_A);
  QTest::keyClick(&window_, Qt::Key_Return);
  EXPECT_FALSE(window_.session().AbortFlag);
  QTest::keyClick(window_.progressFrame(), Qt::Key_Escape);
  EXPECT_TRUE(window_.session().AbortFlag);

  host_.ExpectFileDialog({});                               // Open File, cancelled
  host_.ExpectBoxes({core::Answer::OK, core::Answer::OK});  // nothing to save, nor to print
  const std::pair<const char*, QKeySequence> keys[] = {{"mnuOpenFile", Qt::CTRL | Qt::Key_O},
                                                       {"mnuSaveFile", Qt::CTRL | Qt::Key_S},
                                                       {"mnuPrint3DTable", Qt::CTRL | Qt::Key_P},
                                                       {"mnuHelpContents", Qt::Key_F1},
                                                       {"mnuExit", Qt::CTRL | Qt::Key_Q}};
  for (const auto& [command, sequence] : keys) {
    QSignalSpy ran(rig_.Item(command), &QAction::triggered);
    window_.activateWindow();
    QTest::keySequence(&window_, sequence);
    EXPECT_EQ(ran.count(), 1) << command;
  }
  EXPECT_FALSE(window_.isVisible());
}

// The texts themselves are the status texts' and the recent files' own tests (a recent file
// that has gone among them); here, that the status bar follows an open and a cell typed
// into the open table, and that Open Recent lists the file opened.
TEST_F(DesktopTest, AnOpenFillsTheStatusBarAndOpenRecent) {
  EXPECT_FALSE(window_.desktop().recentMenu()->menuAction()->isEnabled());
  host_.ExpectFileDialog(TuneFile("t.dat").toStdString());
  host_.ExpectBox(core::Answer::OK);
  rig_.Trigger("mnuOpenFile");
  EXPECT_EQ(Status("lblStatusEdition"), "Quillon II JX Version");
  EXPECT_EQ(Status("lblStatusSource"), "t.dat");
  EXPECT_EQ(Status("lblStatusChanges"), "");
  rig_.Trigger("mnuEditFrontCylTrimTbl");
  window_.grid()->SetTextMatrix(3, 3, "9");
  EXPECT_EQ(Status("lblStatusChanges"), "Unsaved changes");

  window_.desktop().RebuildRecentMenu();
  const QList<QAction*> recent = window_.desktop().recentMenu()->actions();
  ASSERT_EQ(recent.size(), 1);
  EXPECT_EQ(recent[0]->text().toStdString(), "&1 t.dat  (" + folder_.path().string() + ")");
  EXPECT_TRUE(window_.desktop().recentMenu()->menuAction()->isEnabled());
}

// Which files open is the named files' own test; here, that a drop reaches it.
TEST_F(DesktopTest, ADroppedLocalFileOpensALinkIsNotTaken) {
  Drop({QUrl(QStringLiteral("https://example.org/t.dat"))});
  host_.ExpectBox(core::Answer::OK);
  Drop({QUrl::fromLocalFile(TuneFile("t.dat"))});
  EXPECT_EQ(window_.session().window.DataSourceText, "t.dat");
}

TEST_F(DesktopTest, TheWindowOpensWhereItWasClosed) {
  const QRect place(6, 12, window_.minimumWidth(), window_.minimumHeight());
  window_.setGeometry(place);
  EXPECT_TRUE(window_.close());
  qtui::frmMain next(app::BuiltInBranding(), QCoreApplication::applicationDirPath().toStdString(),
                     &host_);
  EXPECT_EQ(next.geometry(), place);
}

QString StoredPort() {
  return QSettings(QStringLiteral("Ventrel"), QStringLiteral("Ventrel"))
      .value(QStringLiteral("Properties/CommPort"))
      .toString();
}

// The port setup frame: picking a port. A typed device, the stored choice read back and the
// port list are the port choice's tests; here, that the frame reaches them, and that a port
// given for one run (--port) leaves the stored choice alone.
TEST(PortSelect, APickedPortReplacesTheSimulatedModuleAndIsStoredAPortForOneRunIsNot) {
  QSettings(QStringLiteral("Ventrel"), QStringLiteral("Ventrel")).clear();
  qttest::WindowRig<> rig;
  rig.window.show();
  qtui::fraPortSelect& frame = *rig.window.portFrame();
  app::Session& session = rig.window.session();
  rig.window.linkDevices().UseSimulatedModule(sim::Edition::JX);
  ASSERT_TRUE(session.link.ReSync());

  rig.Trigger("mnuPortSetup");
  EXPECT_TRUE(frame.isVisible());
  QComboBox& cboPort = *frame.cboPort();
  cboPort.setCurrentIndex(11);
  emit cboPort.activated(11);
  EXPECT_FALSE(session.link.PortOpen());
  EXPECT_EQ(session.link.PortDevice(), "/dev/ttyS11");
  EXPECT_EQ(StoredPort(), QStringLiteral("12"));
  QTest::mouseClick(frame.cmdPortSelectOK(), Qt::LeftButton);
  EXPECT_FALSE(frame.isVisible());
  rig.window.linkDevices().UsePortDevice("/dev/ttyUSB3");
  EXPECT_EQ(session.link.PortDevice(), "/dev/ttyUSB3");
  EXPECT_EQ(StoredPort(), QStringLiteral("12"));
}

// Without an OpenGL context the chart shows its placeholder and the table still opens
// (the editor's tests with the fake chart stand for its charting and saving). At the
// window's default size, within the screen, the whole 18-row table shows without a
// scroll bar, and the progress frame shown under it is wholly in view and in front.
TEST(TableChartPlaceholder, DefaultWindowShowsThePlaceholderTheWholeTableAndTheFrameBelowIt) {
  qttest::WindowRig<> rig;
  qtui::frmMain& window = rig.window;
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  EXPECT_TRUE(window.screen()->availableGeometry().contains(window.frameGeometry()));
  rig.Load("VOSK");
  rig.Trigger("mnuEditFrontCylTrimTbl");
  EXPECT_FALSE(window.chart()->HasSurface());
  EXPECT_NE(window.chart()->findChild<QLabel*>(QStringLiteral("chartPlaceholder")), nullptr);
  EXPECT_TRUE(window.chart()->isVisible());
  qtui::TableGrid& grid = *window.grid();
  EXPECT_LE(grid.rowViewportPosition(17) + grid.rowHeight(17), grid.viewport()->height());
  EXPECT_FALSE(grid.horizontalScrollBar()->isVisible());

  QWidget& client = *window.centralWidget();
  QWidget& frame = *window.progressFrame();
  frame.show();
  EXPECT_TRUE(client.rect().contains(frame.geometry()));
  EXPECT_FALSE(frame.geometry().intersects(grid.geometry()));
  QWidget* inFront = client.childAt(frame.geometry().center());
  EXPECT_TRUE(inFront == &frame || frame.isAncestorOf(inFront));
}

}  // namespace
