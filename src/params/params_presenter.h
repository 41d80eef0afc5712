// The rules of both parameter dialogs over a ParamsView: start-up, the mode options and
// check boxes, the one-way conversion to the KQ edition, Restore Defaults, the check of
// each parameter box, OK and Cancel.
#pragma once

#include <string_view>

#include "core/host.h"
#include "core/module_image.h"
#include "params/parameter_check.h"
#include "params/parameter_set.h"
#include "params/params_view.h"
#include "params/table_editor_control.h"

namespace params {

inline constexpr const char* kParamsDialogCaption = "Edit Quillon Parameters";

// What a dialog works on while it is open.
struct ParamsContext {
  core::ModuleImage& image;
  ParameterSet& set;
  core::Host& host;
  TableEditorControl& tables;
};

class ParamsPresenter {
 public:
  ParamsPresenter(Generation generation, ParamsContext context, ParamsView& view);

  Generation generation() const { return generation_; }

  void Form_Load();
  void optBasicMode_Click();
  void optAdvancedMode_Click();
  void chkSwapMode_Click(bool checked);
  void chkTrimEnable_Click(bool checked);
  // ConvertToKQ: offered for the generation's Vosk data only.
  void optKQVersion_Click();
  void cmdRestoreDefaults_Click();
  // Checks the box that still holds the focus, then stores the set and closes.
  void cmdOK_Click();
  void cmdCancel_Click();
  // Runs when the focus leaves a parameter box; a check never starts inside another.
  // True when a range message was shown (the control the user was moving to did not see
  // the rest of that click).
  bool txtParam_Validate(int number);

 private:
  const ParameterBox& BoxOf(int number) const;
  void SetModeBoxesEnabled(bool enabled);
  void ApplyBasicMode();
  void ApplyAdvancedMode();
  void FillParamBoxes();

  Generation generation_;
  ParamsContext context_;
  ParamsView& view_;
  std::string_view voskVersion_;
  std::string_view kqVersion_;
  std::uint8_t kqEditionCode_;
  bool validating_ = false;
};

}  // namespace params
