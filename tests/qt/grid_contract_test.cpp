// One suite for the Grid seam, run on the fake and on the Qt grid, so the editor's tests
// with the fake stand for the real grid.
#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QLineEdit>
#include <QTest>

#include "fakes/fake_grid.h"
#include "qt/table_grid.h"

namespace {

class RecordingEvents : public tables::GridEvents {
 public:
  void ValidateEdit(int, int, bool& cancel) override { cancel = refuse; }
  void AfterEdit(int row, int col) override { committed.push_back({row, col}); }
  void LeaveCell(int oldRow, int oldCol, int newRow, int newCol, bool&) override {
    moves.push_back({oldRow, oldCol, newRow, newCol});
  }
  void EnterCell(int, int, int, int) override { ++entered; }
  void MouseDown(int, int, int, int) override {}
  std::vector<std::vector<int>> moves;
  int entered = 0;
  bool refuse = false;
  std::vector<std::vector<int>> committed;
};

// Text typed into the current cell, as a user types it: the entry stays open.
void Type(fakes::FakeGrid& grid, const std::string& text) { grid.Type(text); }
void Type(qtui::TableGrid& grid, const std::string& text) {
  grid.show();
  QTest::keyClick(&grid, text.front());
  for (QLineEdit* editor : grid.findChildren<QLineEdit*>()) {
    if (editor->isVisible()) QTest::keyClicks(editor, QString::fromStdString(text.substr(1)));
  }
}

template <typename T>
class GridContract : public testing::Test {
 protected:
  GridContract() {
    tested.SetRows(23);
    tested.SetCols(10);
  }
  T tested;
};

using Grids = testing::Types<fakes::FakeGrid, qtui::TableGrid>;
TYPED_TEST_SUITE(GridContract, Grids);

TYPED_TEST(GridContract, CellsOutsideTheTableFailMovesReportLeavingThenEnteringClipTextFits) {
  auto& grid = this->tested;
  grid.SetTextMatrix(22, 9, "-13");
  EXPECT_EQ(grid.TextMatrix(22, 9), "-13");
  EXPECT_THROW(grid.TextMatrix(23, 0), std::out_of_range);
  EXPECT_THROW(grid.SetTextMatrix(0, 10, "x"), std::out_of_range);

  RecordingEvents events;
  grid.SetEventSink(&events);
  grid.SetCurrentCell(3, 4);
  grid.SetCurrentCell(5, 6);
  ASSERT_EQ(events.moves.size(), 2u);
  EXPECT_EQ(events.moves[1], (std::vector<int>{3, 4, 5, 6}));
  EXPECT_EQ(events.entered, 2);
  grid.SetEventSink(nullptr);
  grid.ExtendSelection(2, 3);
  EXPECT_EQ(grid.Selection(), (tables::CellRect{2, 3, 5, 6}));

  // Tabs and carriage returns; what does not fit the selection is dropped.
  grid.SetCurrentCell(21, 8);
  EXPECT_EQ(grid.Selection(), (tables::CellRect{21, 8, 21, 8}));
  grid.ExtendSelection(22, 9);
  grid.SetClipText("1\t2\t3\r4\t5\t6\r7");
  EXPECT_EQ(grid.ClipText({21, 8, 22, 9}), "1\t2\r4\t5");
  EXPECT_EQ(grid.TextMatrix(21, 7), "");
}

TYPED_TEST(GridContract, AnEntryReachesItsCellOnlyThroughTheCheck) {
  auto& grid = this->tested;
  RecordingEvents events;
  grid.SetEditable(true);
  grid.SetCurrentCell(3, 4);
  grid.SetTextMatrix(3, 4, "10");
  grid.SetEventSink(&events);
  Type(grid, "45");
  EXPECT_EQ(grid.EditText(), "45");
  events.refuse = true;
  EXPECT_FALSE(grid.EndEntry());
  EXPECT_EQ(grid.TextMatrix(3, 4), "10") << "a refused entry never reaches the cell";
  EXPECT_EQ(grid.EditText(), "45") << "it stays open on the refused text";
  events.refuse = false;
  EXPECT_TRUE(grid.EndEntry());
  EXPECT_EQ(grid.TextMatrix(3, 4), "45");
  EXPECT_EQ(events.committed, (std::vector<std::vector<int>>{{3, 4}}));
  EXPECT_TRUE(grid.EndEntry()) << "nothing open: nothing to end";
  Type(grid, "7");
  grid.AbandonEntry();
  EXPECT_TRUE(grid.EndEntry());
  EXPECT_EQ(grid.TextMatrix(3, 4), "45") << "an abandoned entry is dropped";
  grid.SetEventSink(nullptr);
}

// The fixed row and column are the view's headers: they stay in place while the data
// scroll, show their labels whole, and are never edited. That the corner is current at
// open, no data cell, is the chart widget's test.
TEST(QtGrid, FixedRowAndColumnAreHeadersAndLockedCellsPaintRed) {
  qtui::TableGrid grid;
  // Every change below is checked against the rules of Qt's item models.
  QAbstractItemModelTester tester(grid.model(),
                                  QAbstractItemModelTester::FailureReportingMode::Fatal);
  grid.SetRows(19);
  grid.SetCols(10);
  grid.SetEditable(true);
  grid.SetTextMatrix(0, 2, "2.5%");
  grid.SetTextMatrix(4, 0, "1250");
  grid.SetCellBackColour(14, 6, tables::kLockedCellColour);
  const QAbstractItemModel* model = grid.model();
  EXPECT_EQ(model->rowCount(), 18);
  EXPECT_EQ(model->columnCount(), 9);
  EXPECT_EQ(model->headerData(1, Qt::Horizontal).toString(), "2.5%");
  EXPECT_EQ(model->headerData(3, Qt::Vertical).toString(), "1250");
  EXPECT_EQ(grid.horizontalHeader()->textElideMode(), Qt::ElideNone);
  const auto editable = [model](int r, int c) {
    return bool(model->flags(model->index(r - 1, c - 1)) & Qt::ItemIsEditable);
  };
  EXPECT_TRUE(editable(4, 3));
  EXPECT_EQ(model->data(model->index(13, 5), Qt::BackgroundRole).value<QColor>(),
            QColor(255, 0, 0));
  grid.SetEditable(false);
  EXPECT_FALSE(editable(4, 3));
  EXPECT_EQ(grid.editTriggers(), QAbstractItemView::NoEditTriggers);
}

}  // namespace
