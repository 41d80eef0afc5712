// The parameter dialog of first-generation modules: 9 parameters, the last of them the
// acceleration enrichment.
#pragma once

#include "qt/params_dialog.h"

namespace qtui {

class frmParams : public ParamsDialogBase {
  Q_OBJECT

 public:
  explicit frmParams(core::Host& host, QWidget* parent = nullptr);
};

}  // namespace qtui
