// The table editor over the fake grid, chart and host, with the helpers that the table
// and data-file command tests share.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/window_state.h"
#include "fakes/fake_chart.h"
#include "fakes/fake_grid.h"
#include "fakes/recording_view.h"
#include "fakes/scripted_host.h"
#include "fakes/temp_folder.h"
#include "tables/cell_codec.h"
#include "tables/table_editor.h"

namespace tablestest {

class OpenTable : public testing::Test {
 protected:
  // The chart templates come from `folder` when a test needs broken ones.
  explicit OpenTable(bool templatesInFolder = false)
      : editor(image, window, host,
               templatesInFolder ? folder.path() : std::filesystem::path(VENTREL_DATA_DIR)) {
    editor.Attach(grid, chart, tableWindow);
  }

  void Load(const char* moduleVersion) {
    image.ModuleVersion = moduleVersion;
    image.FLASHBufferEmpty = false;
    image.EEPROMBufferEmpty = false;
  }

  void OpenCommand(tables::TableId table) {
    switch (table) {
      case tables::TableId::FrontCylTrim:
        return editor.mnuEditFrontCylTrimTbl_Click();
      case tables::TableId::RearCylTrim:
        return editor.mnuEditRearCylTrimTbl_Click();
      case tables::TableId::Retard:
        return editor.mnuEditRetardTbl_Click();
    }
  }

  // Opens a table of all zeros for the edition.
  void Open(const char* moduleVersion, tables::TableId table = tables::TableId::FrontCylTrim) {
    editor.CloseTbl();
    Load(moduleVersion);
    image.FLASHBuffer.fill(table == tables::TableId::Retard ? core::FLASHWord{0, 0}
                                                            : core::FLASHWord{128, 128});
    OpenCommand(table);
    ASSERT_TRUE(editor.TableIsOpen());
  }

  int Rows() const { return tables::TableLayoutFor(image.ModuleVersion).rows; }
  std::uint8_t Byte(tables::TableId table, int r, int c) const {
    return tables::CellByte(image, table, Rows(), r, c);
  }
  void SetByte(tables::TableId table, int r, int c, std::uint8_t b) {
    tables::SetCellByte(image, table, Rows(), r, c, b);
  }
  std::string Caption() const { return view.captions.empty() ? "" : view.captions.back(); }

  void Select(int row1, int col1, int row2, int col2) {
    grid.SetCurrentCell(row1, col1);
    grid.ExtendSelection(row2, col2);
  }
  void Put(int row, int col, const std::string& text) { grid.SetTextMatrix(row, col, text); }
  std::string At(int row, int col) const { return grid.TextMatrix(row, col); }
  double Height(int row, int col) const { return chart.heights.At(row, col); }

  // Every data cell's text, row by row.
  std::vector<std::string> Cells() const {
    std::vector<std::string> cells;
    for (int r = 1; r < grid.Rows(); ++r) {
      for (int c = 1; c < grid.Cols(); ++c) cells.push_back(grid.TextMatrix(r, c));
    }
    return cells;
  }

  fakes::TempFolder folder;
  fakes::ScriptedHost host;
  fakes::RecordingView view;
  core::WindowState window{view};
  core::ModuleImage image;
  fakes::FakeGrid grid;
  fakes::FakeChart chart;
  fakes::FakeTableWindow tableWindow;
  tables::TableEditor editor;
};

}  // namespace tablestest
