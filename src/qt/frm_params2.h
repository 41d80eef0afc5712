// The parameter dialog of second-generation modules: 19 parameters in a fuel and a
// retard frame.
#pragma once

#include "qt/params_dialog.h"

namespace qtui {

class frmParams2 : public ParamsDialogBase {
  Q_OBJECT

 public:
  explicit frmParams2(core::Host& host, QWidget* parent = nullptr);
};

}  // namespace qtui
