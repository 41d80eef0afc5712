#include "params/edit_params_command.h"

#include "core/error_prompt.h"
#include "params/parameter_set.h"

namespace params {

void EditParams(core::ModuleImage& image, core::Host& host, TableEditorControl& tables,
                ParamsDialogFactory& dialogs) {
  bool empty = true;
  const core::StepOutcome checked = core::GuardedStep(host, [&] {
    empty = image.FLASHBufferEmpty;
    if (empty) {
      host.MsgBox(kNothingToEdit, kParamsDialogCaption, core::Buttons::OKCancel,
                  core::Icon::Exclamation);
    }
  });
  if (checked == core::StepOutcome::Aborted || empty) return;

  // Refilled on every opening, so what a cancelled dialog changed is gone.
  ParameterSet set;
  Generation generation = Generation::Second;
  core::RunSteps(
      host, {
                [&] { generation = GenerationOf(image.ModuleVersion); },
                [&] { LoadParameterSet(generation, image.EEPROMBuffer, set); },
                [&] {
                  const std::unique_ptr<ParamsDialog> dialog = dialogs.CreateDialog(generation);
                  ParamsPresenter presenter(generation, {image, set, host, tables}, *dialog);
                  presenter.Form_Load();
                  dialog->ShowModal(presenter);
                },
            });
}

}  // namespace params
