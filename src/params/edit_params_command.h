// Edit Quillon Parameters (mnuEditParams): loads the working set for the data's
// generation and opens that generation's dialog modally.
#pragma once

#include <memory>

#include "core/host.h"
#include "core/module_image.h"
#include "params/params_presenter.h"
#include "params/params_view.h"
#include "params/table_editor_control.h"

namespace params {

inline constexpr const char* kNothingToEdit = "Data Buffer Empty - Nothing to Edit.";

// A parameter dialog window as the command opens it.
class ParamsDialog : public ParamsView {
 public:
  // Shows the dialog modally and hands the user's actions to the presenter until the
  // dialog closes.
  virtual void ShowModal(ParamsPresenter& presenter) = 0;
};

class ParamsDialogFactory {
 public:
  virtual ~ParamsDialogFactory() = default;
  // frmParams for the first generation, frmParams2 for the second.
  virtual std::unique_ptr<ParamsDialog> CreateDialog(Generation generation) = 0;
};

// mnuEditParams_Click. Refuses when the FLASH image is empty, whatever the EEPROM image
// holds: the parameters belong to a tune, and the tune is in FLASH.
void EditParams(core::ModuleImage& image, core::Host& host, TableEditorControl& tables,
                ParamsDialogFactory& dialogs);

}  // namespace params
