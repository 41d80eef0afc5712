// The grid's events in an open table: entries checked with their messages, accepted
// entries charted, the current cell marked and unmarked, the right button's menu.
#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "open_table.h"
#include "tables/cell_codec.h"
#include "tables/entry_check.h"
#include "tables/heat_map.h"

namespace {

using core::Answer;
using tables::TableId;

class CellEditingTest : public tablestest::OpenTable {
 protected:
  // Runs an in-place edit of (row, col) as the grid reports it; true when committed.
  bool Enter(int row, int col, const std::string& text) {
    grid.SetCurrentCell(row, col);
    grid.editText = text;
    bool cancel = false;
    grid.sink->ValidateEdit(row, col, cancel);
    if (cancel) return false;
    grid.SetTextMatrix(row, col, text);
    grid.sink->AfterEdit(row, col);
    return true;
  }
};

TEST_F(CellEditingTest, RefusedEntriesShowTheirMessageAndStayUncommitted) {
  const char* fuelRange = "Fuel trim percent must be numeric value between -20 and 30.";
  const struct {
    const char* edition;
    TableId table;
    int row, col;
    const char* text;
    const char* message;
  } cases[] = {
      {"VOSK", TableId::FrontCylTrim, 5, 5, "30.1", fuelRange},
      {"VOSK", TableId::RearCylTrim, 5, 5, "abc", fuelRange},
      {"QL2 VOSK", TableId::Retard, 5, 5, "-10.01",
       "Retard must be numeric value between -10 and zero."},
      {"KQ", TableId::FrontCylTrim, 14, 6, "5", "Fuel trim percent must be zero in this cell."},
      {"QL2 KQ", TableId::Retard, 1, 1, "-1", "Retard must be zero in this cell."},
  };
  for (const auto& entry : cases) {
    Open(entry.edition, entry.table);
    host.ExpectBox(Answer::OK);
    EXPECT_FALSE(Enter(entry.row, entry.col, entry.text));
    EXPECT_EQ(host.boxes.back().text, entry.message);
    EXPECT_EQ(host.boxes.back().title,
              entry.table == TableId::Retard ? "Retard Edit" : "Fuel Trim Edit");
    EXPECT_EQ(host.boxes.back().icon, core::Icon::Critical);
  }
  // The locked zone's edges on KQ, and no check at all once another table is named.
  EXPECT_TRUE(Enter(14, 6, "0") && Enter(15, 6, "-5") && Enter(14, 7, "-5"));
  editor.ActiveTableName = "Some Other Table";
  EXPECT_FALSE(Enter(3, 3, "-5"));
  EXPECT_EQ(host.boxes.size(), 5u);
}

TEST_F(CellEditingTest, AcceptedEntriesAreChartedUnroundedWithAWholeNumberLabel) {
  Open("VOSK");
  ASSERT_TRUE(Enter(4, 2, "12.5"));
  EXPECT_EQ(At(4, 2), "12.5");
  EXPECT_DOUBLE_EQ(Height(4, 2), 12.5);
  EXPECT_EQ(chart.labelText, "13");
  Open("JX", TableId::Retard);
  ASSERT_TRUE(Enter(22, 9, "-2.5"));
  EXPECT_DOUBLE_EQ(Height(22, 9), 2.5);
  EXPECT_EQ(chart.labelText, "3");
}

// An entry still open when a command reads the grid goes through the same check as Enter:
// refused, it gets its message and the command stops; accepted, the command sees it.
TEST_F(CellEditingTest, EveryCommandThatReadsTheGridEndsTheOpenEntryFirst) {
  const std::uint8_t saved25 = tables::EncodeCell(tables::TableKind::Fuel, 25);
  struct Case {
    const char* name;
    void (tables::TableEditor::*command)();
    std::vector<Answer> answers;  // for the command itself, once the entry is accepted
    std::optional<std::string> input;
    std::function<void()> accepted;
  };
  const auto closeTable = [](tables::TableEditor& e) { e.mnuCloseTbl_Click(); };
  const Case cases[] = {
      {"Save Table Edits To Buffer",
       &tables::TableEditor::mnuSaveTbl_Click,
       {},
       {},
       [&] { EXPECT_EQ(Byte(TableId::FrontCylTrim, 3, 2), saved25); }},
      {"Close Table, Yes",
       nullptr,
       {Answer::Yes},
       {},
       [&] { EXPECT_EQ(Byte(TableId::FrontCylTrim, 3, 2), saved25); }},
      {"opening another table, Yes",
       &tables::TableEditor::mnuEditRearCylTrimTbl_Click,
       {Answer::Yes},
       {},
       [&] {
         EXPECT_EQ(Byte(TableId::FrontCylTrim, 3, 2), saved25);
         EXPECT_EQ(editor.ActiveTableName, "Rear Cylinder Fuel Trim Table");
       }},
      {"Copy",
       &tables::TableEditor::mnuPopUpCopy3D_Click,
       {},
       {},
       [&] { EXPECT_EQ(editor.CopyBuffer, "25"); }},
      {"Paste",
       &tables::TableEditor::mnuPopUpPaste3D_Click,
       {},
       {},
       [&] { EXPECT_EQ(At(3, 2), "12.5"); }},
      {"Modify",
       &tables::TableEditor::mnuPopUpModify3D_Click,
       {},
       "+1",
       [&] { EXPECT_EQ(At(3, 2), "26"); }},
      {"Copy Front Cyl Fuel Trim to Rear",
       &tables::TableEditor::mnuCopyFrontCylFuelTrimRear_Click,
       {Answer::Yes},
       {},
       [&] { EXPECT_EQ(At(3, 2), "25"); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto run = [&] { c.command ? (editor.*c.command)() : closeTable(editor); };
    Open("VOSK");
    host.boxes.clear();
    host.clipboard = "12.5";
    grid.SetCurrentCell(3, 2);
    const std::string before = At(3, 2);
    const core::ModuleImage image0 = image;
    grid.Type("45");
    host.ExpectBox(Answer::OK);
    run();
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].text, tables::kFuelRangeMessage);
    EXPECT_TRUE(grid.editing);
    EXPECT_TRUE(editor.TableIsOpen());
    EXPECT_EQ(At(3, 2), before);
    EXPECT_EQ(image.FLASHBuffer, image0.FLASHBuffer);
    EXPECT_EQ(editor.CopyBuffer, "");

    grid.Type("25");
    for (const Answer answer : c.answers) host.ExpectBox(answer);
    if (c.input) host.ExpectInput(c.input);
    run();
    EXPECT_FALSE(grid.editing);
    EXPECT_EQ(host.boxes.size(), 1 + c.answers.size());
    c.accepted();
  }
}

TEST_F(CellEditingTest, TheCurrentCellIsMarkedItsChartPointLabelledAndRedCellsStayRed) {
  Open("QL2 KQ", TableId::Retard);
  const tables::GridColours colours = grid.Colours();
  const auto normal = std::pair(colours.back, colours.fore);
  grid.backgrounds.clear();
  chart.heights.At(14, 6) = 3;
  chart.labelVisible = false;
  grid.SetCurrentCell(14, 6);
  EXPECT_EQ(grid.currentColours[std::pair(14, 6)], std::pair(colours.backSel, colours.foreSel));
  EXPECT_TRUE(chart.labelVisible);
  EXPECT_EQ(chart.labelAt, (std::vector<int>{14, 6}));
  EXPECT_EQ(chart.labelText, "3");
  EXPECT_FALSE(chart.batched);
  grid.SetCurrentCell(15, 6);
  EXPECT_EQ(grid.currentColours[std::pair(14, 6)], normal);
  EXPECT_EQ(grid.backgrounds[std::pair(14, 6)], tables::kLockedCellColour);
  grid.SetCurrentCell(0, 3);
  EXPECT_EQ(grid.currentColours[std::pair(15, 6)], normal);
  EXPECT_EQ(grid.backgrounds[std::pair(15, 6)], tables::HeatColour(tables::TableKind::Retard, 0));
  EXPECT_EQ(grid.currentColours.count(std::pair(0, 3)), 0u);
  EXPECT_EQ(chart.labelAt, (std::vector<int>{15, 6}));
}

TEST_F(CellEditingTest, RightButtonOffersPasteOnlyWhenThereIsSomethingToPaste) {
  Open("VOSK");
  grid.sink->MouseDown(1, 0, 100, 200);
  EXPECT_TRUE(tableWindow.popUps.empty());
  const std::pair<const char*, const char*> sources[] = {{"", ""}, {"5", ""}, {"", "5"}};
  for (const auto& [clipboard, copyBuffer] : sources) {
    host.clipboard = clipboard;
    editor.CopyBuffer = copyBuffer;
    grid.sink->MouseDown(tables::kRightButton, 0, 100, 200);
    EXPECT_EQ(tableWindow.pasteEnabled.back(), *clipboard || *copyBuffer);
    EXPECT_EQ(tableWindow.popUps.back(), (std::vector<int>{100, 200}));
  }
}

TEST_F(CellEditingTest, AFailureInsideAnEventGoesToTheErrorPrompt) {
  Open("VOSK");
  chart.heights = tables::ChartValues();
  host.ExpectBox(Answer::Ignore);
  grid.SetCurrentCell(2, 2);
  EXPECT_EQ(host.boxes.back().title, "Error");
}

}  // namespace
