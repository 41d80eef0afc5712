// An in-memory 3D chart that records what the editor does to it.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "tables/chart.h"
#include "tables/table_window.h"

namespace fakes {

class FakeChart : public tables::Chart {
 public:
  void ApplyTemplate(const tables::ChartTemplate& chartTemplate) override {
    templates.push_back(chartTemplate);
  }
  void SetVisible(bool shown) override { visible = shown; }
  bool Visible() const override { return visible; }
  void SetBatchUpdating(bool on) override { batched = on; }
  void SetHoleValue(double) override {}
  void LoadElevationGrid(const tables::ChartValues& values) override { heights = values; }
  double Height(int row, int col) const override { return heights.At(row, col); }
  void SetHeight(int row, int col, double height) override { heights.At(row, col) = height; }

  void SetValueLabelVisible(bool shown) override { labelVisible = shown; }
  void AttachValueLabel(int row, int col) override { labelAt = {row, col}; }
  void SetValueLabelText(const std::string& text) override { labelText = text; }

  void SetInteraction(tables::ChartInteraction which, bool on) override {
    interactions[which] = on;
  }
  void Move(int left, int top, int width, int height) override {
    placement = {left, top, width, height};
  }

  std::vector<tables::ChartTemplate> templates;
  tables::ChartValues heights;
  std::map<tables::ChartInteraction, bool> interactions;
  std::vector<int> placement{0, 0, 0, 0};
  std::vector<int> labelAt{0, 0};
  std::string labelText;
  bool batched = false;
  bool labelVisible = true;
  bool visible = false;
};

// The main window as the table editor sees it.
class FakeTableWindow : public tables::TableWindow {
 public:
  void SetPopUpPasteEnabled(bool enabled) override { pasteEnabled.push_back(enabled); }
  void FormResize() override {}
  void ShowPopUpEdit3D(int x, int y) override { popUps.push_back({x, y}); }

  std::vector<bool> pasteEnabled;
  std::vector<std::vector<int>> popUps;
};

}  // namespace fakes
