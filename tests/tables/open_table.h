// A table opened by the table editor over the fake grid and chart, for the tests of
// what happens in an open table.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/window_state.h"
#include "fakes/fake_chart.h"
#include "fakes/fake_grid.h"
#include "fakes/scripted_host.h"
#include "tables/table_editor.h"

namespace tablestest {

class SilentView : public core::WindowView {
 public:
  void SetCaption(const std::string&) override {}
  void SetRetardTableCommandVisible(bool) override {}
};

class OpenTable : public testing::Test {
 protected:
  OpenTable() : editor(image, window, host, VENTREL_DATA_DIR) {
    editor.Attach(grid, chart, tableWindow);
  }

  // Opens a table of all zeros for the edition.
  void Open(const char* moduleVersion, tables::TableId table = tables::TableId::FrontCylTrim) {
    editor.CloseTbl();
    image.ModuleVersion = moduleVersion;
    image.FLASHBufferEmpty = false;
    image.FLASHBuffer.fill({128, 128});
    switch (table) {
      case tables::TableId::FrontCylTrim:
        editor.mnuEditFrontCylTrimTbl_Click();
        break;
      case tables::TableId::RearCylTrim:
        editor.mnuEditRearCylTrimTbl_Click();
        break;
      case tables::TableId::Retard:
        image.FLASHBuffer.fill({0, 0});
        editor.mnuEditRetardTbl_Click();
        break;
    }
    ASSERT_TRUE(editor.TableIsOpen());
  }

  void Select(int row1, int col1, int row2, int col2) {
    grid.SetCurrentCell(row1, col1);
    grid.ExtendSelection(row2, col2);
  }

  // Every data cell's text, row by row.
  std::vector<std::string> Cells() const {
    std::vector<std::string> cells;
    for (int r = 1; r < grid.Rows(); ++r) {
      for (int c = 1; c < grid.Cols(); ++c) cells.push_back(grid.TextMatrix(r, c));
    }
    return cells;
  }

  fakes::ScriptedHost host;
  SilentView view;
  core::WindowState window{view};
  core::ModuleImage image;
  fakes::FakeGrid grid;
  fakes::FakeChart chart;
  fakes::FakeTableWindow tableWindow;
  tables::TableEditor editor;
};

}  // namespace tablestest
