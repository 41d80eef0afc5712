// The desktop program with its built-in simulated module, as with --simulate: Download,
// open the front table, Upload, and the window resized or closed while a transfer runs.
// The message boxes are answered by the test; the clock is real. Esc is the main window's
// test (it sets the abort flag) and the download's (the flag stops it).
#include <gtest/gtest.h>

#include <QAction>
#include <QGroupBox>
#include <QMenu>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTest>
#include <deque>
#include <filesystem>
#include <functional>

#include "app/upload_command.h"
#include "qt/backup_folder.h"
#include "qt/fra_port_select.h"
#include "qt/frm_main.h"
#include "qt/link_devices.h"
#include "qt/qt_host.h"
#include "qt/table_grid.h"
#include "transfer/transfer_activity.h"
#include "transfer/upload.h"

namespace {

namespace fs = std::filesystem;
using core::Answer;

// Qt's own progress frame and event loop, with the boxes answered from a queue.
class AnsweringHost : public qtui::QtHost {
 public:
  AnsweringHost() : QtHost(nullptr) {}
  Answer MsgBox(const std::string& text, const std::string& title, core::Buttons offered,
                core::Icon) override {
    texts.push_back(text);
    buttons.push_back(offered);
    if (answers.empty()) {
      ADD_FAILURE() << "unexpected box \"" << title << "\": " << text;
      return Answer::Cancel;
    }
    const Answer answer = answers.front();
    answers.pop_front();
    return answer;
  }
  std::deque<Answer> answers;
  std::vector<std::string> texts;
  std::vector<core::Buttons> buttons;
};

// Backups made during a test; the folder is Qt's test-mode data folder.
std::vector<fs::path> Backups() {
  std::vector<fs::path> found;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(qtui::BackupFolder(), error)) {
    found.push_back(entry.path());
  }
  return found;
}

class DesktopTransfer : public testing::Test {
 protected:
  // The backups and the remembered choices of this process, apart from those of the tests
  // that run beside it; Qt reads the home folder when it first needs it.
  static void SetUpTestSuite() {
    static QTemporaryDir home;
    qputenv("HOME", home.path().toUtf8());
  }
  void SetUp() override {
    savedFolder_ = fs::current_path();
    fs::remove_all(qtui::BackupFolder());
    window = std::make_unique<qtui::frmMain>(app::BuiltInBranding(), VENTREL_PROGRAM_FOLDER, &host);
    window->Form_Load();
    bar = window->findChild<QProgressBar*>(QStringLiteral("prgProgress1"));
    host.AttachProgressFrame(window->progressFrame(), bar);
    window->linkDevices().UseSimulatedModule(sim::Edition::JX);
    window->show();
    QObject::connect(bar, &QProgressBar::valueChanged, [this](int value) {
      if (whileProgressing) whileProgressing(window->progressFrame()->title().toStdString(), value);
    });
  }
  void TearDown() override {
    window.reset();
    fs::current_path(savedFolder_);
  }

  QAction* Action(const char* name) {
    return window->findChild<QAction*>(QString::fromLatin1(name));
  }

  AnsweringHost host;
  std::unique_ptr<qtui::frmMain> window;
  QProgressBar* bar = nullptr;
  std::function<void(const std::string& caption, int percent)> whileProgressing;

 private:
  fs::path savedFolder_;
};

TEST_F(DesktopTransfer, DownloadOpenTheFrontTableAndUploadWithTheProgressFrame) {
  app::Session& session = window->session();
  session.link.CommErrorCount = 4;
  bool checkedDuringTransfer = false;
  whileProgressing = [&](const std::string& caption, int percent) {
    // The bar is redrawn a few times a second, so which steps it shows depends on time.
    if (caption != "Reading FLASH" || percent < 50 || checkedDuringTransfer) return;
    checkedDuringTransfer = true;
    EXPECT_TRUE(window->progressFrame()->isVisible());
    // One command of each menu held; the menus held are the menu tree's.
    for (const char* name : {"mnuOpenFile", "mnuEditFrontCylTrimTbl", "mnuUpload"}) {
      EXPECT_FALSE(Action(name)->isEnabled()) << name;
    }
    EXPECT_FALSE(window->portFrame()->isEnabled());
    // A resize, minimizing or an open menu must not disturb this one (a second transfer is
    // the transfer activity's test).
    window->resize(900, 640);
    window->setWindowState(Qt::WindowMinimized);
    window->setWindowState(Qt::WindowNoState);
    auto* menu = window->findChild<QMenu*>(QStringLiteral("mnuComm"));
    menu->popup(window->mapToGlobal(QPoint(10, 10)));
    QTest::qWait(20);
    menu->hide();
    EXPECT_TRUE(session.link.PortOpen());
  };
  host.answers = {Answer::OK, Answer::OK};
  Action("mnuDownload")->trigger();
  EXPECT_TRUE(checkedDuringTransfer);
  EXPECT_FALSE(window->progressFrame()->isVisible());
  EXPECT_TRUE(Action("mnuUpload")->isEnabled());
  EXPECT_TRUE(window->portFrame()->isEnabled());
  // The resize held back during the download has set the line up again.
  EXPECT_EQ(session.link.CommErrorCount, 0);

  Action("mnuEditFrontCylTrimTbl")->trigger();
  window->grid()->SetCurrentCell(2, 2);
  Action("mnuStepUp")->trigger();
  EXPECT_TRUE(Action("mnuUndo")->isEnabled());

  whileProgressing = [&](const std::string& caption, int) {
    EXPECT_FALSE(window->grid()->isEnabled()) << caption;
    EXPECT_FALSE(Action("mnuUndo")->isEnabled()) << caption;
  };
  host.texts.clear();
  host.buttons.clear();
  host.answers = {Answer::OK, Answer::OK, Answer::OK};
  Action("mnuUpload")->trigger();
  ASSERT_EQ(host.texts.size(), 3u);
  // The step in the open table is not in the buffer yet: the module holds the buffer's
  // data, and the summary says the entry is not uploaded.
  const std::string& summary = host.texts[1];
  EXPECT_TRUE(summary.starts_with("The module already holds these data.")) << summary;
  EXPECT_NE(summary.find(app::kUnsavedTableNote), std::string::npos) << summary;
  EXPECT_EQ(host.buttons[1], core::Buttons::UploadCancel);
  ASSERT_EQ(Backups().size(), 1u);
  EXPECT_NE(summary.find(Backups()[0].string()), std::string::npos) << summary;
  EXPECT_EQ(host.texts[2], transfer::kUploadCompleted);
  EXPECT_TRUE(window->grid()->isEnabled());
  EXPECT_TRUE(window->grid()->isVisible());
  EXPECT_TRUE(Action("mnuUndo")->isEnabled());

  // New data start the history afresh: Undo stays off once the transfer gives it back.
  whileProgressing = nullptr;
  host.answers = {Answer::OK, Answer::OK, Answer::OK};
  Action("mnuDownload")->trigger();
  EXPECT_FALSE(window->grid()->isVisible());
  EXPECT_FALSE(Action("mnuUndo")->isEnabled());
}

// Backups turned off in the menu: the choice is remembered and reaches the upload (Cancel
// at the summary is the safe upload's test). Closing the window during the upload asks to
// stop it first; that No lets it run on is the transfer activity's test.
TEST_F(DesktopTransfer, WithoutBackupsChosenAnUploadStoppedByClosingMakesNone) {
  app::Session& session = window->session();
  session.image.FLASHBufferEmpty = false;
  session.image.EEPROMBufferEmpty = false;
  session.image.ModuleVersion = "JX";
  session.image.MarkInFile();  // as opened from a file: closing has nothing to save
  QAction* backUp = Action("mnuBackUpBeforeUpload");
  ASSERT_TRUE(backUp->isChecked());
  backUp->trigger();
  EXPECT_FALSE(app::BackUpBeforeUpload(session.settings)) << "the choice is remembered";
  bool asked = false;
  whileProgressing = [&](const std::string& caption, int percent) {
    if (caption != "Programming FLASH" || percent < 33 || asked) return;
    asked = true;
    host.answers.push_front(Answer::Yes);
    window->close();
    EXPECT_TRUE(window->isVisible());
  };
  host.answers = {Answer::OK, Answer::OK, Answer::OK};
  Action("mnuUpload")->trigger();
  ASSERT_EQ(host.texts.size(), 4u);
  EXPECT_EQ(host.texts[1].find("backed up"), std::string::npos) << host.texts[1];
  EXPECT_TRUE(Backups().empty());
  EXPECT_EQ(host.texts[2], transfer::kStopUpload);
  EXPECT_EQ(host.texts[3], "Upload aborted - FLASH programming failed.");
  QTest::qWait(50);
  EXPECT_FALSE(window->isVisible());
  EXPECT_FALSE(session.link.PortOpen());
  app::SetBackUpBeforeUpload(session.settings, true);
}

}  // namespace
