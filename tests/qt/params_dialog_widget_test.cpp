// Both parameter dialogs as windows: their captions, the state after start-up, the
// check of a box on Tab and on Enter, the user data box, and the menu command.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <map>

#include "app/branding.h"
#include "fakes/scripted_host.h"
#include "params/params_presenter.h"
#include "qt/frm_main.h"
#include "qt/frm_params.h"
#include "qt/frm_params2.h"

namespace {

class NoTables : public params::TableEditorControl {
 public:
  void CloseTbl() override {}
  void SetTableEditPermission(bool) override {}
};

template <class T>
T* Child(QWidget& dialog, const QString& name) {
  T* child = dialog.findChild<T*>(name);
  EXPECT_NE(child, nullptr) << name.toStdString();
  return child;
}

// Types each character as its own key press, as a keyboard layout that has it would.
void Type(QWidget* widget, const QString& text) {
  for (const QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QApplication::sendEvent(widget, &release);
  }
}

// Object name to caption, for every captioned control of the dialog.
std::map<std::string, std::string> Captions(QWidget& dialog) {
  std::map<std::string, std::string> captions;
  for (auto* frame : dialog.findChildren<QGroupBox*>()) {
    captions[frame->objectName().toStdString()] = frame->title().toStdString();
  }
  for (auto* button : dialog.findChildren<QAbstractButton*>()) {
    captions[button->objectName().toStdString()] = button->text().toStdString();
  }
  for (auto* label : dialog.findChildren<QLabel*>()) {
    captions[label->objectName().toStdString()] = label->text().toStdString();
  }
  return captions;
}

class ParamsDialogWidgetTest : public testing::Test {
 protected:
  // Loads the set for the edition and runs the dialog's start-up, without a modal loop.
  void Open(qtui::ParamsDialogBase& dialog, const std::string& version, std::uint8_t mode) {
    image.ModuleVersion = version;
    image.EEPROMBuffer[params::kModeByte] = mode;
    image.EEPROMBuffer[64] = 'Q';
    const params::Generation generation = params::GenerationOf(version);
    params::LoadParameterSet(generation, image.EEPROMBuffer, set);
    presenter.emplace(generation, params::ParamsContext{image, set, host, tables}, dialog);
    dialog.AttachPresenter(*presenter);
    presenter->Form_Load();
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

TEST_F(ParamsDialogWidgetTest, SecondGenerationCaptionsAndStartUpForKQAdvanced) {
  qtui::frmParams2 dialog(host);
  Open(dialog, "QL2 KQ", 0x02);
  EXPECT_EQ(dialog.windowTitle().toStdString(), "Edit Quillon Parameters");
  std::map<std::string, std::string> expected = {
      {"fraVersion", "Quillon  Version"},
      {"optKQVersion", "KQ Version"},
      {"optVoskVersion", "Vosk Version"},
      {"fraBasicParams", "Quillon  Parameters"},
      {"optBasicMode", "Basic Mode"},
      {"optAdvancedMode", "Advanced Mode"},
      {"chkSwapMode", "Injector Swap on Enrichment Mode"},
      {"chkTrimEnable", "Enable Manual Trim in Advanced Mode"},
      {"frmFuelParams", "Fuel Parameters"},
      {"Frame1", "Retard Parameters"},
      {"lbl10", "Parameter 10 (Accel Enrichment)"},
      {"lblUserData", "User Data"},
      {"cmdOK", "OK"},
      {"cmdCancel", "Cancel"},
      {"cmdRestoreDefaults", "Restore Defaults"},
  };
  for (int n = 1; n <= 19; ++n) {
    if (n != 10) expected["lbl" + std::to_string(n)] = "Parameter " + std::to_string(n);
  }
  EXPECT_EQ(Captions(dialog), expected);

  EXPECT_TRUE(Child<QAbstractButton>(dialog, "optKQVersion")->isChecked());
  EXPECT_FALSE(Child<QAbstractButton>(dialog, "optVoskVersion")->isEnabled());
  EXPECT_TRUE(Child<QAbstractButton>(dialog, "optAdvancedMode")->isChecked());
  auto* swap = Child<QAbstractButton>(dialog, "chkSwapMode");
  EXPECT_TRUE(swap->isChecked());
  EXPECT_FALSE(swap->isEnabled());
  EXPECT_TRUE(Child<QAbstractButton>(dialog, "chkTrimEnable")->isEnabled());
  for (int n = 1; n <= 19; ++n) {
    EXPECT_EQ(dialog.paramBox(n)->isEnabled(), n == 10) << n;
    EXPECT_EQ(dialog.paramBox(n)->text().toStdString(), " 0") << n;
  }
  auto* userData = Child<QLineEdit>(dialog, "txtUserData");
  EXPECT_EQ(userData->text().toStdString(), "Q");
  EXPECT_EQ(userData->maxLength(), 32);
  EXPECT_TRUE(qobject_cast<QPushButton*>(Child<QAbstractButton>(dialog, "cmdOK"))->isDefault());
}

TEST_F(ParamsDialogWidgetTest, FirstGenerationCaptionsAndStartUpForVoskBasic) {
  qtui::frmParams dialog(host);
  Open(dialog, "VOSK", 0x01);
  const std::map<std::string, std::string> captions = Captions(dialog);
  EXPECT_EQ(captions.count("frmFuelParams"), 0u);
  EXPECT_EQ(captions.count("Frame1"), 0u);
  EXPECT_EQ(captions.count("lbl10"), 0u);
  EXPECT_EQ(captions.at("lbl8"), "Parameter 8");
  EXPECT_EQ(captions.at("lbl9"), "Parameter 9 (Acceleration Enrichment)");
  EXPECT_EQ(captions.at("fraVersion"), "Quillon  Version");
  EXPECT_EQ(captions.at("fraBasicParams"), "Quillon  Parameters");
  EXPECT_EQ(dialog.findChildren<QLineEdit*>().size(), 10);  // nine parameters and user data

  EXPECT_TRUE(Child<QAbstractButton>(dialog, "optVoskVersion")->isChecked());
  EXPECT_TRUE(Child<QAbstractButton>(dialog, "optKQVersion")->isEnabled());
  EXPECT_TRUE(Child<QAbstractButton>(dialog, "optBasicMode")->isChecked());
  EXPECT_FALSE(Child<QAbstractButton>(dialog, "chkTrimEnable")->isEnabled());
  EXPECT_TRUE(Child<QAbstractButton>(dialog, "chkSwapMode")->isEnabled());
  for (int n = 1; n <= 9; ++n) EXPECT_TRUE(dialog.paramBox(n)->isEnabled()) << n;
  Child<QAbstractButton>(dialog, "optAdvancedMode")->click();
  for (int n = 1; n <= 9; ++n) EXPECT_EQ(dialog.paramBox(n)->isEnabled(), n == 9) << n;
  EXPECT_TRUE(Child<QAbstractButton>(dialog, "chkTrimEnable")->isEnabled());
}

TEST_F(ParamsDialogWidgetTest, JXDataCannotBeConverted) {
  qtui::frmParams2 dialog(host);
  Open(dialog, "JX", 0x01);
  EXPECT_FALSE(Child<QAbstractButton>(dialog, "optKQVersion")->isEnabled());
  EXPECT_TRUE(Child<QAbstractButton>(dialog, "optVoskVersion")->isChecked());
}

TEST_F(ParamsDialogWidgetTest, TabChecksTheBoxItLeaves) {
  qtui::frmParams2 dialog(host);
  Open(dialog, "QL2 VOSK", 0x01);
  ShowAndFocus(dialog, dialog.paramBox(1));
  QTest::keyClicks(dialog.paramBox(1), "-25");
  host.ExpectBox(core::Answer::OK);
  QTest::keyClick(dialog.paramBox(1), Qt::Key_Tab);
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(host.boxes[0].text, "Value must be greater than or equal to -20");
  EXPECT_EQ(host.boxes[0].title, "Parameter 1");
  EXPECT_EQ(dialog.paramBox(1)->text().toStdString(), "-20");
  EXPECT_TRUE(dialog.paramBox(2)->hasFocus());
  QTest::keyClicks(dialog.paramBox(2), "7.9");
  QTest::keyClick(dialog.paramBox(2), Qt::Key_Tab);
  EXPECT_EQ(dialog.paramBox(2)->text().toStdString(), " 7");
  EXPECT_EQ(host.boxes.size(), 1u);
}

TEST_F(ParamsDialogWidgetTest, EnterInAnEditedBoxChecksItStoresAndCloses) {
  qtui::frmParams dialog(host);
  Open(dialog, "VOSK", 0x01);
  ShowAndFocus(dialog, dialog.paramBox(9));
  QTest::keyClicks(dialog.paramBox(9), "12");
  host.ExpectBox(core::Answer::OK);
  QTest::keyClick(dialog.paramBox(9), Qt::Key_Return);
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(host.boxes[0].text, "Value must be less than or equal to 10");
  EXPECT_EQ(host.boxes[0].title, "Parameter 9");
  EXPECT_EQ(image.EEPROMBuffer[25], 10);
  EXPECT_FALSE(dialog.isVisible());
}

TEST_F(ParamsDialogWidgetTest, UserDataTakesOneByteCharactersUpToThirtyTwo) {
  qtui::frmParams2 dialog(host);
  Open(dialog, "QL2 VOSK", 0x01);
  auto* userData = Child<QLineEdit>(dialog, "txtUserData");
  ShowAndFocus(dialog, userData);
  Type(userData, QString::fromUtf8("M\u00FCller \u20AC5\t"));
  EXPECT_EQ(userData->text(), QString::fromUtf8("M\u00FCller 5"));
  userData->selectAll();
  QTest::keyClicks(userData, QString(40, QLatin1Char('x')));
  EXPECT_EQ(userData->text(), QString(32, QLatin1Char('x')));
}

class EditParamsMenuTest : public testing::Test {
 protected:
  EditParamsMenuTest() : savedFolder_(std::filesystem::current_path()) {}
  ~EditParamsMenuTest() override { std::filesystem::current_path(savedFolder_); }

  std::unique_ptr<qtui::frmMain> OpenMainWindow() {
    auto window = std::make_unique<qtui::frmMain>(app::BuiltInBranding(),
                                                  std::filesystem::temp_directory_path(), &host);
    window->Form_Load();
    return window;
  }

  fakes::ScriptedHost host;
  std::filesystem::path savedFolder_;
};

TEST_F(EditParamsMenuTest, RefusesAnEmptyImage) {
  auto window = OpenMainWindow();
  QAction* command = window->findChild<QAction*>(QStringLiteral("mnuEditParams"));
  ASSERT_NE(command, nullptr);
  EXPECT_TRUE(command->isEnabled());
  host.ExpectBox(core::Answer::OK);
  command->trigger();
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(host.boxes[0].text, "Data Buffer Empty - Nothing to Edit.");
  EXPECT_EQ(host.boxes[0].title, "Edit Quillon Parameters");
}

TEST_F(EditParamsMenuTest, OpensTheDialogOfTheDataGeneration) {
  auto window = OpenMainWindow();
  window->session().image.FLASHBufferEmpty = false;
  for (const auto& [version, dialogName] : {std::pair{"KQ", "frmParams"},
                                            {"VOSK", "frmParams"},
                                            {"QL2 KQ", "frmParams2"},
                                            {"QL2 VOSK", "frmParams2"},
                                            {"JX", "frmParams2"}}) {
    window->session().image.ModuleVersion = version;
    std::string opened;
    QTimer::singleShot(0, [&opened] {
      QWidget* modal = QApplication::activeModalWidget();
      if (!modal) return;
      opened = modal->objectName().toStdString();
      modal->findChild<QPushButton*>(QStringLiteral("cmdCancel"))->click();
    });
    window->findChild<QAction*>(QStringLiteral("mnuEditParams"))->trigger();
    EXPECT_EQ(opened, dialogName) << version;
  }
  EXPECT_TRUE(host.boxes.empty());
}

}  // namespace
