// The port setup frame in the main window: the list, picking, typing a device, the
// stored choice across a restart.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <filesystem>

#include "fakes/scripted_host.h"
#include "qt/fra_port_select.h"
#include "qt/frm_main.h"
#include "qt/link_devices.h"

namespace {

namespace fs = std::filesystem;

QString StoredPort() {
  return QSettings(QStringLiteral("Ventrel"), QStringLiteral("Ventrel"))
      .value(QStringLiteral("Properties/CommPort"))
      .toString();
}

class PortSelectTest : public testing::Test {
 protected:
  void SetUp() override {
    savedFolder_ = fs::current_path();
    QSettings(QStringLiteral("Ventrel"), QStringLiteral("Ventrel")).clear();
  }
  void TearDown() override { fs::current_path(savedFolder_); }

  std::unique_ptr<qtui::frmMain> Start() {
    auto window =
        std::make_unique<qtui::frmMain>(app::BuiltInBranding(), fs::temp_directory_path(), &host_);
    window->Form_Load();
    window->show();
    return window;
  }

  static void OpenPortSetup(qtui::frmMain& window) {
    window.findChild<QAction*>(QStringLiteral("mnuPortSetup"))->trigger();
  }

  fakes::ScriptedHost host_;
  fs::path savedFolder_;
};

TEST_F(PortSelectTest, StartsHiddenWithComOneStoredAndTheMenuShowsIt) {
  auto window = Start();
  qtui::fraPortSelect* frame = window->portFrame();
  EXPECT_FALSE(frame->isVisible());
  EXPECT_EQ(StoredPort(), QStringLiteral("1"));
  OpenPortSetup(*window);
  EXPECT_TRUE(frame->isVisible());
  EXPECT_EQ(frame->title(), QStringLiteral("Data Port Setup"));
  QComboBox* cboPort = frame->cboPort();
  ASSERT_GE(cboPort->count(), 255);
  EXPECT_EQ(cboPort->itemText(0), QStringLiteral("Com1"));
  EXPECT_EQ(cboPort->itemText(254), QStringLiteral("Com255"));
  EXPECT_EQ(cboPort->currentText(), QStringLiteral("Com1"));
}

TEST_F(PortSelectTest, PickingComTwelveClosesThePortStoresItAndSurvivesARestart) {
  {
    auto window = Start();
    window->linkDevices().UseSimulatedModule(sim::Edition::JX);
    ASSERT_TRUE(window->session().link.ReSync());
    ASSERT_TRUE(window->session().link.PortOpen());
    OpenPortSetup(*window);
    QComboBox* cboPort = window->portFrame()->cboPort();
    cboPort->setCurrentIndex(11);
    emit cboPort->activated(11);
    EXPECT_FALSE(window->session().link.PortOpen());
    EXPECT_EQ(window->session().link.CommPortNumber, 12);

    EXPECT_EQ(StoredPort(), QStringLiteral("12"));
    QTest::mouseClick(window->portFrame()->cmdPortSelectOK(), Qt::LeftButton);
    EXPECT_FALSE(window->portFrame()->isVisible());
  }
  auto restarted = Start();
  EXPECT_EQ(restarted->session().link.CommPortNumber, 12);
  EXPECT_EQ(restarted->session().link.PortDevice(), "/dev/ttyS11");
  OpenPortSetup(*restarted);
  EXPECT_EQ(restarted->portFrame()->cboPort()->currentText(), QStringLiteral("Com12"));
}

TEST_F(PortSelectTest, TypedDevicePathIsTakenOnEnterAndOKWithoutChangeKeepsTheChoice) {
  auto window = Start();
  OpenPortSetup(*window);
  QComboBox* cboPort = window->portFrame()->cboPort();
  cboPort->lineEdit()->setText(QStringLiteral("/dev/pts/9"));
  QTest::keyClick(cboPort->lineEdit(), Qt::Key_Return);
  EXPECT_EQ(window->session().link.PortDevice(), "/dev/pts/9");
  EXPECT_EQ(StoredPort(), QStringLiteral("/dev/pts/9"));
  QTest::mouseClick(window->portFrame()->cmdPortSelectOK(), Qt::LeftButton);
  EXPECT_EQ(StoredPort(), QStringLiteral("/dev/pts/9"));
  EXPECT_TRUE(host_.boxes.empty());
}

TEST_F(PortSelectTest, ChoosingAPortLeavesTheSimulatedModule) {
  auto window = Start();
  window->linkDevices().UseSimulatedModule(sim::Edition::KQ);
  ASSERT_TRUE(window->session().link.ReSync());
  OpenPortSetup(*window);
  QComboBox* cboPort = window->portFrame()->cboPort();
  cboPort->lineEdit()->setText(QStringLiteral("/dev/ventrel-no-such-port"));
  QTest::keyClick(cboPort->lineEdit(), Qt::Key_Return);
  host_.ExpectBox(core::Answer::Ignore);
  EXPECT_FALSE(window->session().link.ReSync());
  ASSERT_EQ(host_.boxes.size(), 1u);
  EXPECT_NE(host_.boxes[0].text.find("/dev/ventrel-no-such-port does not exist"),
            std::string::npos);
}

TEST_F(PortSelectTest, PortGivenForOneRunIsNotStored) {
  auto window = Start();
  window->linkDevices().UsePortDevice("/dev/ttyUSB3");
  EXPECT_EQ(window->session().link.PortDevice(), "/dev/ttyUSB3");
  EXPECT_EQ(StoredPort(), QStringLiteral("1"));
}

}  // namespace
