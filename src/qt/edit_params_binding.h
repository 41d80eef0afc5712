// The Edit Quillon Parameters command of the main window with the Qt dialogs.
#pragma once

#include <QPointer>
#include <memory>

#include "app/session.h"
#include "params/edit_params_command.h"

class QWidget;

namespace qtui {

// Creates frmParams or frmParams2 over the main window.
class QtParamsDialogFactory : public params::ParamsDialogFactory {
 public:
  QtParamsDialogFactory(core::Host& host, QWidget* mainWindow)
      : host_(host), mainWindow_(mainWindow) {}
  std::unique_ptr<params::ParamsDialog> CreateDialog(params::Generation generation) override;

 private:
  core::Host& host_;
  QPointer<QWidget> mainWindow_;
};

// mnuEditParams_Click.
void EditParamsInMainWindow(app::Session& session, QWidget* mainWindow);

}  // namespace qtui
