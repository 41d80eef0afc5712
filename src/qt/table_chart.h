// The table's 3D surface chart beside the grid. Without an OpenGL context (a display
// without GL) it shows a plain placeholder and keeps the chart values all the same.
#pragma once

#include <QWidget>

#include "tables/chart.h"

class QLabel;
class QVBoxLayout;
class Q3DSurface;
class QSurface3DSeries;
class QCustom3DLabel;

namespace qtui {

class TableChart : public QWidget, public tables::Chart {
  Q_OBJECT

 public:
  explicit TableChart(QWidget* parent = nullptr);
  ~TableChart() override;

  // False when the placeholder stands in for the surface.
  bool HasSurface() const { return graph_ != nullptr; }
  // The height the surface itself holds at a point (row and column from 1).
  double SurfaceHeight(int row, int col) const;
  QString ValueLabelText() const;
  // The value label's text as written over the 3D view, with its cell.
  QString ValueLine() const;
  bool ValueLabelShown() const;
  QImage Render(const QSize& size);

  void ApplyTemplate(const tables::ChartTemplate& chartTemplate) override;
  void SetVisible(bool visible) override { setVisible(visible); }
  bool Visible() const override { return !isHidden(); }
  void SetBatchUpdating(bool on) override;
  void SetHoleValue(double hole) override { holeValue_ = hole; }
  void LoadElevationGrid(const tables::ChartValues& values) override;
  double Height(int row, int col) const override { return values_.At(row, col); }
  void SetHeight(int row, int col, double height) override;

  void SetValueLabelVisible(bool visible) override;
  void AttachValueLabel(int row, int col) override;
  void SetValueLabelText(const std::string& text) override;

  void SetInteraction(tables::ChartInteraction which, bool on) override;
  void Move(int left, int top, int width, int height) override;

 private:
  void PushSurface();
  QLabel* AddLineOverView(const char* name, QVBoxLayout& layout);
  void PlaceValueLabel();
  void ShowValueLine();

  tables::ChartValues values_;
  double holeValue_ = tables::kChartHoleValue;
  bool batched_ = false;
  int labelRow_ = 1;
  int labelCol_ = 1;
  bool labelVisible_ = false;
  QString labelText_;

  Q3DSurface* graph_ = nullptr;
  QSurface3DSeries* series_ = nullptr;
  QCustom3DLabel* valueLabel_ = nullptr;
  QLabel* title_ = nullptr;
  QLabel* valueLine_ = nullptr;
  QWidget* container_ = nullptr;
  QLabel* placeholder_ = nullptr;
};

}  // namespace qtui
