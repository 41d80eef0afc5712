#include "qt/edit_params_binding.h"

#include "params/table_editor_adapter.h"
#include "qt/frm_params.h"
#include "qt/frm_params2.h"

namespace qtui {

std::unique_ptr<params::ParamsDialog> QtParamsDialogFactory::CreateDialog(
    params::Generation generation) {
  if (generation == params::Generation::First) {
    return std::make_unique<frmParams>(host_, mainWindow_);
  }
  return std::make_unique<frmParams2>(host_, mainWindow_);
}

void EditParamsInMainWindow(app::Session& session, QWidget* mainWindow) {
  QtParamsDialogFactory dialogs(session.host, mainWindow);
  params::TableEditorAdapter tables(session.editor);
  params::EditParams(session.image, session.host, tables, dialogs);
}

}  // namespace qtui
