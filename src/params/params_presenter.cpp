#include "params/params_presenter.h"

#include <algorithm>
#include <optional>
#include <stdexcept>

#include "core/editions.h"
#include "core/error_prompt.h"
#include "core/regions.h"

namespace params {

namespace {

using core::Answer;
using core::Buttons;
using core::Icon;

constexpr const char* kConvertTitle = "Convert to KQ Version";
constexpr const char* kConvertQuestion =
    "Are you sure you want to convert data to KQ version? Once you do so, \r\n"
    "you cannot convert back to the Vosk version again.";
constexpr const char* kRestoreDefaultsTitle = "Restore Defaults";
constexpr const char* kRestoreDefaultsQuestion =
    "This action will reset all Quillon parameters to default values.";
// The module's own low bits of the edition byte survive the stamping.
constexpr std::uint8_t kModuleOwnedEditionBits = 0x0F;

}  // namespace

ParamsPresenter::ParamsPresenter(Generation generation, ParamsContext context, ParamsView& view)
    : generation_(generation),
      context_(context),
      view_(view),
      voskVersion_(generation == Generation::First ? core::kVersionVosk : core::kVersionQL2Vosk),
      kqVersion_(generation == Generation::First ? core::kVersionKQ : core::kVersionQL2KQ),
      kqEditionCode_(generation == Generation::First ? core::kEditionCodeKQ
                                                     : core::kEditionCodeQL2KQ) {}

const ParameterBox& ParamsPresenter::BoxOf(int number) const {
  const auto boxes = ParameterBoxes(generation_);
  const auto box = std::find_if(boxes.begin(), boxes.end(),
                                [number](const ParameterBox& b) { return b.number == number; });
  if (box == boxes.end()) throw std::out_of_range("no parameter box " + std::to_string(number));
  return *box;
}

void ParamsPresenter::SetModeBoxesEnabled(bool enabled) {
  for (const ParameterBox& box : ParameterBoxes(generation_)) {
    if (box.modeDependent) view_.SetParamBoxEnabled(box.number, enabled);
  }
}

void ParamsPresenter::ApplyBasicMode() {
  context_.set.BasicMode = true;
  SetModeBoxesEnabled(true);
  view_.SetTrimEnableEnabled(false);
  context_.set.TrimEnable = false;
  view_.SetTrimEnableChecked(false);
}

void ParamsPresenter::ApplyAdvancedMode() {
  context_.set.BasicMode = false;
  SetModeBoxesEnabled(false);
  view_.SetTrimEnableEnabled(true);
}

void ParamsPresenter::FillParamBoxes() {
  for (const ParameterBox& box : ParameterBoxes(generation_)) {
    view_.SetParamBoxText(box.number, ParameterText(context_.set.Param(box.number)));
  }
}

void ParamsPresenter::Form_Load() {
  const ParameterSet& set = context_.set;
  const std::string& version = context_.image.ModuleVersion;
  core::RunSteps(context_.host,
                 {
                     [&] { view_.CentreOnScreen(); },
                     [&] {
                       if (version == kqVersion_) {
                         view_.SelectEdition(EditionOption::KQ);
                         view_.SetEditionEnabled(EditionOption::Vosk, false);
                         view_.SetSwapModeEnabled(false);
                         view_.SetSwapModeChecked(false);
                       } else {
                         view_.SelectEdition(EditionOption::Vosk);
                         view_.SetSwapModeEnabled(true);
                         // Only Vosk data converts: JX data stamped as KQ would reopen with the
                         // wrong table size.
                         if (version != voskVersion_)
                           view_.SetEditionEnabled(EditionOption::KQ, false);
                       }
                     },
                     [&] {
                       view_.SelectMode(set.BasicMode ? ModeOption::Basic : ModeOption::Advanced);
                       SetModeBoxesEnabled(set.BasicMode);
                       view_.SetTrimEnableEnabled(!set.BasicMode);
                     },
                     [&] {
                       view_.SetSwapModeChecked(set.SwapMode);
                       view_.SetTrimEnableChecked(set.TrimEnable);
                     },
                     [&] {
                       FillParamBoxes();
                       view_.SetUserDataText(set.UserData);
                     },
                 });
}

void ParamsPresenter::optBasicMode_Click() { ApplyBasicMode(); }

void ParamsPresenter::optAdvancedMode_Click() { ApplyAdvancedMode(); }

void ParamsPresenter::chkSwapMode_Click(bool checked) { context_.set.SwapMode = checked; }

void ParamsPresenter::chkTrimEnable_Click(bool checked) { context_.set.TrimEnable = checked; }

void ParamsPresenter::optKQVersion_Click() {
  std::string& version = context_.image.ModuleVersion;
  if (version == kqVersion_) return;
  if (version != voskVersion_ ||
      context_.host.MsgBox(kConvertQuestion, kConvertTitle, Buttons::OKCancel, Icon::None) !=
          Answer::OK) {
    view_.SelectEdition(EditionOption::Vosk);
    return;
  }
  version = kqVersion_;
  view_.SetEditionEnabled(EditionOption::Vosk, false);
  view_.SetSwapModeEnabled(false);
  view_.SetSwapModeChecked(false);
  context_.set.SwapMode = false;
  std::uint8_t& edition = context_.image.EEPROMBuffer[core::kEditionByte];
  edition = static_cast<std::uint8_t>((edition & kModuleOwnedEditionBits) + kqEditionCode_);
  context_.tables.CloseTbl();
  context_.tables.SetTableEditPermission(false);
  context_.tables.StartHistoryAfresh();
}

void ParamsPresenter::cmdRestoreDefaults_Click() {
  core::Host& host = context_.host;
  bool confirmed = false;
  const core::StepOutcome asked = core::GuardedStep(host, [&] {
    confirmed = host.MsgBox(kRestoreDefaultsQuestion, kRestoreDefaultsTitle, Buttons::OKCancel,
                            Icon::Critical) == Answer::OK;
  });
  if (asked == core::StepOutcome::Aborted || !confirmed) return;
  core::RunSteps(host, {
                           [&] {
                             view_.SelectMode(ModeOption::Basic);
                             ApplyBasicMode();
                           },
                           [&] {
                             context_.set.SwapMode = false;
                             view_.SetSwapModeChecked(false);
                           },
                           [&] {
                             ApplyDefaults(generation_, context_.set);
                             FillParamBoxes();
                           },
                       });
}

void ParamsPresenter::cmdOK_Click() {
  if (const std::optional<int> focused = view_.FocusedParamBox()) txtParam_Validate(*focused);
  context_.tables.RecordChange(kParamsDialogCaption, [this] {
    StoreParameterSet(generation_, view_.UserDataText(), context_.set, context_.image.EEPROMBuffer);
  });
  view_.CloseDialog();
}

void ParamsPresenter::cmdCancel_Click() { view_.CloseDialog(); }

bool ParamsPresenter::txtParam_Validate(int number) {
  // A range message takes the focus away from the box; that must not check it again.
  if (validating_) return false;
  struct Reentry {
    bool& flag;
    explicit Reentry(bool& f) : flag(f) { flag = true; }
    ~Reentry() { flag = false; }
  } reentry(validating_);

  core::Host& host = context_.host;
  std::optional<CheckedParameter> checked;
  bool told = false;
  core::RunSteps(
      host,
      {
          [&] { checked = CheckParameterText(view_.ParamBoxText(number), *BoxOf(number).range); },
          [&] {
            if (checked && checked->message) {
              told = true;
              host.MsgBox(*checked->message, ParameterTitle(number), Buttons::OK,
                          Icon::Exclamation);
            }
          },
          [&] {
            if (!checked) return;
            context_.set.Param(number) = checked->value;
            view_.SetParamBoxText(number, checked->text);
          },
      });
  return told;
}

}  // namespace params
