// Edit Quillon Parameters: the empty-data refusal, the dialog of each generation, and
// exactly which bytes OK and Cancel leave changed in the image.
#include "params/edit_params_command.h"
#include "core/eeprom_map.h"

#include <gtest/gtest.h>

#include <set>

#include "fake_params_view.h"
#include "fakes/recording_view.h"
#include "fakes/scripted_host.h"
#include "params/table_editor_adapter.h"
#include "tables/table_editor.h"

namespace {

using core::Answer;
using params::Generation;

class ScriptedDialogs : public params::ParamsDialogFactory {
 public:
  std::unique_ptr<params::ParamsDialog> CreateDialog(Generation generation) override {
    generations.push_back(generation);
    auto dialog = std::make_unique<paramstest::FakeParamsView>();
    dialog->script = script;
    return dialog;
  }
  std::vector<Generation> generations;
  std::function<void(params::ParamsPresenter&, paramstest::FakeParamsView&)> script;
};

class EditParamsTest : public testing::Test {
 protected:
  void Load(const std::string& moduleVersion) {
    image.ModuleVersion = moduleVersion;
    image.FLASHBufferEmpty = false;
    for (std::size_t i = 0; i < 512; ++i) image.EEPROMBuffer[i] = static_cast<std::uint8_t>(i);
    image.EEPROMBuffer[core::kModeByte] = 0x02;
  }

  core::ModuleImage image;
  fakes::ScriptedHost host;
  paramstest::FakeTableEditor tables;
  ScriptedDialogs dialogs;
};

TEST_F(EditParamsTest, EmptyFLASHImageRefusesEvenWithEEPROMData) {
  image.EEPROMBufferEmpty = false;
  for (const Answer answer : {Answer::OK, Answer::Cancel}) {
    host.ExpectBox(answer);
    params::EditParams(image, host, tables, dialogs);
  }
  ASSERT_EQ(host.boxes.size(), 2u);
  EXPECT_EQ(host.boxes[0].text, "Data Buffer Empty - Nothing to Edit.");
  EXPECT_EQ(host.boxes[0].title, "Edit Quillon Parameters");
  EXPECT_EQ(host.boxes[0].buttons, core::Buttons::OKCancel);
  EXPECT_EQ(host.boxes[0].icon, core::Icon::Exclamation);
  EXPECT_TRUE(dialogs.generations.empty());
}

// Every box edited, basic mode and swap switched on, new user text: OK writes the
// parameter bytes, the mode byte and the user data field of the generation, nothing else.
TEST_F(EditParamsTest, OKWritesExactlyTheBytesOfTheGenerationsDialog) {
  const std::pair<const char*, Generation> cases[] = {
      {"VOSK", Generation::First},    {"KQ", Generation::First},  {"QL2 VOSK", Generation::Second},
      {"QL2 KQ", Generation::Second}, {"JX", Generation::Second},
  };
  dialogs.script = [](params::ParamsPresenter& p, paramstest::FakeParamsView& view) {
    for (auto& [number, box] : view.boxes) {
      box.text = "3";
      p.txtParam_Validate(number);
    }
    view.userData = "New";
    p.optBasicMode_Click();
    p.chkSwapMode_Click(true);
    p.cmdOK_Click();
  };
  for (const auto& [version, generation] : cases) {
    SCOPED_TRACE(version);
    Load(version);
    const auto before = image.EEPROMBuffer;
    dialogs.generations.clear();
    params::EditParams(image, host, tables, dialogs);
    EXPECT_EQ(dialogs.generations, std::vector<Generation>{generation});
    std::set<std::size_t> expected{core::kModeByte};
    for (int n = 1; n <= params::ParameterCount(generation); ++n) {
      expected.insert(params::PlaceOf(generation, n).byte);
    }
    for (std::size_t i = 64; i < 96; ++i) expected.insert(i);
    std::set<std::size_t> changed;
    for (std::size_t i = 0; i < before.size(); ++i) {
      if (image.EEPROMBuffer[i] != before[i]) changed.insert(i);
    }
    EXPECT_EQ(changed, expected);
    EXPECT_EQ(image.EEPROMBuffer[core::kModeByte], 0x03);
    EXPECT_EQ(image.ModuleVersion, version);
  }
}

TEST_F(EditParamsTest, CancelLeavesTheImageAndTheNextOpeningReloads) {
  Load("QL2 VOSK");
  const auto before = image.EEPROMBuffer;
  for (int opening = 0; opening < 2; ++opening) {
    dialogs.script = [](params::ParamsPresenter& p, paramstest::FakeParamsView& view) {
      EXPECT_EQ(view.boxes[10].text, " 58");
      view.boxes[10].text = "4";
      p.txtParam_Validate(10);
      p.cmdCancel_Click();
    };
    params::EditParams(image, host, tables, dialogs);
  }
  EXPECT_EQ(image.EEPROMBuffer, before);
}

TEST_F(EditParamsTest, ConversionMakesTheMainWindowsTablesReadOnly) {
  fakes::RecordingView view;
  core::WindowState window(view);
  tables::TableEditor editor(image, window, host, ".");
  editor.SetTableEditPermission(true);
  params::TableEditorAdapter adapter(editor);
  Load("QL2 VOSK");
  dialogs.script = [](params::ParamsPresenter& p, paramstest::FakeParamsView&) {
    p.optKQVersion_Click();
    p.cmdCancel_Click();
  };
  host.ExpectBox(Answer::OK);
  params::EditParams(image, host, adapter, dialogs);
  EXPECT_FALSE(editor.TableEditPermission());
  EXPECT_EQ(image.ModuleVersion, "QL2 KQ");
  EXPECT_EQ(image.EEPROMBuffer[33], 0x41);
}

}  // namespace
