#include "qt/chart_snapshot.h"

#include <QtDataVisualization/Q3DSurface>
#include <QtDataVisualization/QSurface3DSeries>
#include <QtDataVisualization/QValue3DAxis>

#include "qt/surface_setup.h"
#include "tables/chart.h"

namespace qtui {

ChartSnapshot::ChartSnapshot(const tables::ChartTemplate& chartTemplate,
                             const tables::ChartValues& values) {
  std::unique_ptr<Q3DSurface> graph(NewSurfaceGraph());
  // Without a GL context adding a series would crash.
  if (!graph->hasContext()) return;
  SetUpSurfaceGraph(*graph);
  // In the order the chart beside the grid takes: series, template, then the surface.
  auto* series = NewSurfaceSeries();
  graph->addSeries(series);
  ApplyChartTemplate(*graph, *series, chartTemplate);
  series->dataProxy()->resetArray(
      SurfaceRows(values, tables::kChartHoleValue, graph->axisY()->min()));
  graph_ = std::move(graph);
}

ChartSnapshot::~ChartSnapshot() = default;

QImage ChartSnapshot::Render(const QSize& size) {
  return graph_ ? graph_->renderToImage(0, size) : QImage();
}

}  // namespace qtui
