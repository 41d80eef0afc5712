#include "qt/chart_snapshot.h"

#include <QtDataVisualization/qutils.h>
#include <QLinearGradient>
#include <QtDataVisualization/Q3DCamera>
#include <QtDataVisualization/Q3DScene>
#include <QtDataVisualization/Q3DSurface>
#include <QtDataVisualization/Q3DTheme>
#include <QtDataVisualization/QSurface3DSeries>
#include <QtDataVisualization/QSurfaceDataProxy>
#include <QtDataVisualization/QValue3DAxis>

#include "qt/qt_text.h"
#include "tables/chart.h"

namespace qtui {

namespace {

void SetAxis(QValue3DAxis* axis, const tables::ChartAxis& from) {
  axis->setTitle(ToQString(from.title));
  axis->setTitleVisible(true);
  axis->setRange(static_cast<float>(from.min), static_cast<float>(from.max));
}

float Position(const std::vector<double>& positions, int index) {
  const auto at = static_cast<std::size_t>(index - 1);
  return static_cast<float>(at < positions.size() ? positions[at] : index);
}

QSurfaceDataArray* SurfaceRows(const tables::ChartValues& values, float floor) {
  auto* rows = new QSurfaceDataArray();
  rows->reserve(values.Rows());
  for (int r = 1; r <= values.Rows(); ++r) {
    auto* row = new QSurfaceDataRow(values.Cols());
    for (int c = 1; c <= values.Cols(); ++c) {
      const double height = values.At(r, c);
      // The surface has no holes; a hole point takes the floor of the value axis.
      const float y = height == tables::kChartHoleValue ? floor : static_cast<float>(height);
      (*row)[c - 1].setPosition(
          QVector3D(Position(values.columnPositions, c), y, Position(values.rowPositions, r)));
    }
    rows->append(row);
  }
  return rows;
}

}  // namespace

ChartSnapshot::ChartSnapshot(const tables::ChartTemplate& chartTemplate,
                             const tables::ChartValues& values) {
  QSurfaceFormat format = qDefaultSurfaceFormat(false);
  auto graph = std::make_unique<Q3DSurface>(&format);
  // Without a GL context adding a series would crash.
  if (!graph->hasContext()) return;
  graph->setShadowQuality(QAbstract3DGraph::ShadowQualityNone);
  SetAxis(graph->axisX(), chartTemplate.tpsAxis);
  SetAxis(graph->axisZ(), chartTemplate.rpmAxis);
  SetAxis(graph->axisY(), chartTemplate.valueAxis);
  graph->axisX()->setLabelFormat(QStringLiteral("%.0f"));
  graph->axisZ()->setLabelFormat(QStringLiteral("%.0f"));
  auto* series = new QSurface3DSeries();
  series->setDrawMode(QSurface3DSeries::DrawSurfaceAndWireframe);
  series->setFlatShadingEnabled(false);
  QLinearGradient gradient;
  for (const tables::GradientStop& stop : chartTemplate.gradient) {
    gradient.setColorAt(stop.position,
                        QColor(stop.colour.red, stop.colour.green, stop.colour.blue));
  }
  series->setBaseGradient(gradient);
  series->setColorStyle(Q3DTheme::ColorStyleRangeGradient);
  series->setName(ToQString(chartTemplate.title));
  series->dataProxy()->resetArray(SurfaceRows(values, graph->axisY()->min()));
  graph->addSeries(series);
  graph->scene()->activeCamera()->setCameraPosition(
      static_cast<float>(chartTemplate.cameraHorizontal),
      static_cast<float>(chartTemplate.cameraVertical),
      static_cast<float>(chartTemplate.cameraZoom));
  graph_ = std::move(graph);
}

ChartSnapshot::~ChartSnapshot() = default;

QImage ChartSnapshot::Render(const QSize& size) {
  return graph_ ? graph_->renderToImage(0, size) : QImage();
}

}  // namespace qtui
