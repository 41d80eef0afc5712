#include "qt/surface_setup.h"

#include <QtDataVisualization/qutils.h>
#include <QLinearGradient>
#include <QtDataVisualization/Q3DCamera>
#include <QtDataVisualization/Q3DScene>
#include <QtDataVisualization/Q3DSurface>
#include <QtDataVisualization/Q3DTheme>
#include <QtDataVisualization/QSurface3DSeries>
#include <QtDataVisualization/QValue3DAxis>

#include "qt/qt_text.h"

namespace qtui {

namespace {

// The chart's own label size is too small to read beside the grid.
constexpr float kLabelPoints = 60;
constexpr float kAspectRatio = 1.5F;

void SetAxis(QValue3DAxis* axis, const tables::ChartAxis& from) {
  axis->setTitle(ToQString(from.title));
  axis->setRange(static_cast<float>(from.min), static_cast<float>(from.max));
}

}  // namespace

Q3DSurface* NewSurfaceGraph() {
  // Multisampling triples a frame's cost where GL is rendered in software (virtual
  // machines, remote displays) and adds little to a surface of nine columns.
  const QSurfaceFormat format = qDefaultSurfaceFormat(false);
  return new Q3DSurface(&format);
}

void SetUpSurfaceGraph(Q3DSurface& graph) {
  // Shadows cost a render pass each frame and say nothing about a trim table.
  graph.setShadowQuality(QAbstract3DGraph::ShadowQualityNone);
  // RPM and TPS span very different ranges; draw the table square, a little flatter
  // than it is wide, with whole numbers on every axis.
  graph.setHorizontalAspectRatio(1.0);
  graph.setAspectRatio(kAspectRatio);
  for (QValue3DAxis* axis : {graph.axisX(), graph.axisY(), graph.axisZ()}) {
    axis->setLabelFormat(QStringLiteral("%.0f"));
    axis->setTitleVisible(true);
  }
  QFont font = graph.activeTheme()->font();
  font.setPointSizeF(kLabelPoints);
  graph.activeTheme()->setFont(font);
}

QSurface3DSeries* NewSurfaceSeries() {
  auto* series = new QSurface3DSeries();
  // A picked point is marked, without the chart's own label beside it.
  series->setItemLabelVisible(false);
  series->setDrawMode(QSurface3DSeries::DrawSurfaceAndWireframe);
  series->setFlatShadingEnabled(false);
  return series;
}

void ApplyChartTemplate(Q3DSurface& graph, QSurface3DSeries& series,
                        const tables::ChartTemplate& chartTemplate) {
  SetAxis(graph.axisX(), chartTemplate.tpsAxis);
  SetAxis(graph.axisZ(), chartTemplate.rpmAxis);
  SetAxis(graph.axisY(), chartTemplate.valueAxis);
  QLinearGradient gradient;
  for (const tables::GradientStop& stop : chartTemplate.gradient) {
    gradient.setColorAt(stop.position,
                        QColor(stop.colour.red, stop.colour.green, stop.colour.blue));
  }
  series.setBaseGradient(gradient);
  series.setColorStyle(Q3DTheme::ColorStyleRangeGradient);
  series.setName(ToQString(chartTemplate.title));
  graph.scene()->activeCamera()->setCameraPosition(
      static_cast<float>(chartTemplate.cameraHorizontal),
      static_cast<float>(chartTemplate.cameraVertical),
      static_cast<float>(chartTemplate.cameraZoom));
}

float Position(const std::vector<double>& positions, int index) {
  const auto at = static_cast<std::size_t>(index - 1);
  return static_cast<float>(at < positions.size() ? positions[at] : index);
}

QSurfaceDataArray* SurfaceRows(const tables::ChartValues& values, double hole, float floor) {
  auto* rows = new QSurfaceDataArray();
  rows->reserve(values.Rows());
  for (int r = 1; r <= values.Rows(); ++r) {
    auto* row = new QSurfaceDataRow(values.Cols());
    for (int c = 1; c <= values.Cols(); ++c) {
      const double height = values.At(r, c);
      // The surface has no holes; a hole point takes the floor of the value axis.
      const float y = height == hole ? floor : static_cast<float>(height);
      (*row)[c - 1].setPosition(
          QVector3D(Position(values.columnPositions, c), y, Position(values.rowPositions, r)));
    }
    rows->append(row);
  }
  return rows;
}

}  // namespace qtui
