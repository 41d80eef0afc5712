#include "qt/frm_params2.h"

#include <QGridLayout>
#include <QGroupBox>

#include "params/parameter_map.h"
#include "qt/qt_text.h"

namespace qtui {

frmParams2::frmParams2(core::Host& host, QWidget* parent) : ParamsDialogBase(host, parent) {
  setObjectName(QStringLiteral("frmParams2"));
  auto* fuelFrame = new QGroupBox(QStringLiteral("Fuel Parameters"), parametersFrame());
  fuelFrame->setObjectName(QStringLiteral("frmFuelParams"));
  auto* fuelGrid = new QGridLayout(fuelFrame);
  constexpr params::Generation kGeneration = params::Generation::Second;
  const int count = params::ParameterCount(kGeneration);
  // The fuel frame holds the fuel parameters and the acceleration enrichment after them.
  const int lastFuelBox = params::AccelEnrichmentParameter(kGeneration);
  for (int number = 1; number <= lastFuelBox; ++number) {
    AddParamBox(fuelGrid, number, ToQString(params::ParameterCaption(kGeneration, number)));
  }
  auto* retardFrame = new QGroupBox(QStringLiteral("Retard Parameters"), parametersFrame());
  retardFrame->setObjectName(QStringLiteral("Frame1"));
  auto* retardGrid = new QGridLayout(retardFrame);
  for (int number = lastFuelBox + 1; number <= count; ++number) {
    AddParamBox(retardGrid, number, ToQString(params::ParameterCaption(kGeneration, number)));
  }
  retardGrid->setRowStretch(retardGrid->rowCount(), 1);

  auto* area = new QGridLayout;
  area->addWidget(fuelFrame, 0, 0, Qt::AlignTop);
  area->addWidget(retardFrame, 0, 1, Qt::AlignTop);
  ShowParamToolTips(params::Generation::Second);
  FinishLayout(area);
}

}  // namespace qtui
