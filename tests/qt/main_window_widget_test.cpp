// The main window's menus, start-up state, Esc, help, its desktop conventions, the port
// setup frame, and its layout without an OpenGL context.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDropEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
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

#include "fakes/temp_folder.h"
#include "qt/backup_folder.h"
#include "qt/desktop_conventions.h"
#include "qt/dialog_folder.h"
#include "qt/fra_port_select.h"
#include "qt/help_window.h"
#include "qt/link_devices.h"
#include "qt/qt_host.h"
#include "qt/table_chart.h"
#include "qt/table_grid.h"
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
                       "Print Set&up|-|E&xit|-|Open &Recent|-|Compare With File...|"
                       "Export Table...|Import Table...|Open Backup...",
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
}

TEST(MainWindow, HelpContentsWithoutAHelpPageSaysSoInTheHelpWindow) {
  qttest::WindowRig<> rig(app::BuiltInBranding(), fs::temp_directory_path());
  rig.Trigger("mnuHelpContents");
  ASSERT_NE(rig.window.helpWindow(), nullptr);
  EXPECT_TRUE(rig.window.helpWindow()->isVisible());
  EXPECT_TRUE(
      rig.window.helpWindow()->browser()->toPlainText().contains(QStringLiteral("not found")));
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
  std::vector<std::string> RecentCaptions() {
    window_.desktop().RebuildRecentMenu();
    std::vector<std::string> captions;
    for (const QAction* item : window_.desktop().recentMenu()->actions()) {
      captions.push_back(item->text().toStdString());
    }
    return captions;
  }

  fakes::TempFolder folder_;
  qttest::WindowRig<> rig_;
  fakes::ScriptedHost& host_ = rig_.host;
  qtui::frmMain& window_ = rig_.window;
};

TEST_F(DesktopTest, EscFromAnyChildSetsAbortFlagOtherKeysDoNot) {
  QTest::keyClick(&window_, Qt::Key_A);
  QTest::keyClick(&window_, Qt::Key_Return);
  EXPECT_FALSE(window_.session().AbortFlag);
  QTest::keyClick(window_.progressFrame(), Qt::Key_Escape);
  EXPECT_TRUE(window_.session().AbortFlag);
}

// What each command does is its own test; here, that its key reaches it from the window.
TEST_F(DesktopTest, StandardKeysRunTheirCommands) {
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
  EXPECT_EQ(host_.Texts(), (std::vector<std::string>{"Data buffer empty.",
                                                     "No Active 3D Table - Nothing to Print."}));
  EXPECT_FALSE(window_.isVisible());
}

// The texts themselves are the status texts' and the recent files' own tests; here, that
// the status bar follows an open and a cell typed into the open table, and that Open Recent
// lists the file opened and takes off one that has gone.
TEST_F(DesktopTest, AnOpenFillsTheStatusBarAndOpenRecent) {
  EXPECT_FALSE(window_.desktop().recentMenu()->menuAction()->isEnabled());
  window_.session().recentFiles.Add(folder_.path() / "gone.dat");
  host_.ExpectFileDialog(TuneFile("t.dat").toStdString());
  host_.ExpectBox(core::Answer::OK);
  rig_.Trigger("mnuOpenFile");
  EXPECT_EQ(Status("lblStatusEdition"), "Quillon II JX Version");
  EXPECT_EQ(Status("lblStatusSource"), "t.dat");
  EXPECT_EQ(Status("lblStatusChanges"), "");
  rig_.Trigger("mnuEditFrontCylTrimTbl");
  window_.grid()->SetTextMatrix(3, 3, "9");
  EXPECT_EQ(Status("lblStatusChanges"), "Unsaved changes");

  const std::string where = "  (" + folder_.path().string() + ")";
  EXPECT_EQ(RecentCaptions(),
            (std::vector<std::string>{"&1 t.dat" + where, "&2 gone.dat" + where}));
  EXPECT_TRUE(window_.desktop().recentMenu()->menuAction()->isEnabled());
  host_.boxes.clear();
  host_.ExpectBox(core::Answer::OK);
  window_.desktop().recentMenu()->actions().at(1)->trigger();
  ASSERT_EQ(host_.boxes.size(), 1u);
  EXPECT_EQ(host_.boxes[0].title, "Open Recent");
  EXPECT_EQ(RecentCaptions(), std::vector<std::string>{"&1 t.dat" + where});
}

// Which files open is the named files' own test; here, that a drop reaches it.
TEST_F(DesktopTest, ADroppedLocalFileOpensALinkIsNotTaken) {
  Drop({QUrl(QStringLiteral("https://example.org/t.dat"))});
  EXPECT_TRUE(host_.boxes.empty());
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

class PortSelectTest : public testing::Test {
 protected:
  PortSelectTest() { QSettings(QStringLiteral("Ventrel"), QStringLiteral("Ventrel")).clear(); }
};

// The port setup frame: picking, typing a device, and a port given for one run only. The
// stored choice read back and the port list are the port choice's tests; here, that the
// frame reaches them.
TEST_F(PortSelectTest, APickedOrTypedPortClosesTheLinkReplacesTheSimulatedModuleAndIsStored) {
  qttest::WindowRig<> rig;
  rig.window.show();
  qtui::fraPortSelect& frame = *rig.window.portFrame();
  EXPECT_FALSE(frame.isVisible());
  EXPECT_EQ(StoredPort(), QStringLiteral("1"));
  app::Session& session = rig.window.session();
  rig.window.linkDevices().UseSimulatedModule(sim::Edition::JX);
  ASSERT_TRUE(session.link.ReSync());
  ASSERT_TRUE(session.link.PortOpen());

  rig.Trigger("mnuPortSetup");
  EXPECT_TRUE(frame.isVisible());
  EXPECT_EQ(frame.title(), QStringLiteral("Data Port Setup"));
  QComboBox& cboPort = *frame.cboPort();
  EXPECT_EQ(cboPort.currentText(), QStringLiteral("Com1"));
  cboPort.setCurrentIndex(11);
  emit cboPort.activated(11);
  EXPECT_FALSE(session.link.PortOpen());
  EXPECT_EQ(session.link.PortDevice(), "/dev/ttyS11");
  EXPECT_EQ(StoredPort(), QStringLiteral("12"));

  QLineEdit& typed = *cboPort.lineEdit();
  typed.setText(QStringLiteral("/dev/ventrel-no-such-port"));
  QTest::keyClick(&typed, Qt::Key_Return);
  EXPECT_EQ(session.link.PortDevice(), "/dev/ventrel-no-such-port");
  QTest::mouseClick(frame.cmdPortSelectOK(), Qt::LeftButton);
  EXPECT_FALSE(frame.isVisible());
  EXPECT_EQ(StoredPort(), QStringLiteral("/dev/ventrel-no-such-port"));
  EXPECT_TRUE(rig.host.boxes.empty());
}

TEST_F(PortSelectTest, PortGivenForOneRunIsNotStored) {
  qttest::WindowRig<> rig;
  rig.window.linkDevices().UsePortDevice("/dev/ttyUSB3");
  EXPECT_EQ(rig.window.session().link.PortDevice(), "/dev/ttyUSB3");
  EXPECT_EQ(StoredPort(), QStringLiteral("1"));
}

// Without an OpenGL context the chart shows its placeholder and the table still opens
// (the editor's tests with the fake chart stand for its charting and saving). At the
// window's default size, within the screen, the whole 18-row table shows with all
// ten columns, its labels whole; the frames shown under it are wholly in view and in front.
TEST(TableChartPlaceholder, DefaultWindowShowsThePlaceholderTheWholeTableAndTheFramesBelowIt) {
  qttest::WindowRig<> rig;
  qtui::frmMain& window = rig.window;
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  EXPECT_TRUE(window.screen()->availableGeometry().contains(window.frameGeometry()));
  EXPECT_LE(window.minimumWidth(), window.width());
  rig.Load("VOSK");
  rig.Trigger("mnuEditFrontCylTrimTbl");
  // Without GL the chart shows its placeholder beside the grid.
  EXPECT_FALSE(window.chart()->HasSurface());
  EXPECT_NE(window.chart()->findChild<QLabel*>(QStringLiteral("chartPlaceholder")), nullptr);
  EXPECT_TRUE(window.chart()->isVisible());
  qtui::TableGrid& grid = *window.grid();
  const QWidget& cells = *grid.viewport();
  EXPECT_LE(grid.columnViewportPosition(8) + grid.columnWidth(8), cells.width());
  EXPECT_LE(grid.rowViewportPosition(17) + grid.rowHeight(17), cells.height());
  EXPECT_FALSE(grid.horizontalScrollBar()->isVisible());
  const QFontMetrics metrics(grid.horizontalHeader()->font());
  for (int c = 1; c <= 9; ++c) {
    EXPECT_LE(metrics.horizontalAdvance(QString::fromStdString(grid.TextMatrix(0, c))),
              grid.columnWidth(c - 1))
        << c;
  }

  QWidget& client = *window.centralWidget();
  for (QWidget* frame :
       {static_cast<QWidget*>(window.progressFrame()), static_cast<QWidget*>(window.portFrame())}) {
    SCOPED_TRACE(frame->objectName().toStdString());
    frame->show();
    EXPECT_TRUE(client.rect().contains(frame->geometry()));
    EXPECT_FALSE(frame->geometry().intersects(grid.geometry()));
    EXPECT_FALSE(frame->geometry().intersects(window.chart()->geometry()));
    EXPECT_GE(frame->height(), frame->sizeHint().height());
    QWidget* inFront = client.childAt(frame->geometry().center());
    EXPECT_TRUE(inFront == frame || frame->isAncestorOf(inFront));
    frame->hide();
  }
}

}  // namespace
