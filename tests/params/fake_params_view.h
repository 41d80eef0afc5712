// A parameter dialog without windows: it keeps the state the logic gives each control,
// lets a test act as the user, and runs a scripted session when shown modally.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "params/edit_params_command.h"

namespace paramstest {

struct ParamBox {
  bool enabled = true;
  std::string text;
};

class FakeParamsView : public params::ParamsDialog {
 public:
  // Design state: KQ and basic mode selected, both switches clear, everything enabled.
  params::EditionOption edition = params::EditionOption::KQ;
  params::ModeOption mode = params::ModeOption::Basic;
  bool kqEnabled = true, voskEnabled = true;
  bool swapEnabled = true, swapChecked = false, trimEnabled = true, trimChecked = false;
  std::map<int, ParamBox> boxes;
  std::string userData;
  std::optional<int> focused;
  bool centred = false, closed = false;
  std::function<void(params::ParamsPresenter&, FakeParamsView&)> script;

  void CentreOnScreen() override { centred = true; }
  void SelectEdition(params::EditionOption option) override { edition = option; }
  void SetEditionEnabled(params::EditionOption option, bool enabled) override {
    (option == params::EditionOption::KQ ? kqEnabled : voskEnabled) = enabled;
  }
  void SelectMode(params::ModeOption option) override { mode = option; }
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

}  // namespace paramstest
