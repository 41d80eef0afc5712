#include "qt/frm_params2.h"

#include <QGridLayout>
#include <QGroupBox>

#include "params/parameter_check.h"

namespace qtui {

namespace {
constexpr int kLastFuelBox = 10;
constexpr int kAccelEnrichmentBox = 10;
constexpr int kLastRetardBox = 19;
}  // namespace

frmParams2::frmParams2(core::Host& host, QWidget* parent) : ParamsDialogBase(host, parent) {
  setObjectName(QStringLiteral("frmParams2"));
  auto* fuelFrame = new QGroupBox(QStringLiteral("Fuel Parameters"), parametersFrame());
  fuelFrame->setObjectName(QStringLiteral("frmFuelParams"));
  auto* fuelGrid = new QGridLayout(fuelFrame);
  for (int number = 1; number <= kLastFuelBox; ++number) {
    AddParamBox(fuelGrid, number,
                number == kAccelEnrichmentBox
                    ? QStringLiteral("Parameter 10 (Accel Enrichment)")
                    : QString::fromStdString(params::ParameterTitle(number)));
  }
  auto* retardFrame = new QGroupBox(QStringLiteral("Retard Parameters"), parametersFrame());
  retardFrame->setObjectName(QStringLiteral("Frame1"));
  auto* retardGrid = new QGridLayout(retardFrame);
  for (int number = kLastFuelBox + 1; number <= kLastRetardBox; ++number) {
    AddParamBox(retardGrid, number, QString::fromStdString(params::ParameterTitle(number)));
  }
  retardGrid->setRowStretch(retardGrid->rowCount(), 1);

  auto* area = new QGridLayout;
  area->addWidget(fuelFrame, 0, 0, Qt::AlignTop);
  area->addWidget(retardFrame, 0, 1, Qt::AlignTop);
  ShowParamToolTips(params::Generation::Second);
  FinishLayout(area);
}

}  // namespace qtui
