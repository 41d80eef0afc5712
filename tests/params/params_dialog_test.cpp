// Edit Quillon Parameters: the rules of both parameter dialogs, driven through a
// window-less view, the empty-data refusal, exactly which bytes OK changes in the image and
// that Cancel changes none.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/eeprom_map.h"
#include "fakes/scripted_host.h"
#include "params/edit_params_command.h"
#include "params/params_presenter.h"

namespace {

using core::Answer;
using params::EditionOption;
using params::Generation;
using params::ModeOption;
using Box = fakes::MessageBoxRecord;

// A parameter dialog without windows: it keeps the state the logic gives each control,
// lets a test act as the user, and runs a scripted session when shown modally.
struct ParamBox {
  bool enabled = true;
  std::string text;
};

class FakeParamsView : public params::ParamsDialog {
 public:
  // Design state: KQ and basic mode selected, both switches clear, everything enabled.
  EditionOption edition = EditionOption::KQ;
  ModeOption mode = ModeOption::Basic;
  bool kqEnabled = true, voskEnabled = true;
  bool swapEnabled = true, swapChecked = false, trimEnabled = true, trimChecked = false;
  std::map<int, ParamBox> boxes;
  std::string userData;
  std::optional<int> focused;
  bool closed = false;
  std::function<void(params::ParamsPresenter&, FakeParamsView&)> script;

  void CentreOnScreen() override {}
  void SelectEdition(EditionOption option) override { edition = option; }
  void SetEditionEnabled(EditionOption option, bool enabled) override {
    (option == EditionOption::KQ ? kqEnabled : voskEnabled) = enabled;
  }
  void SelectMode(ModeOption option) override { mode = option; }
  void SetSwapModeEnabled(bool enabled) override { swapEnabled = enabled; }
  void SetSwapModeChecked(bool checked) override { swapChecked = checked; }
  void SetTrimEnableEnabled(bool enabled) override { trimEnabled = enabled; }
  void SetTrimEnableChecked(bool checked) override { trimChecked = checked; }
  void SetParamBoxEnabled(int number, bool enabled) override { boxes[number].enabled = enabled; }
  void SetParamBoxText(int number, const std::string& text) override { boxes[number].text = text; }
  std::string ParamBoxText(int number) const override { return boxes.at(number).text; }
  std::optional<int> FocusedParamBox() const override { return focused; }
  void SetUserDataText(const std::string& text) override { userData = text; }
  std::string UserDataText() const override { return userData; }
  void CloseDialog() override { closed = true; }
  void ShowModal(params::ParamsPresenter& presenter) override {
    if (script) script(presenter, *this);
  }

  // The switches as six letters, '-' where off: KQ and Vosk options enabled, swap mode
  // enabled and checked, trim enabled and checked ("KVSsTt").
  std::string Switches() const {
    std::string shown = "KVSsTt";
    const bool on[] = {kqEnabled, voskEnabled, swapEnabled, swapChecked, trimEnabled, trimChecked};
    for (std::size_t i = 0; i < shown.size(); ++i) shown[i] = on[i] ? shown[i] : '-';
    return shown;
  }
  std::vector<int> EnabledBoxes() const {
    std::vector<int> numbers;
    for (const auto& [number, box] : boxes) {
      if (box.enabled) numbers.push_back(number);
    }
    return numbers;
  }
};

class FakeTableEditor : public params::TableEditorControl {
 public:
  void CloseTbl() override { calls.push_back("CloseTbl"); }
  void SetTableEditPermission(bool editable) override {
    calls.push_back(editable ? "Permission on" : "Permission off");
  }
  void RecordChange(std::string_view name, const std::function<void()>& change) override {
    calls.push_back("Step " + std::string(name));
    change();
  }
  void StartHistoryAfresh() override { calls.push_back("History afresh"); }
  std::vector<std::string> calls;
};

// Hands out fake dialogs that run the script when shown.
class ScriptedDialogs : public params::ParamsDialogFactory {
 public:
  std::unique_ptr<params::ParamsDialog> CreateDialog(Generation generation) override {
    generations.push_back(generation);
    auto dialog = std::make_unique<FakeParamsView>();
    dialog->script = script;
    return dialog;
  }
  std::vector<Generation> generations;
  std::function<void(params::ParamsPresenter&, FakeParamsView&)> script;
};

class ParamsDialogTest : public testing::Test {
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
    const Generation generation = params::GenerationOf(moduleVersion);
    params::LoadParameterSet(generation, image.EEPROMBuffer, set);
    before = image;
    view = FakeParamsView();
    tables.calls.clear();
    host.boxes.clear();
    presenter.emplace(generation, params::ParamsContext{image, set, host, tables}, view);
    presenter->Form_Load();
    return *presenter;
  }

  core::ModuleImage image;
  core::ModuleImage before;
  params::ParameterSet set;
  fakes::ScriptedHost host;
  FakeTableEditor tables;
  FakeParamsView view;
  std::optional<params::ParamsPresenter> presenter;
  ScriptedDialogs dialogs;
};

TEST_F(ParamsDialogTest, StartUpForEachEditionAndMode) {
  const struct {
    const char* version;
    std::uint8_t mode;
    EditionOption edition;
    const char* switches;
    std::vector<int> enabledBoxes;  // in advanced mode: the enrichment box only
  } cases[] = {
      {"JX", 0x06, EditionOption::Vosk, "-VSsTt", {10}},
      {"KQ", 0x04, EditionOption::KQ, "K---Tt", {9}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.version);
    Open(c.version, c.mode);
    EXPECT_EQ(view.edition, c.edition);
    EXPECT_EQ(view.Switches(), c.switches);
    EXPECT_EQ(view.mode, ModeOption::Advanced);
    EXPECT_EQ(view.EnabledBoxes(), c.enabledBoxes);
    EXPECT_EQ(view.boxes[1].text, "-5");
    EXPECT_EQ(view.boxes.size() == 19 ? view.boxes[11].text : " 200", " 200");
    EXPECT_EQ(view.userData, "T");
    EXPECT_EQ(image.EEPROMBuffer, before.EEPROMBuffer);
    EXPECT_TRUE(tables.calls.empty()) << "start-up leaves an open table open";
  }
}

TEST_F(ParamsDialogTest, ModeOptionsSwitchTheBoxesAndTheTrimSwitch) {
  auto& p = Open("QL2 VOSK", 0x01);
  p.optAdvancedMode_Click();
  p.chkTrimEnable_Click(true);
  EXPECT_TRUE(!set.BasicMode && set.TrimEnable);
  EXPECT_EQ(view.EnabledBoxes(), std::vector<int>{10});
  EXPECT_TRUE(view.trimEnabled);
  view.trimChecked = true;
  p.optBasicMode_Click();
  EXPECT_TRUE(set.BasicMode && !set.TrimEnable);
  EXPECT_FALSE(view.trimChecked || view.trimEnabled);
  EXPECT_EQ(view.EnabledBoxes().size(), 19u);
}

TEST_F(ParamsDialogTest, ConversionToKQ) {
  const struct {
    const char* from;
    std::optional<Answer> confirmation;
    const char* to;
    std::uint8_t editionByte;
  } cases[] = {
      {"QL2 VOSK", Answer::OK, "QL2 KQ", 0x45},
      {"VOSK", Answer::OK, "KQ", 0x25},
      {"QL2 VOSK", Answer::Cancel, "QL2 VOSK", 0x05},
      {"JX", std::nullopt, "JX", 0x05},  // should a click arrive anyway
  };
  const Box confirm{
      "Are you sure you want to convert data to KQ version? Once you do so, \r\n"
      "you cannot convert back to the Vosk version again.",
      "Convert to KQ Version", core::Buttons::OKCancel, core::Icon::None};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.from) + (c.confirmation == Answer::Cancel ? " cancelled" : ""));
    auto& p = Open(c.from, 0x03);
    if (c.confirmation) host.ExpectBox(*c.confirmation);
    view.edition = EditionOption::KQ;
    p.optKQVersion_Click();
    const bool converted = c.editionByte != 0x05;
    EXPECT_EQ(image.ModuleVersion, c.to);
    EXPECT_EQ(image.EEPROMBuffer[33], c.editionByte);
    EXPECT_EQ(view.edition, converted ? EditionOption::KQ : EditionOption::Vosk);
    EXPECT_EQ(set.SwapMode, !converted);
    EXPECT_EQ(host.boxes, c.confirmation ? std::vector<Box>{confirm} : std::vector<Box>{});
    if (converted) {
      EXPECT_EQ(view.Switches(), "K-----");
      EXPECT_EQ(tables.calls,
                (std::vector<std::string>{"CloseTbl", "Permission off", "History afresh"}));
      // Cancelling the dialog keeps the conversion; the mode byte waits for OK.
      p.cmdCancel_Click();
      EXPECT_EQ(image.EEPROMBuffer[core::kModeByte], 0x03);
    } else {
      EXPECT_TRUE(tables.calls.empty());
    }
  }
}

TEST_F(ParamsDialogTest, RestoreDefaultsReachesTheImageOnlyWithOK) {
  for (const Answer answer : {Answer::Cancel, Answer::OK}) {
    auto& p = Open("QL2 VOSK", 0x06);
    host.ExpectBox(answer);
    p.cmdRestoreDefaults_Click();
    EXPECT_EQ(
        host.boxes,
        (std::vector<Box>{{"This action will reset all Quillon parameters to default values.",
                           "Restore Defaults", core::Buttons::OKCancel, core::Icon::Critical}}));
    EXPECT_EQ(view.mode, answer == Answer::OK ? ModeOption::Basic : ModeOption::Advanced);
    EXPECT_EQ(view.swapChecked, answer != Answer::OK);
    EXPECT_EQ(view.boxes[1].text, answer == Answer::OK ? " 0" : "-5");
    if (answer == Answer::Cancel) {
      p.cmdCancel_Click();
      EXPECT_EQ(image.EEPROMBuffer, before.EEPROMBuffer);
    }
  }
  presenter->cmdOK_Click();
  EXPECT_EQ(image.EEPROMBuffer[core::kModeByte], 0x01);
  for (const std::size_t i : {17, 25, 49, 58}) EXPECT_EQ(image.EEPROMBuffer[i], 0) << i;
  EXPECT_TRUE(view.closed);
}

TEST_F(ParamsDialogTest, OKChecksTheBoxThatStillHoldsTheFocus) {
  auto& p = Open("VOSK");
  view.boxes[9].text = "12";
  view.focused = 9;
  host.ExpectBox(Answer::OK);
  p.cmdOK_Click();
  EXPECT_EQ(host.boxes, (std::vector<Box>{{"Value must be less than or equal to 10", "Parameter 9",
                                           core::Buttons::OK, core::Icon::Exclamation}}));
  EXPECT_EQ(image.EEPROMBuffer[25], 10);
  EXPECT_TRUE(view.closed);
  // The whole OK is one step of the editing history.
  EXPECT_EQ(tables.calls, (std::vector<std::string>{"Step Edit Quillon Parameters"}));
}

// A range message moves the focus, and the toolkit may report that as leaving the box.
TEST_F(ParamsDialogTest, ARangeMessageDoesNotCheckItsBoxAgain) {
  auto& p = Open("QL2 VOSK");
  view.boxes[1].text = "99";
  host.whileBoxIsUp = [&] { p.txtParam_Validate(1); };
  host.ExpectBox(Answer::OK);
  p.txtParam_Validate(1);
  EXPECT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(view.boxes[1].text, " 30");
}

TEST_F(ParamsDialogTest, EmptyFLASHImageRefusesEvenWithEEPROMData) {
  image.EEPROMBufferEmpty = false;
  host.ExpectBox(Answer::Cancel);
  params::EditParams(image, host, tables, dialogs);
  EXPECT_EQ(host.boxes,
            (std::vector<Box>{{"Data Buffer Empty - Nothing to Edit.", "Edit Quillon Parameters",
                               core::Buttons::OKCancel, core::Icon::Exclamation}}));
  EXPECT_TRUE(dialogs.generations.empty());
}

// Every box edited, basic mode and swap switched on, new user text: OK writes the
// parameter bytes, the mode byte and the user data field of the generation, nothing else.
TEST_F(ParamsDialogTest, OKWritesExactlyTheBytesOfTheGenerationsDialog) {
  // One edition of each generation; the other editions are opened by the start-up test.
  const std::pair<const char*, Generation> cases[] = {{"VOSK", Generation::First},
                                                      {"QL2 KQ", Generation::Second}};
  dialogs.script = [](params::ParamsPresenter& p, FakeParamsView& dialog) {
    for (auto& [number, box] : dialog.boxes) {
      box.text = "3";
      p.txtParam_Validate(number);
    }
    dialog.userData = "New";
    p.optBasicMode_Click();
    p.chkSwapMode_Click(true);
    p.cmdOK_Click();
  };
  for (const auto& [version, generation] : cases) {
    SCOPED_TRACE(version);
    // Each EEPROM byte its own offset, so that any byte written shows.
    image.ModuleVersion = version;
    image.FLASHBufferEmpty = false;
    for (std::size_t i = 0; i < 512; ++i) image.EEPROMBuffer[i] = static_cast<std::uint8_t>(i);
    image.EEPROMBuffer[core::kModeByte] = 0x02;
    before = image;
    dialogs.generations.clear();
    params::EditParams(image, host, tables, dialogs);
    EXPECT_EQ(dialogs.generations, std::vector<Generation>{generation});
    std::set<std::size_t> expected{core::kModeByte};
    for (int n = 1; n <= params::ParameterCount(generation); ++n) {
      expected.insert(params::PlaceOf(generation, n).byte);
    }
    for (std::size_t i = 64; i < 96; ++i) expected.insert(i);
    std::set<std::size_t> changed;
    for (std::size_t i = 0; i < image.EEPROMBuffer.size(); ++i) {
      if (image.EEPROMBuffer[i] != before.EEPROMBuffer[i]) changed.insert(i);
    }
    EXPECT_EQ(changed, expected);
    EXPECT_EQ(image.EEPROMBuffer[core::kModeByte], 0x03);
  }
}

}  // namespace
