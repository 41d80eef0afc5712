#include "qt/frm_params.h"

#include <QGridLayout>
#include <QGroupBox>

#include "params/parameter_check.h"

namespace qtui {

namespace {
constexpr int kAccelEnrichmentBox = 9;
}  // namespace

frmParams::frmParams(core::Host& host, QWidget* parent) : ParamsDialogBase(host, parent) {
  setObjectName(QStringLiteral("frmParams"));
  auto* grid = new QGridLayout;
  // No sub-frames here: the nine boxes sit in the parameters frame itself.
  auto* holder = new QWidget(parametersFrame());
  grid->setContentsMargins(0, 0, 0, 0);
  holder->setLayout(grid);
  for (int number = 1; number <= kAccelEnrichmentBox; ++number) {
    AddParamBox(grid, number,
                number == kAccelEnrichmentBox
                    ? QStringLiteral("Parameter 9 (Acceleration Enrichment)")
                    : QString::fromStdString(params::ParameterTitle(number)));
  }
  auto* area = new QGridLayout;
  area->addWidget(holder, 0, 0, Qt::AlignLeft | Qt::AlignTop);
  ShowParamToolTips(params::Generation::First);
  FinishLayout(area);
}

}  // namespace qtui
