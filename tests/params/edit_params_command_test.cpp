// Edit Quillon Parameters: the empty-data refusal, the dialog of each generation, and
// what OK and Cancel leave in the image.
#include "params/edit_params_command.h"

#include <gtest/gtest.h>

#include "fake_params_view.h"
#include "fakes/scripted_host.h"
#include "params/table_editor_adapter.h"
#include "params/user_data.h"
#include "tables/table_editor.h"

namespace {

using core::Answer;
using params::Generation;

class RecordingFactory : public params::ParamsDialogFactory {
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
    image.EEPROMBufferEmpty = false;
    for (std::size_t i = 16; i < 96; ++i) image.EEPROMBuffer[i] = static_cast<std::uint8_t>(i);
    image.EEPROMBuffer[params::kModeByte] = 0x02;
  }

  core::ModuleImage image;
  fakes::ScriptedHost host;
  paramstest::FakeTableEditor tables;
  RecordingFactory dialogs;
};

TEST_F(EditParamsTest, EmptyFLASHImageRefusesEvenWithEEPROMData) {
  for (const Answer answer : {Answer::OK, Answer::Cancel}) {
    image.EEPROMBufferEmpty = false;
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

TEST_F(EditParamsTest, EachEditionOpensItsGenerationsDialog) {
  const std::pair<const char*, Generation> cases[] = {
      {"VOSK", Generation::First},    {"KQ", Generation::First},  {"QL2 VOSK", Generation::Second},
      {"QL2 KQ", Generation::Second}, {"JX", Generation::Second}, {"vosk", Generation::Second},
  };
  for (const auto& [version, generation] : cases) {
    Load(version);
    dialogs.generations.clear();
    params::EditParams(image, host, tables, dialogs);
    EXPECT_EQ(dialogs.generations, std::vector<Generation>{generation}) << version;
  }
}

TEST_F(EditParamsTest, OKStoresAndCancelLeavesTheImage) {
  Load("QL2 VOSK");
  const auto before = image.EEPROMBuffer;
  dialogs.script = [](params::ParamsPresenter& p, paramstest::FakeParamsView& view) {
    view.boxes[10].text = "4";
    p.txtParam_Validate(10);
    p.cmdCancel_Click();
  };
  params::EditParams(image, host, tables, dialogs);
  EXPECT_EQ(image.EEPROMBuffer, before);

  dialogs.script = [](params::ParamsPresenter& p, paramstest::FakeParamsView& view) {
    EXPECT_EQ(view.boxes[10].text, " 58") << "a cancelled edit is not carried into the next";
    view.boxes[10].text = "4";
    p.txtParam_Validate(10);
    p.cmdOK_Click();
  };
  params::EditParams(image, host, tables, dialogs);
  EXPECT_EQ(image.EEPROMBuffer[58], 4);
}

TEST_F(EditParamsTest, FirstGenerationOKLeavesTheSecondGenerationBytes) {
  Load("KQ");
  const auto before = image.EEPROMBuffer;
  dialogs.script = [](params::ParamsPresenter& p, paramstest::FakeParamsView& view) {
    EXPECT_EQ(view.edition, params::EditionOption::KQ);
    EXPECT_FALSE(view.voskEnabled);
    p.cmdOK_Click();
  };
  params::EditParams(image, host, tables, dialogs);
  for (std::size_t i = 49; i <= 58; ++i) EXPECT_EQ(image.EEPROMBuffer[i], before[i]) << i;
  EXPECT_EQ(image.EEPROMBuffer[33], before[33]);
  EXPECT_EQ(image.ModuleVersion, "KQ");
}

TEST_F(EditParamsTest, ConversionMakesTheMainWindowsTablesReadOnly) {
  class NoWindow : public core::WindowView {
    void SetCaption(const std::string&) override {}
    void SetRetardTableCommandVisible(bool) override {}
  } view;
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
  EXPECT_EQ(image.EEPROMBuffer[33] & 0xF0, 0x40);
}

}  // namespace
