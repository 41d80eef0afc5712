// The look of a table's 3D chart, read from a small JSON template file beside the
// program at every table open.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "tables/colour.h"
#include "tables/table_map.h"

namespace tables {

struct ChartAxis {
  std::string title;
  double min = 0;
  double max = 1;
};

struct GradientStop {
  double position = 0;  // 0 at the lowest value, 1 at the highest
  Colour colour;
};

struct ChartTemplate {
  std::string title;
  ChartAxis rpmAxis;
  ChartAxis tpsAxis;
  ChartAxis valueAxis;
  std::vector<GradientStop> gradient;
  // Camera angles in degrees and zoom in percent.
  double cameraHorizontal = 0;
  double cameraVertical = 0;
  double cameraZoom = 100;
};

// The template file for a table kind and layout, e.g. "Quillon_JX_CylTrim_Chart.oc3".
std::string_view ChartTemplateFileName(TableKind kind, bool jxLayout);

// Throws std::runtime_error saying what is wrong and where.
ChartTemplate ParseChartTemplate(std::string_view text);

// Reads and parses the file; throws std::runtime_error naming the file and the fault.
ChartTemplate ReadChartTemplate(const std::filesystem::path& path);

}  // namespace tables
