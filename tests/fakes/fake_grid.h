// An in-memory table grid that records what the editor does to it.
#pragma once

#include <algorithm>
#include <map>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "tables/clip_text.h"
#include "tables/grid.h"

namespace fakes {

class FakeGrid : public tables::Grid {
 public:
  void SetEventSink(tables::GridEvents* events) override { sink = events; }

  void SetRows(int rows) override {
    rows_ = rows;
    Resize();
  }
  void SetCols(int cols) override {
    cols_ = cols;
    Resize();
  }
  int Rows() const override { return rows_; }
  int Cols() const override { return cols_; }
  void CentreAllColumns() override {}

  void SetTextMatrix(int row, int col, const std::string& text) override {
    texts.at(Index(row, col)) = text;
  }
  std::string TextMatrix(int row, int col) const override { return texts.at(Index(row, col)); }
  void SetCellBackColour(int row, int col, tables::Colour colour) override {
    backgrounds[{row, col}] = colour;
  }
  void SetCellForeColour(int, int, tables::Colour) override {}
  void SetCellNote(int row, int col, const tables::CellNote& note) override {
    notes[{row, col}] = note;
  }

  void SetCurrentCell(int row, int col) override {
    bool cancel = false;
    if (sink) sink->LeaveCell(currentRow, currentCol, row, col, cancel);
    if (cancel) return;
    const int oldRow = std::exchange(currentRow, row);
    const int oldCol = std::exchange(currentCol, col);
    selection = {row, col, row, col};
    if (sink) sink->EnterCell(oldRow, oldCol, row, col);
  }
  int CurrentRow() const override { return currentRow; }
  int CurrentCol() const override { return currentCol; }
  void SetCurrentCellColours(tables::Colour back, tables::Colour fore) override {
    currentColours[{currentRow, currentCol}] = {back, fore};
  }
  tables::GridColours Colours() const override { return colours; }

  tables::CellRect Selection() const override { return selection; }
  void ExtendSelection(int row, int col) override {
    selection = {std::min(currentRow, row), std::min(currentCol, col), std::max(currentRow, row),
                 std::max(currentCol, col)};
  }
  // Copy and paste text made and read as the program's grid does.
  std::string ClipText(const tables::CellRect& rect) const override {
    tables::ClipBlock block;
    for (int r = rect.row1; r <= rect.row2; ++r) {
      std::vector<std::string>& row = block.emplace_back();
      for (int c = rect.col1; c <= rect.col2; ++c) row.push_back(TextMatrix(r, c));
    }
    return tables::JoinClipText(block);
  }
  void SetClipText(const std::string& text) override {
    clipTextSet.push_back(text);
    const tables::ClipBlock block = tables::SplitClipText(text, selection.row2 - selection.row1 + 1,
                                                          selection.col2 - selection.col1 + 1);
    for (std::size_t i = 0; i < block.size(); ++i) {
      for (std::size_t j = 0; j < block[i].size(); ++j) {
        TextAt(selection.row1 + static_cast<int>(i), selection.col1 + static_cast<int>(j)) =
            block[i][j];
      }
    }
  }
  void SetRedraw(bool on) override { redraw = on; }
  std::string EditText() const override { return editText; }
  bool EndEntry() override {
    if (!editing) return true;
    bool cancel = false;
    if (sink) sink->ValidateEdit(currentRow, currentCol, cancel);
    if (cancel) return false;
    TextAt(currentRow, currentCol) = editText;
    editing = false;
    if (sink) sink->AfterEdit(currentRow, currentCol);
    return true;
  }
  void AbandonEntry() override { editing = false; }
  // Text typed into the current cell's editor, not yet committed.
  void Type(const std::string& text) {
    editing = true;
    editText = text;
  }

  void SetEditable(bool on) override { editable = on; }
  bool Editable() const override { return editable; }
  void SetToolTip(const std::string& text) override { toolTip = text; }

  void SetVisible(bool shown) override { visible = shown; }
  bool Visible() const override { return visible; }

  void Move(int left, int top, int width, int height) override {
    placement = {left, top, width, height};
  }
  int ClientWidth() const override { return placement[2]; }
  int ClientHeight() const override { return placement[3]; }
  void SetRowHeights(int height) override { rowHeight = height; }
  void SetColWidth(int, int) override {}
  void SetColWidths(int) override {}

  tables::GridEvents* sink = nullptr;
  std::vector<std::string> texts;
  std::map<std::pair<int, int>, tables::Colour> backgrounds;
  std::map<std::pair<int, int>, tables::CellNote> notes;
  std::map<std::pair<int, int>, std::pair<tables::Colour, tables::Colour>> currentColours;
  tables::GridColours colours{{255, 255, 255}, {0, 0, 0}, {0, 120, 215}, {255, 255, 255}};
  tables::CellRect selection;
  std::vector<std::string> clipTextSet;
  std::string editText;
  bool editing = false;
  std::string toolTip;
  std::vector<int> placement{0, 0, 0, 0};
  int rowHeight = 0;
  int currentRow = 0;
  int currentCol = 0;
  bool redraw = true;
  bool editable = false;
  bool visible = false;

 private:
  std::size_t Index(int row, int col) const {
    if (row < 0 || row >= rows_ || col < 0 || col >= cols_) {
      throw std::out_of_range("cell outside the fake grid");
    }
    return static_cast<std::size_t>(row * cols_ + col);
  }
  void Resize() { texts.assign(static_cast<std::size_t>(rows_ * cols_), std::string()); }
  std::string& TextAt(int row, int col) { return texts.at(Index(row, col)); }

  int rows_ = 0;
  int cols_ = 0;
};

}  // namespace fakes
