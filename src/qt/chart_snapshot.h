// The 3D chart of a table drawn off screen, for printouts made without the main window.
// It needs an OpenGL context: without one (e.g. on the offscreen platform) it is not
// available.
#pragma once

#include <QImage>
#include <QSize>
#include <memory>

#include "tables/chart_data.h"
#include "tables/chart_template.h"

class Q3DSurface;

namespace qtui {

class ChartSnapshot {
 public:
  ChartSnapshot(const tables::ChartTemplate& chartTemplate, const tables::ChartValues& values);
  ~ChartSnapshot();

  bool Available() const { return graph_ != nullptr; }
  QImage Render(const QSize& size);

 private:
  std::unique_ptr<Q3DSurface> graph_;
};

}  // namespace qtui
