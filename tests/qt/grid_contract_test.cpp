// One suite for the Grid seam, run on the fake and on the Qt grid, so the editor's tests
// with the fake stand for the real grid.
#include <gtest/gtest.h>

#include <memory>

#include "fakes/fake_grid.h"
#include "qt/table_grid.h"

namespace {

class RecordingEvents : public tables::GridEvents {
 public:
  void ValidateEdit(int, int, bool&) override {}
  void AfterEdit(int, int) override {}
  void LeaveCell(int oldRow, int oldCol, int newRow, int newCol, bool&) override {
    moves.push_back({oldRow, oldCol, newRow, newCol});
  }
  void EnterCell(int, int, int, int) override { ++entered; }
  void MouseDown(int, int, int, int) override {}
  std::vector<std::vector<int>> moves;
  int entered = 0;
};

template <typename T>
class GridContract : public testing::Test {
 protected:
  GridContract() {
    grid.SetRows(23);
    grid.SetCols(10);
  }
  T grid;
};

using Grids = testing::Types<fakes::FakeGrid, qtui::TableGrid>;
TYPED_TEST_SUITE(GridContract, Grids);

TYPED_TEST(GridContract, TextsLiveWhereTheyAreWrittenAndOutsideCellsFail) {
  this->grid.SetTextMatrix(0, 0, "RPM/TPS");
  this->grid.SetTextMatrix(22, 9, "-13");
  EXPECT_EQ(this->grid.Rows(), 23);
  EXPECT_EQ(this->grid.Cols(), 10);
  EXPECT_EQ(this->grid.TextMatrix(0, 0), "RPM/TPS");
  EXPECT_EQ(this->grid.TextMatrix(22, 9), "-13");
  EXPECT_EQ(this->grid.TextMatrix(5, 5), "");
  EXPECT_THROW(this->grid.TextMatrix(23, 0), std::out_of_range);
  EXPECT_THROW(this->grid.SetTextMatrix(0, 10, "x"), std::out_of_range);
}

TYPED_TEST(GridContract, MovingTheCurrentCellReportsLeavingThenEntering) {
  RecordingEvents events;
  this->grid.SetEventSink(&events);
  this->grid.SetCurrentCell(3, 4);
  this->grid.SetCurrentCell(5, 6);
  EXPECT_EQ(this->grid.CurrentRow(), 5);
  EXPECT_EQ(this->grid.CurrentCol(), 6);
  ASSERT_EQ(events.moves.size(), 2u);
  EXPECT_EQ(events.moves[1], (std::vector<int>{3, 4, 5, 6}));
  EXPECT_EQ(events.entered, 2);
  this->grid.SetEventSink(nullptr);
}

TYPED_TEST(GridContract, ClipTextJoinsCellsWithTabsAndRowsWithCarriageReturns) {
  this->grid.SetTextMatrix(15, 1, "1");
  this->grid.SetTextMatrix(15, 2, "2");
  this->grid.SetTextMatrix(16, 1, "4");
  this->grid.SetTextMatrix(16, 2, "5");
  EXPECT_EQ(this->grid.ClipText({15, 1, 16, 2}), "1\t2\r4\t5");
}

TYPED_TEST(GridContract, ClipTextFillsTheSelectionDroppingOverflowAndACurrentCellSelectsItself) {
  this->grid.SetCurrentCell(21, 8);
  this->grid.ExtendSelection(22, 9);
  this->grid.SetClipText("1\t2\t3\r4\t5\t6\r7");
  EXPECT_EQ(this->grid.ClipText({21, 8, 22, 9}), "1\t2\r4\t5");
  EXPECT_EQ(this->grid.TextMatrix(21, 7), "");
  this->grid.SetCurrentCell(21, 8);
  EXPECT_EQ(this->grid.Selection(), (tables::CellRect{21, 8, 21, 8}));
}

TYPED_TEST(GridContract, SelectionIsNormalisedAndEditabilityAndVisibilityStick) {
  this->grid.SetCurrentCell(6, 7);
  this->grid.ExtendSelection(2, 3);
  EXPECT_EQ(this->grid.Selection(), (tables::CellRect{2, 3, 6, 7}));
  this->grid.SetEditable(true);
  EXPECT_TRUE(this->grid.Editable());
  this->grid.SetVisible(true);
  EXPECT_TRUE(this->grid.Visible());
  this->grid.SetVisible(false);
  EXPECT_FALSE(this->grid.Visible());
}

TEST(QtGrid, HeaderCellsAreNeverEditableAndLockedCellsPaintRed) {
  qtui::TableGrid grid;
  grid.SetRows(19);
  grid.SetCols(10);
  grid.SetEditable(true);
  grid.CentreAllColumns();
  grid.SetCellBackColour(14, 6, tables::kLockedCellColour);
  const QAbstractItemModel* model = grid.model();
  EXPECT_FALSE(model->flags(model->index(0, 3)) & Qt::ItemIsEditable);
  EXPECT_FALSE(model->flags(model->index(4, 0)) & Qt::ItemIsEditable);
  EXPECT_TRUE(model->flags(model->index(4, 3)) & Qt::ItemIsEditable);
  EXPECT_EQ(model->data(model->index(14, 6), Qt::BackgroundRole).value<QColor>(),
            QColor(255, 0, 0));
  EXPECT_EQ(model->data(model->index(4, 3), Qt::TextAlignmentRole).toInt(), int(Qt::AlignCenter));
  grid.SetEditable(false);
  EXPECT_FALSE(model->flags(model->index(4, 3)) & Qt::ItemIsEditable);
  EXPECT_EQ(grid.editTriggers(), QAbstractItemView::NoEditTriggers);
}

}  // namespace
