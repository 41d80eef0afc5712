// What the table editor needs of the 3D chart beside the grid. Points are addressed
// with the grid's numbering (row 1..R, column 1..9). Lengths are in twips.
#pragma once

#include <string>

#include "tables/chart_data.h"
#include "tables/chart_template.h"

namespace tables {

inline constexpr double kChartHoleValue = -999;

// The two switches of the table edit permission.
enum class ChartInteraction { RotateZoom = 1, SelectPoint = 3 };

class Chart {
 public:
  virtual ~Chart() = default;

  virtual void ApplyTemplate(const ChartTemplate& chartTemplate) = 0;
  virtual void SetVisible(bool visible) = 0;
  virtual bool Visible() const = 0;
  // While on, changes are collected and drawn when it is switched off.
  virtual void SetBatchUpdating(bool on) = 0;
  // A point of this height is left out of the surface.
  virtual void SetHoleValue(double hole) = 0;
  virtual void LoadElevationGrid(const ChartValues& values) = 0;
  virtual double Height(int row, int col) const = 0;
  virtual void SetHeight(int row, int col, double height) = 0;

  virtual void SetValueLabelVisible(bool visible) = 0;
  virtual void AttachValueLabel(int row, int col) = 0;
  virtual void SetValueLabelText(const std::string& text) = 0;

  virtual void SetInteraction(ChartInteraction which, bool on) = 0;
  virtual void Move(int left, int top, int width, int height) = 0;
};

}  // namespace tables
