// The port setup frame in the main window: picking, typing a device, and a port given for
// one run only.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTest>

#include "qt/fra_port_select.h"
#include "qt/link_devices.h"
#include "window_rig.h"

namespace {

QString StoredPort() {
  return QSettings(QStringLiteral("Ventrel"), QStringLiteral("Ventrel"))
      .value(QStringLiteral("Properties/CommPort"))
      .toString();
}

class PortSelectTest : public testing::Test {
 protected:
  PortSelectTest() { QSettings(QStringLiteral("Ventrel"), QStringLiteral("Ventrel")).clear(); }
};

// The stored choice read back and the port list are the port choice's tests; here, that the
// frame reaches them.
TEST_F(PortSelectTest, FirstRunStoresComOneAndAPickedPortClosesTheLinkAndIsStored) {
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
  QTest::mouseClick(frame.cmdPortSelectOK(), Qt::LeftButton);
  EXPECT_FALSE(frame.isVisible());
}

TEST_F(PortSelectTest, TypedDeviceIsTakenOnEnterKeptByOKAndReplacesTheSimulatedModule) {
  qttest::WindowRig<> rig;
  rig.window.show();
  app::Session& session = rig.window.session();
  rig.window.linkDevices().UseSimulatedModule(sim::Edition::KQ);
  ASSERT_TRUE(session.link.ReSync());
  rig.Trigger("mnuPortSetup");
  QLineEdit& typed = *rig.window.portFrame()->cboPort()->lineEdit();
  typed.setText(QStringLiteral("/dev/ventrel-no-such-port"));
  QTest::keyClick(&typed, Qt::Key_Return);
  EXPECT_EQ(session.link.PortDevice(), "/dev/ventrel-no-such-port");
  QTest::mouseClick(rig.window.portFrame()->cmdPortSelectOK(), Qt::LeftButton);
  EXPECT_EQ(StoredPort(), QStringLiteral("/dev/ventrel-no-such-port"));
  EXPECT_TRUE(rig.host.boxes.empty());
}

TEST_F(PortSelectTest, PortGivenForOneRunIsNotStored) {
  qttest::WindowRig<> rig;
  rig.window.linkDevices().UsePortDevice("/dev/ttyUSB3");
  EXPECT_EQ(rig.window.session().link.PortDevice(), "/dev/ttyUSB3");
  EXPECT_EQ(StoredPort(), QStringLiteral("1"));
}

}  // namespace
