// The set-up the table's 3D surface chart shares on screen and off it (printouts): the
// graph, its series, the chart template's axes, colours and camera, and the surface points.
#pragma once

#include <QtDataVisualization/QSurfaceDataProxy>
#include <vector>

#include "tables/chart_data.h"
#include "tables/chart_template.h"

class Q3DSurface;
class QSurface3DSeries;

namespace qtui {

// A new graph, without multisampling. Without GL it has no context, and adding a series
// to it would crash: check hasContext() first.
Q3DSurface* NewSurfaceGraph();

// A graph that has a context: drawn without shadows.
void SetUpSurfaceGraph(Q3DSurface& graph);

// A series drawn as a smooth surface with its wireframe.
QSurface3DSeries* NewSurfaceSeries();

// The template's axes, gradient, title and camera on the graph and its series.
void ApplyChartTemplate(Q3DSurface& graph, QSurface3DSeries& series,
                        const tables::ChartTemplate& chartTemplate);

// Where a row or column lies on its axis: its RPM or TPS, or its number without them.
float Position(const std::vector<double>& positions, int index);

// The values as surface points at their rows' and columns' positions; a point holding the
// hole value lies on floor.
QSurfaceDataArray* SurfaceRows(const tables::ChartValues& values, double hole, float floor);

}  // namespace qtui
