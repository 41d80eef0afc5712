#include "qt/frm_params.h"

#include <QGridLayout>
#include <QGroupBox>

#include "params/parameter_map.h"
#include "qt/qt_text.h"

namespace qtui {

frmParams::frmParams(core::Host& host, QWidget* parent) : ParamsDialogBase(host, parent) {
  setObjectName(QStringLiteral("frmParams"));
  auto* grid = new QGridLayout;
  // No sub-frames here: the nine boxes sit in the parameters frame itself.
  auto* holder = new QWidget(parametersFrame());
  grid->setContentsMargins(0, 0, 0, 0);
  holder->setLayout(grid);
  constexpr params::Generation kGeneration = params::Generation::First;
  for (int number = 1; number <= params::ParameterCount(kGeneration); ++number) {
    AddParamBox(grid, number, ToQString(params::ParameterCaption(kGeneration, number)));
  }
  auto* area = new QGridLayout;
  area->addWidget(holder, 0, 0, Qt::AlignLeft | Qt::AlignTop);
  ShowParamToolTips(params::Generation::First);
  FinishLayout(area);
}

}  // namespace qtui
