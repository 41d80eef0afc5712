// Both parameter dialogs as windows: captions and state after start-up, the check of a
// box on Enter and on a click elsewhere, the user data box, and the menu command that
// opens them.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "core/eeprom_map.h"
#include "params/params_presenter.h"
#include "qt/frm_params.h"
#include "qt/frm_params2.h"
#include "window_rig.h"

namespace {

class NoTables : public params::TableEditorControl {
  void CloseTbl() override {}
  void SetTableEditPermission(bool) override {}
};

std::string Caption(QWidget& dialog, const char* name) {
  QObject* child = dialog.findChild<QObject*>(QString::fromLatin1(name));
  if (auto* frame = qobject_cast<QGroupBox*>(child)) return frame->title().toStdString();
  if (auto* button = qobject_cast<QAbstractButton*>(child)) return button->text().toStdString();
  if (auto* label = qobject_cast<QLabel*>(child)) return label->text().toStdString();
  return "(no control " + std::string(name) + ")";
}

QAbstractButton* Button(QWidget& dialog, const char* name) {
  return dialog.findChild<QAbstractButton*>(QString::fromLatin1(name));
}

const std::pair<const char*, const char*> kCommonCaptions[] = {
    {"fraVersion", "Quillon  Version"},
    {"optKQVersion", "KQ Version"},
    {"optVoskVersion", "Vosk Version"},
    {"fraBasicParams", "Quillon  Parameters"},
    {"optBasicMode", "Basic Mode"},
    {"optAdvancedMode", "Advanced Mode"},
    {"chkSwapMode", "Injector Swap on Enrichment Mode"},
    {"chkTrimEnable", "Enable Manual Trim in Advanced Mode"},
    {"lblUserData", "User Data"},
    {"cmdOK", "OK"},
    {"cmdCancel", "Cancel"},
    {"cmdRestoreDefaults", "Restore Defaults"},
    {"lbl1", "Parameter 1"},
    {"lbl8", "Parameter 8"}};

class ParamsDialogWidgetTest : public testing::Test {
 protected:
  // Loads the set for the edition and runs the dialog's start-up, without a modal loop.
  void Open(qtui::ParamsDialogBase& dialog, const std::string& version, std::uint8_t mode,
            core::Host* messages = nullptr) {
    image.ModuleVersion = version;
    image.EEPROMBuffer[core::kModeByte] = mode;
    const params::Generation generation = params::GenerationOf(version);
    params::LoadParameterSet(generation, image.EEPROMBuffer, set);
    presenter.emplace(
        generation, params::ParamsContext{image, set, messages ? *messages : host, tables}, dialog);
    dialog.AttachPresenter(*presenter);
    presenter->Form_Load();
    EXPECT_EQ(dialog.windowTitle().toStdString(), "Edit Quillon Parameters");
    for (const auto& [name, caption] : kCommonCaptions) EXPECT_EQ(Caption(dialog, name), caption);
  }

  static void ShowAndFocus(QWidget& dialog, QLineEdit* box) {
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    box->setFocus();
    box->selectAll();
  }

  core::ModuleImage image;
  params::ParameterSet set;
  fakes::ScriptedHost host;
  NoTables tables;
  std::optional<params::ParamsPresenter> presenter;
};

TEST_F(ParamsDialogWidgetTest, SecondGenerationForKQDataInAdvancedMode) {
  qtui::frmParams2 dialog(host);
  Open(dialog, "QL2 KQ", 0x02);
  EXPECT_EQ(Caption(dialog, "frmFuelParams"), "Fuel Parameters");
  EXPECT_EQ(Caption(dialog, "Frame1"), "Retard Parameters");
  EXPECT_EQ(Caption(dialog, "lbl10"), "Parameter 10 (Accel Enrichment)");
  EXPECT_EQ(Caption(dialog, "lbl19"), "Parameter 19");
  // Which control is set how for each edition and mode is the presenter's test; here, that
  // its settings reach the controls.
  EXPECT_TRUE(Button(dialog, "optKQVersion")->isChecked());
  EXPECT_TRUE(Button(dialog, "optAdvancedMode")->isChecked());
  for (int n = 1; n <= 19; ++n) EXPECT_EQ(dialog.paramBox(n)->isEnabled(), n == 10) << n;
}

// The first generation's dialog has nine boxes, the ninth the enrichment; the rules of its
// switches are the presenter's. Enter in an edited box checks it, stores and closes; a box
// left by a click is checked as the range message's test shows.
TEST_F(ParamsDialogWidgetTest, FirstGenerationsNineBoxesAndEnterChecksStoresAndCloses) {
  qtui::frmParams dialog(host);
  Open(dialog, "VOSK", 0x01);
  EXPECT_EQ(Caption(dialog, "lbl9"), "Parameter 9 (Acceleration Enrichment)");
  EXPECT_EQ(dialog.findChildren<QLineEdit*>().size(), 10);  // nine parameters and user data
  ShowAndFocus(dialog, dialog.paramBox(9));
  QTest::keyClicks(dialog.paramBox(9), "12");
  host.ExpectBox(core::Answer::OK);
  QTest::keyClick(dialog.paramBox(9), Qt::Key_Return);
  EXPECT_EQ(host.Texts(), std::vector<std::string>{"Value must be less than or equal to 10"});
  EXPECT_EQ(image.EEPROMBuffer[25], 10);
  EXPECT_FALSE(dialog.isVisible());
}

// The range message takes the release of the click that left the box; the command the
// user clicked runs all the same, with the corrected box: a button and a switch (the other
// controls take the same way back).
TEST_F(ParamsDialogWidgetTest, AClickThatRaisesARangeMessageStillRunsItsCommand) {
  struct Case {
    const char* control;
    std::function<void(qtui::frmParams2&)> ran;
  };
  const Case cases[] = {
      {"cmdOK",
       [this](auto& dialog) {
         EXPECT_FALSE(dialog.isVisible());
         EXPECT_EQ(image.EEPROMBuffer[49], 10);
       }},
      {"chkSwapMode",
       [this](auto& dialog) {
         EXPECT_TRUE(set.SwapMode);
         EXPECT_EQ(dialog.paramBox(11)->text().toStdString(), " 10");
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.control);
    qttest::ModalBoxHost<> modal;
    qtui::frmParams2 dialog(modal);
    Open(dialog, "QL2 VOSK", 0x01, &modal);
    ShowAndFocus(dialog, dialog.paramBox(11));
    QTest::keyClicks(dialog.paramBox(11), "50");
    modal.ExpectBox(core::Answer::OK);
    QTest::mousePress(Button(dialog, c.control), Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_EQ(modal.Texts(), std::vector<std::string>{"Value must be less than or equal to 10"});
    c.ran(dialog);
  }
}

TEST_F(ParamsDialogWidgetTest, UserDataTakesPrintableASCIIOnly) {
  qtui::frmParams2 dialog(host);
  Open(dialog, "QL2 VOSK", 0x01);
  auto* userData = dialog.findChild<QLineEdit*>(QStringLiteral("txtUserData"));
  ShowAndFocus(dialog, userData);
  // Typed one key at a time, as a keyboard layout that has the characters would; the
  // field could not give the letters back on reopening.
  for (const QChar c : QString::fromUtf8("M\u00FCller \u00E9\u20AC5")) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QApplication::sendEvent(userData, &press);
  }
  EXPECT_EQ(userData->text(), QStringLiteral("Mller 5"));
}

TEST(EditParamsMenuTest, OpensTheDialogOfTheDataGeneration) {
  qttest::WindowRig<> rig;
  QAction* command = rig.Item("mnuEditParams");
  rig.window.session().image.FLASHBufferEmpty = false;
  // Which editions are of which generation is the parameter set's test.
  for (const auto& [version, dialogName] :
       {std::pair{"VOSK", "frmParams"}, {"QL2 KQ", "frmParams2"}}) {
    rig.window.session().image.ModuleVersion = version;
    std::string opened;
    QTimer::singleShot(0, [&opened] {
      QWidget* modal = QApplication::activeModalWidget();
      if (!modal) return;
      opened = modal->objectName().toStdString();
      modal->findChild<QPushButton*>(QStringLiteral("cmdCancel"))->click();
    });
    command->trigger();
    EXPECT_EQ(opened, dialogName) << version;
  }
}

}  // namespace
