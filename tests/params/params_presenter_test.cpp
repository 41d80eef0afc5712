// The rules of both parameter dialogs, driven through a window-less view.
#include "params/params_presenter.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "fake_params_view.h"
#include "fakes/scripted_host.h"
#include "params/user_data.h"

namespace {

using core::Answer;
using params::EditionOption;
using params::Generation;
using params::ModeOption;
using paramstest::FakeParamsView;

std::vector<int> Range(int first, int last) {
  std::vector<int> numbers;
  for (int n = first; n <= last; ++n) numbers.push_back(n);
  return numbers;
}

class ParamsPresenterTest : public testing::Test {
 protected:
  // An image of the given edition with the dialog loaded from it.
  params::ParamsPresenter& Open(const std::string& moduleVersion, std::uint8_t modeByte = 0x01) {
    image.ModuleVersion = moduleVersion;
    image.FLASHBufferEmpty = false;
    image.EEPROMBuffer[params::kModeByte] = modeByte;
    image.EEPROMBuffer[33] = 0x05;
    image.EEPROMBuffer[17] = 0xFB;  // -5
    image.EEPROMBuffer[25] = 0x07;
    image.EEPROMBuffer[49] = 200;
    const std::string userBytes = "Tune 7 \x01";
    std::copy(userBytes.begin(), userBytes.end(), image.EEPROMBuffer.begin() + 64);
    generation = params::GenerationOf(moduleVersion);
    params::LoadParameterSet(generation, image.EEPROMBuffer, set);
    before = image;
    presenter.emplace(generation, params::ParamsContext{image, set, host, tables}, view);
    presenter->Form_Load();
    return *presenter;
  }

  core::ModuleImage image;
  core::ModuleImage before;
  params::ParameterSet set;
  fakes::ScriptedHost host;
  paramstest::FakeTableEditor tables;
  FakeParamsView view;
  Generation generation = Generation::Second;
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
  const std::vector<int> all19 = Range(1, 19);
  const std::vector<int> all9 = Range(1, 9);
  const Case cases[] = {
      {"QL2 VOSK", 0x01, EditionOption::Vosk, true, true, true, false, ModeOption::Basic, false,
       false, all19},
      {"QL2 KQ", 0x03, EditionOption::KQ, true, false, false, true, ModeOption::Basic, false, false,
       all19},
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
      {"QL2 VOSK",
       0x00,
       EditionOption::Vosk,
       true,
       true,
       true,
       false,
       ModeOption::Advanced,
       true,
       false,
       {10}},
      {"VOSK", 0x07, EditionOption::Vosk, true, true, true, true, ModeOption::Basic, false, false,
       all9},
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
    SCOPED_TRACE(std::string(c.version) + " mode " + std::to_string(c.mode));
    view = FakeParamsView();
    Open(c.version, c.mode);
    EXPECT_TRUE(view.centred);
    EXPECT_EQ(view.edition, c.edition);
    EXPECT_EQ(view.kqEnabled, c.kqEnabled);
    EXPECT_EQ(view.voskEnabled, c.voskEnabled);
    EXPECT_EQ(view.swapEnabled, c.swapEnabled);
    EXPECT_EQ(view.swapChecked, c.swapChecked);
    EXPECT_EQ(view.mode, c.shownMode);
    EXPECT_EQ(view.trimEnabled, c.trimEnabled);
    EXPECT_EQ(view.trimChecked, c.trimChecked);
    EXPECT_EQ(view.EnabledBoxes(), c.enabledBoxes);
    EXPECT_EQ(view.boxes.size(), static_cast<std::size_t>(params::ParameterCount(generation)));
    EXPECT_EQ(view.boxes[1].text, "-5");
    EXPECT_EQ(view.userData, "Tune 7 ");
    // Start-up converts nothing and touches neither the image nor the tables.
    EXPECT_EQ(image.EEPROMBuffer, before.EEPROMBuffer);
    EXPECT_EQ(image.ModuleVersion, c.version);
    EXPECT_TRUE(tables.calls.empty());
  }
}

TEST_F(ParamsPresenterTest, StartUpFillsTheBoxesOfEachGeneration) {
  Open("QL2 VOSK");
  EXPECT_EQ(view.boxes[9].text, " 7");
  EXPECT_EQ(view.boxes[11].text, " 200");
  EXPECT_EQ(view.boxes[19].text, " 0");
  view = FakeParamsView();
  Open("VOSK");
  EXPECT_EQ(view.boxes[9].text, " 7");
  EXPECT_EQ(view.boxes.count(10), 0u);
}

TEST_F(ParamsPresenterTest, ModeOptionsSwitchTheBoxesAndTheTrimSwitch) {
  auto& p = Open("QL2 VOSK", 0x01);
  p.optAdvancedMode_Click();
  EXPECT_FALSE(set.BasicMode);
  EXPECT_EQ(view.EnabledBoxes(), std::vector<int>{10});
  EXPECT_TRUE(view.trimEnabled);
  view.trimChecked = true;
  p.chkTrimEnable_Click(true);
  EXPECT_TRUE(set.TrimEnable);
  p.optAdvancedMode_Click();
  EXPECT_TRUE(set.TrimEnable) << "advanced mode keeps the trim switch";
  p.optBasicMode_Click();
  EXPECT_TRUE(set.BasicMode);
  EXPECT_FALSE(set.TrimEnable);
  EXPECT_FALSE(view.trimChecked);
  EXPECT_FALSE(view.trimEnabled);
  EXPECT_EQ(view.EnabledBoxes(), Range(1, 19));
  p.chkSwapMode_Click(true);
  EXPECT_TRUE(set.SwapMode);
  p.chkSwapMode_Click(false);
  EXPECT_FALSE(set.SwapMode);
}

TEST_F(ParamsPresenterTest, ConversionConfirmedStampsTheEditionAtOnce) {
  struct Case {
    const char* from;
    const char* to;
    std::uint8_t editionByte;
  };
  for (const Case& c : {Case{"QL2 VOSK", "QL2 KQ", 0x45}, Case{"VOSK", "KQ", 0x25}}) {
    SCOPED_TRACE(c.from);
    view = FakeParamsView();
    tables.calls.clear();
    auto& p = Open(c.from, 0x03);
    EXPECT_TRUE(view.swapChecked);
    host.ExpectBox(Answer::OK);
    view.edition = EditionOption::KQ;
    p.optKQVersion_Click();
    ASSERT_FALSE(host.boxes.empty());
    EXPECT_EQ(host.boxes.back().title, "Convert to KQ Version");
    EXPECT_EQ(host.boxes.back().text,
              "Are you sure you want to convert data to KQ version? Once you do so, \r\n"
              "you cannot convert back to the Vosk version again.");
    EXPECT_EQ(host.boxes.back().buttons, core::Buttons::OKCancel);
    EXPECT_EQ(host.boxes.back().icon, core::Icon::None);
    EXPECT_EQ(image.ModuleVersion, c.to);
    EXPECT_EQ(image.EEPROMBuffer[33], c.editionByte);
    EXPECT_FALSE(view.voskEnabled);
    EXPECT_FALSE(view.swapEnabled);
    EXPECT_FALSE(view.swapChecked);
    EXPECT_FALSE(set.SwapMode);
    EXPECT_EQ(tables.calls, (std::vector<std::string>{"CloseTbl", "Permission off"}));
    // Cancel keeps the conversion; the mode byte waits for OK.
    p.cmdCancel_Click();
    EXPECT_TRUE(view.closed);
    EXPECT_EQ(image.EEPROMBuffer[params::kModeByte], 0x03);
    EXPECT_EQ(image.ModuleVersion, c.to);
  }
}

TEST_F(ParamsPresenterTest, ConversionCancelledReselectsVoskAndChangesNothing) {
  auto& p = Open("QL2 VOSK");
  host.ExpectBox(Answer::Cancel);
  view.edition = EditionOption::KQ;
  p.optKQVersion_Click();
  EXPECT_EQ(view.edition, EditionOption::Vosk);
  EXPECT_TRUE(view.voskEnabled);
  EXPECT_TRUE(view.swapEnabled);
  EXPECT_EQ(image.ModuleVersion, "QL2 VOSK");
  EXPECT_EQ(image.EEPROMBuffer, before.EEPROMBuffer);
  EXPECT_TRUE(tables.calls.empty());
}

TEST_F(ParamsPresenterTest, JXAndKQDataAreNeverConverted) {
  auto& jx = Open("JX");
  view.edition = EditionOption::KQ;
  jx.optKQVersion_Click();  // the option is disabled; should a click arrive anyway
  EXPECT_EQ(view.edition, EditionOption::Vosk);
  EXPECT_EQ(image.ModuleVersion, "JX");
  EXPECT_EQ(image.EEPROMBuffer[33], 0x05);
  view = FakeParamsView();
  auto& kq = Open("QL2 KQ");
  kq.optKQVersion_Click();
  EXPECT_EQ(image.EEPROMBuffer[33], 0x05);
  EXPECT_TRUE(host.boxes.empty());
  EXPECT_TRUE(tables.calls.empty());
}

TEST_F(ParamsPresenterTest, RestoreDefaultsThenOKStoresModeOneAndZeros) {
  auto& p = Open("QL2 VOSK", 0x06);
  host.ExpectBox(Answer::OK);
  p.cmdRestoreDefaults_Click();
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(host.boxes[0].text, "This action will reset all Quillon parameters to default values.");
  EXPECT_EQ(host.boxes[0].title, "Restore Defaults");
  EXPECT_EQ(host.boxes[0].icon, core::Icon::Critical);
  EXPECT_EQ(view.mode, ModeOption::Basic);
  EXPECT_FALSE(view.swapChecked);
  EXPECT_FALSE(view.trimChecked);
  EXPECT_FALSE(view.trimEnabled);
  EXPECT_EQ(view.EnabledBoxes(), Range(1, 19));
  for (int n = 1; n <= 19; ++n) EXPECT_EQ(view.boxes[n].text, " 0") << n;
  EXPECT_EQ(image.EEPROMBuffer, before.EEPROMBuffer) << "defaults reach the image only with OK";
  p.cmdOK_Click();
  EXPECT_EQ(image.EEPROMBuffer[params::kModeByte], 0x01);
  for (std::size_t i = 17; i <= 25; ++i) EXPECT_EQ(image.EEPROMBuffer[i], 0) << i;
  for (std::size_t i = 49; i <= 58; ++i) EXPECT_EQ(image.EEPROMBuffer[i], 0) << i;
  EXPECT_EQ(image.EEPROMBuffer[33], 0x05);
  EXPECT_TRUE(view.closed);
}

TEST_F(ParamsPresenterTest, RestoreDefaultsRefusedOrCancelledLeavesEverything) {
  auto& p = Open("VOSK", 0x06);
  host.ExpectBox(Answer::Cancel);
  p.cmdRestoreDefaults_Click();
  EXPECT_EQ(view.mode, ModeOption::Advanced);
  EXPECT_TRUE(view.trimChecked);
  EXPECT_EQ(view.boxes[1].text, "-5");
  host.ExpectBox(Answer::OK);
  p.cmdRestoreDefaults_Click();
  p.cmdCancel_Click();
  EXPECT_EQ(image.EEPROMBuffer, before.EEPROMBuffer);
}

TEST_F(ParamsPresenterTest, LeavingABoxChecksItEvenUnchanged) {
  auto& p = Open("QL2 VOSK");
  host.ExpectBox(Answer::OK);
  p.txtParam_Validate(11);  // 200 from the image
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(host.boxes[0].text, "Value must be less than or equal to 10");
  EXPECT_EQ(host.boxes[0].title, "Parameter 11");
  EXPECT_EQ(host.boxes[0].buttons, core::Buttons::OK);
  EXPECT_EQ(host.boxes[0].icon, core::Icon::Exclamation);
  EXPECT_EQ(view.boxes[11].text, " 10");
  EXPECT_EQ(set.Param(11), 10);
  view.boxes[3].text = "-3.5";
  p.txtParam_Validate(3);
  EXPECT_EQ(view.boxes[3].text, "-4");
  EXPECT_EQ(host.boxes.size(), 1u);
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
  EXPECT_EQ(image.EEPROMBuffer[25], 10);
  EXPECT_TRUE(view.closed);
}

TEST_F(ParamsPresenterTest, OKWritesExactlyTheParameterModeAndUserDataBytes) {
  for (const char* version : {"QL2 VOSK", "VOSK"}) {
    SCOPED_TRACE(version);
    view = FakeParamsView();
    image = core::ModuleImage();
    auto& p = Open(version, 0x00);
    for (auto& [number, box] : view.boxes) box.text = "3";
    for (const auto& [number, box] : view.boxes) p.txtParam_Validate(number);
    view.userData = "New";
    p.optBasicMode_Click();
    p.chkSwapMode_Click(true);
    p.cmdOK_Click();
    std::set<std::size_t> named{params::kModeByte};
    for (const params::ParameterBox& box : params::ParameterBoxes(generation)) {
      named.insert(params::PlaceOf(generation, box.number).byte);
    }
    std::set<std::size_t> changed;
    for (std::size_t i = 0; i < image.EEPROMBuffer.size(); ++i) {
      if (image.EEPROMBuffer[i] != before.EEPROMBuffer[i]) changed.insert(i);
    }
    for (const std::size_t i : named) EXPECT_TRUE(changed.count(i)) << i;
    for (const std::size_t i : changed) {
      EXPECT_TRUE(named.count(i) || (i >= 64 && i < 96)) << "byte " << i << " changed";
    }
    EXPECT_EQ(image.EEPROMBuffer[params::kModeByte], 0x03);
    EXPECT_EQ(params::ReadUserData(image.EEPROMBuffer), "New" + std::string(29, ' '));
  }
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
  params::ParamsPresenter p(Generation::Second, {image, set, stealing, tables}, view);
  p.Form_Load();
  view.boxes[1].text = "99";
  stealing.whileBoxIsUp = [&] { p.txtParam_Validate(1); };
  stealing.ExpectBox(Answer::OK);
  p.txtParam_Validate(1);
  EXPECT_EQ(stealing.boxes.size(), 1u);
  EXPECT_EQ(view.boxes[1].text, " 30");
}

}  // namespace
