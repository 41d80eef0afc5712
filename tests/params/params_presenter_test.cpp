// The rules of both parameter dialogs, driven through a window-less view.
#include "params/params_presenter.h"
#include "core/eeprom_map.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_params_view.h"
#include "fakes/scripted_host.h"

namespace {

using core::Answer;
using params::EditionOption;
using params::ModeOption;

std::vector<int> Range(int first, int last) {
  std::vector<int> numbers;
  for (int n = first; n <= last; ++n) numbers.push_back(n);
  return numbers;
}

class ParamsPresenterTest : public testing::Test {
 protected:
  // A fresh image of the edition, with the dialog loaded from it and started.
  params::ParamsPresenter& Open(const std::string& moduleVersion, std::uint8_t modeByte = 0x01) {
    image = core::ModuleImage();
    image.ModuleVersion = moduleVersion;
    image.EEPROMBuffer[core::kModeByte] = modeByte;
    image.EEPROMBuffer[33] = 0x05;
    image.EEPROMBuffer[17] = 0xFB;  // -5
    image.EEPROMBuffer[49] = 200;
    image.EEPROMBuffer[64] = 'T';
    const params::Generation generation = params::GenerationOf(moduleVersion);
    params::LoadParameterSet(generation, image.EEPROMBuffer, set);
    before = image;
    view = paramstest::FakeParamsView();
    tables.calls.clear();
    presenter.emplace(generation, params::ParamsContext{image, set, host, tables}, view);
    presenter->Form_Load();
    return *presenter;
  }

  core::ModuleImage image;
  core::ModuleImage before;
  params::ParameterSet set;
  fakes::ScriptedHost host;
  paramstest::FakeTableEditor tables;
  paramstest::FakeParamsView view;
  std::optional<params::ParamsPresenter> presenter;
};

TEST_F(ParamsPresenterTest, StartUpForEachEditionAndMode) {
  struct Case {
    const char* version;
    std::uint8_t mode;
    EditionOption edition;
    bool kqEnabled, voskEnabled, swapEnabled, swapChecked;
    ModeOption shownMode;
    bool trimEnabled, trimChecked;
    std::vector<int> enabledBoxes;
  };
  const Case cases[] = {
      {"QL2 VOSK", 0x01, EditionOption::Vosk, true, true, true, false, ModeOption::Basic, false,
       false, Range(1, 19)},
      {"QL2 KQ", 0x03, EditionOption::KQ, true, false, false, true, ModeOption::Basic, false, false,
       Range(1, 19)},
      {"JX",
       0x06,
       EditionOption::Vosk,
       false,
       true,
       true,
       true,
       ModeOption::Advanced,
       true,
       true,
       {10}},
      {"VOSK", 0x07, EditionOption::Vosk, true, true, true, true, ModeOption::Basic, false, false,
       Range(1, 9)},
      {"KQ",
       0x04,
       EditionOption::KQ,
       true,
       false,
       false,
       false,
       ModeOption::Advanced,
       true,
       true,
       {9}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.version);
    Open(c.version, c.mode);
    EXPECT_TRUE(view.centred);
    EXPECT_EQ(view.edition, c.edition);
    EXPECT_EQ((std::vector<bool>{view.kqEnabled, view.voskEnabled, view.swapEnabled,
                                 view.swapChecked, view.trimEnabled, view.trimChecked}),
              (std::vector<bool>{c.kqEnabled, c.voskEnabled, c.swapEnabled, c.swapChecked,
                                 c.trimEnabled, c.trimChecked}));
    EXPECT_EQ(view.mode, c.shownMode);
    EXPECT_EQ(view.EnabledBoxes(), c.enabledBoxes);
    EXPECT_EQ(view.boxes[1].text, "-5");
    if (view.boxes.size() == 19) {
      EXPECT_EQ(view.boxes[11].text, " 200");
    }
    EXPECT_EQ(view.userData, "T");
    EXPECT_EQ(image.EEPROMBuffer, before.EEPROMBuffer);
    EXPECT_EQ(image.ModuleVersion, c.version);
    EXPECT_TRUE(tables.calls.empty()) << "start-up leaves an open table open";
  }
}

TEST_F(ParamsPresenterTest, ModeOptionsSwitchTheBoxesAndTheTrimSwitch) {
  auto& p = Open("QL2 VOSK", 0x01);
  p.optAdvancedMode_Click();
  p.chkTrimEnable_Click(true);
  EXPECT_FALSE(set.BasicMode);
  EXPECT_TRUE(set.TrimEnable);
  EXPECT_EQ(view.EnabledBoxes(), std::vector<int>{10});
  EXPECT_TRUE(view.trimEnabled);
  view.trimChecked = true;
  p.optBasicMode_Click();
  EXPECT_TRUE(set.BasicMode);
  EXPECT_FALSE(set.TrimEnable);
  EXPECT_FALSE(view.trimChecked);
  EXPECT_FALSE(view.trimEnabled);
  EXPECT_EQ(view.EnabledBoxes(), Range(1, 19));
}

TEST_F(ParamsPresenterTest, ConversionToKQ) {
  struct Case {
    const char* from;
    std::optional<Answer> confirmation;
    const char* to;
    std::uint8_t editionByte;
    EditionOption shown;
  };
  const Case cases[] = {
      {"QL2 VOSK", Answer::OK, "QL2 KQ", 0x45, EditionOption::KQ},
      {"VOSK", Answer::OK, "KQ", 0x25, EditionOption::KQ},
      {"QL2 VOSK", Answer::Cancel, "QL2 VOSK", 0x05, EditionOption::Vosk},
      {"JX", std::nullopt, "JX", 0x05, EditionOption::Vosk},  // should a click arrive anyway
      {"QL2 KQ", std::nullopt, "QL2 KQ", 0x05, EditionOption::KQ},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.from) + (c.confirmation == Answer::Cancel ? " cancelled" : ""));
    auto& p = Open(c.from, 0x03);
    host.boxes.clear();
    if (c.confirmation) host.ExpectBox(*c.confirmation);
    view.edition = EditionOption::KQ;
    p.optKQVersion_Click();
    const bool converted = c.editionByte != 0x05;
    EXPECT_EQ(image.ModuleVersion, c.to);
    EXPECT_EQ(image.EEPROMBuffer[33], c.editionByte);
    EXPECT_EQ(view.edition, c.shown);
    EXPECT_EQ(set.SwapMode, !converted);
    if (converted) {
      EXPECT_FALSE(view.voskEnabled);
      EXPECT_FALSE(view.swapEnabled);
      EXPECT_FALSE(view.swapChecked);
      EXPECT_EQ(tables.calls,
                (std::vector<std::string>{"CloseTbl", "Permission off", "History afresh"}));
      // Cancelling the dialog keeps the conversion; the mode byte waits for OK.
      p.cmdCancel_Click();
      EXPECT_EQ(image.EEPROMBuffer[core::kModeByte], 0x03);
    } else {
      EXPECT_TRUE(tables.calls.empty());
    }
    if (c.confirmation) {
      ASSERT_EQ(host.boxes.size(), 1u);
      EXPECT_EQ(host.boxes[0].text,
                "Are you sure you want to convert data to KQ version? Once you do so, \r\n"
                "you cannot convert back to the Vosk version again.");
      EXPECT_EQ(host.boxes[0].title, "Convert to KQ Version");
      EXPECT_EQ(host.boxes[0].buttons, core::Buttons::OKCancel);
      EXPECT_EQ(host.boxes[0].icon, core::Icon::None);
    }
  }
}

TEST_F(ParamsPresenterTest, RestoreDefaultsReachesTheImageOnlyWithOK) {
  for (const Answer answer : {Answer::Cancel, Answer::OK}) {
    auto& p = Open("QL2 VOSK", 0x06);
    host.boxes.clear();
    host.ExpectBox(answer);
    p.cmdRestoreDefaults_Click();
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].text,
              "This action will reset all Quillon parameters to default values.");
    EXPECT_EQ(host.boxes[0].title, "Restore Defaults");
    EXPECT_EQ(host.boxes[0].icon, core::Icon::Critical);
    EXPECT_EQ(view.mode, answer == Answer::OK ? ModeOption::Basic : ModeOption::Advanced);
    EXPECT_EQ(view.swapChecked, answer != Answer::OK);
    EXPECT_EQ(view.boxes[1].text, answer == Answer::OK ? " 0" : "-5");
    p.cmdCancel_Click();
    EXPECT_EQ(image.EEPROMBuffer, before.EEPROMBuffer);
  }
  auto& p = Open("QL2 VOSK", 0x06);
  host.ExpectBox(Answer::OK);
  p.cmdRestoreDefaults_Click();
  p.cmdOK_Click();
  EXPECT_EQ(image.EEPROMBuffer[core::kModeByte], 0x01);
  for (const std::size_t i : {17, 25, 49, 58}) EXPECT_EQ(image.EEPROMBuffer[i], 0) << i;
  EXPECT_TRUE(view.closed);
}

TEST_F(ParamsPresenterTest, OKChecksTheBoxThatStillHoldsTheFocus) {
  auto& p = Open("VOSK");
  view.boxes[9].text = "12";
  view.focused = 9;
  host.ExpectBox(Answer::OK);
  p.cmdOK_Click();
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(host.boxes[0].text, "Value must be less than or equal to 10");
  EXPECT_EQ(host.boxes[0].title, "Parameter 9");
  EXPECT_EQ(host.boxes[0].icon, core::Icon::Exclamation);
  EXPECT_EQ(image.EEPROMBuffer[25], 10);
  EXPECT_TRUE(view.closed);
  // The whole OK is one step of the editing history.
  EXPECT_EQ(tables.calls, (std::vector<std::string>{"Step Edit Quillon Parameters"}));
}

// A range message moves the focus, and the toolkit may report that as leaving the box.
TEST_F(ParamsPresenterTest, ARangeMessageDoesNotCheckItsBoxAgain) {
  class FocusStealingHost : public fakes::ScriptedHost {
   public:
    std::function<void()> whileBoxIsUp;
    Answer MsgBox(const std::string& text, const std::string& title, core::Buttons buttons,
                  core::Icon icon) override {
      if (whileBoxIsUp) whileBoxIsUp();
      return ScriptedHost::MsgBox(text, title, buttons, icon);
    }
  } stealing;
  image.ModuleVersion = "QL2 VOSK";
  params::ParamsPresenter p(params::Generation::Second, {image, set, stealing, tables}, view);
  p.Form_Load();
  view.boxes[1].text = "99";
  stealing.whileBoxIsUp = [&] { p.txtParam_Validate(1); };
  stealing.ExpectBox(Answer::OK);
  p.txtParam_Validate(1);
  EXPECT_EQ(stealing.boxes.size(), 1u);
  EXPECT_EQ(view.boxes[1].text, " 30");
}

}  // namespace
