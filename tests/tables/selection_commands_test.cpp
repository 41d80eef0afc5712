// Copy, Paste and Modify on an open table over the fake grid and chart: the clip text,
// the paste block and its clamp pass, one case per Modify form and clamp, the KQ refusal
// of a block reaching the zone. Random answers and pastes go to the fuzz target.
#include <gtest/gtest.h>

#include <algorithm>

#include "open_table.h"
#include "tables/cell_text.h"
#include "tables/modify_answer.h"

namespace {

using core::Answer;
using tables::TableEditor;
using tables::TableId;

class SelectionCommands : public tablestest::OpenTable {
 protected:
  void Paste(int row, int col, const std::string& clipboard) {
    host.clipboard = clipboard;
    Select(row, col, row, col);
    editor.mnuPopUpPaste3D_Click();
  }
};

struct Operation {
  const char* verb;
  const char* title;
  void (TableEditor::*command)();
};
const Operation kOperations[] = {
    {"copy", "Copy Operation", &TableEditor::mnuPopUpCopy3D_Click},
    {"paste", "Paste Operation", &TableEditor::mnuPopUpPaste3D_Click},
    {"modify", "Modify Operation", &TableEditor::mnuPopUpModify3D_Click}};

TEST_F(SelectionCommands, CopiedBlockPastesAtThreeSevenAndNothingElseChanges) {
  Open("VOSK");
  const std::vector<std::string> untouched = Cells();
  for (int i = 0; i < 6; ++i) Put(15 + i / 3, 1 + i % 3, std::to_string(i + 1));
  Select(16, 3, 15, 1);
  editor.mnuPopUpCopy3D_Click();
  // Tabs and CR in the copy buffer, a row end after every row on the system clipboard.
  EXPECT_EQ(editor.CopyBuffer, "1\t2\t3\r4\t5\t6");
  EXPECT_EQ(host.clipboard, "1\t2\t3\n4\t5\t6\n");
  EXPECT_EQ(tableWindow.pasteEnabled.back(), true);

  for (int i = 0; i < 6; ++i) Put(15 + i / 3, 1 + i % 3, "0");
  Select(3, 7, 3, 7);
  editor.mnuPopUpPaste3D_Click();
  std::vector<std::string> expected = untouched;
  for (int i = 0; i < 6; ++i) expected[(2 + i / 3) * 9 + 6 + i % 3] = std::to_string(i + 1);
  EXPECT_EQ(Cells(), expected);
  EXPECT_DOUBLE_EQ(Height(4, 9), 6);
  EXPECT_EQ(grid.Selection(), (tables::CellRect{3, 7, 3, 7}));
  EXPECT_TRUE(grid.redraw);
  EXPECT_FALSE(chart.batched);
  EXPECT_FALSE(chart.labelVisible);

  Paste(17, 8, "1\t2\t3\r\n4\t5\t6\r\n7\r\n");
  EXPECT_EQ(grid.clipTextSet.back(), "1\t2\r4\t5");
  EXPECT_EQ(At(18, 9), "5");
}

TEST_F(SelectionCommands, PasteClampsTheWholeTableAndChartsWhatItKeeps) {
  Open("VOSK");
  Put(1, 1, "50");
  Paste(10, 2, "45\t12.345\t-25\t 7 ");
  EXPECT_EQ(At(1, 1), "30");
  for (const auto& [col, shown, charted] :
       {std::tuple{2, "30", 30.0}, {3, "12.345", 12.345}, {4, "-20", -20.0}, {5, " 7 ", 7.0}}) {
    EXPECT_EQ(At(10, col), shown);
    EXPECT_DOUBLE_EQ(Height(10, col), charted);
  }
}

TEST_F(SelectionCommands, PasteOfTextThatIsNoNumberNamesTheCellAndChangesNothing) {
  Open("VOSK");
  const std::vector<std::string> before = Cells();
  const std::pair<std::string, std::string> cases[] = {
      {"1\t2,5",
       "\"2,5\" for the cell at 1000 RPM, 80% TPS is not a number, so nothing was "
       "pasted. A decimal comma is not accepted"},
      {"1\n\n3", "\"\" for the cell at 1250 RPM, 60% TPS"},
      {"5\t\x01" + std::string(10000, 'x'), "\"?" + std::string(23, 'x') + "...\" for the"},
      {"", "The clipboard holds no text to paste."},
  };
  for (const auto& [clipboard, named] : cases) {
    host.ExpectBox(Answer::OK);
    Paste(3, 7, clipboard);
    EXPECT_NE(host.boxes.back().text.find(named), std::string::npos) << host.boxes.back().text;
    EXPECT_EQ(host.boxes.back().title, "Paste Operation");
  }
  EXPECT_EQ(Cells(), before);
}

TEST_F(SelectionCommands, HeaderCellsAreNeverCopiedNorWritten) {
  Open("VOSK");
  Put(1, 1, "7");
  Select(0, 0, 1, 1);
  editor.mnuPopUpCopy3D_Click();
  EXPECT_EQ(editor.CopyBuffer, "7");
  host.clipboard = "9\t9";
  editor.mnuPopUpPaste3D_Click();
  EXPECT_EQ(At(0, 1), "0%");
  EXPECT_EQ(At(1, 2), "9");
  for (const Operation& operation : kOperations) {
    Select(0, 3, 0, 5);
    host.ExpectBox(Answer::OK);
    (editor.*operation.command)();
    EXPECT_EQ(host.boxes.back().title, operation.title);
    EXPECT_EQ(host.boxes.back().text.rfind("Only header cells are selected.", 0), 0u);
  }
}

// A block is refused when a corner lies in the zone (the zone's own edges are the table
// map's test); one just past its last row or column is worked on.
TEST_F(SelectionCommands, KQRefusesBlocksThatReachTheLockedZoneAndChangesNothing) {
  Open("QL2 KQ");
  host.clipboard = "5";
  const std::vector<std::string> before = Cells();
  for (const Operation& operation : kOperations) {
    Select(14, 6, 15, 7);
    host.ExpectBox(Answer::OK);
    (editor.*operation.command)();
    EXPECT_EQ(host.boxes.back(),
              (fakes::MessageBoxRecord{"Attempted " + std::string(operation.verb) +
                                           " operation outside allowed KQ version edit area.",
                                       operation.title, core::Buttons::OK, core::Icon::Critical}));
  }
  EXPECT_EQ(Cells(), before);
  EXPECT_EQ(host.clipboard + editor.CopyBuffer, "5");
  for (const tables::CellRect cells : {tables::CellRect{15, 1, 15, 1}, {1, 7, 1, 7}}) {
    Select(cells.row1, cells.col1, cells.row2, cells.col2);
    editor.mnuPopUpPaste3D_Click();
    EXPECT_EQ(At(cells.row1, cells.col1), "5");
  }
  EXPECT_EQ(host.boxes.size(), 3u);
}

TEST_F(SelectionCommands, ModifyFormsSetAddScaleAndClampShowingWholeNumbers) {
  struct ModifyCase {
    TableId table;
    const char* start;
    const char* answer;
    double charted;
    const char* shown;
  };
  const ModifyCase cases[] = {
      {TableId::FrontCylTrim, "12", "80%", 9.6, "10"},
      {TableId::FrontCylTrim, "28", "+15%", 30, "30"},
      {TableId::FrontCylTrim, "3", "30", 30, "30"},
      {TableId::FrontCylTrim, "3", " +10 ", 13, "13"},
      {TableId::FrontCylTrim, "-18", "-5", -20, "-20"},
      {TableId::Retard, "-7", "-5", 10, "-10"},
      {TableId::Retard, "-7", "30", 0, "0"},
  };
  for (const ModifyCase& entry : cases) {
    Open(entry.table == TableId::Retard ? "QL2 VOSK" : "VOSK", entry.table);
    Put(6, 4, entry.start);
    Select(6, 4, 6, 4);
    host.ExpectInput(entry.answer);
    editor.mnuPopUpModify3D_Click();
    EXPECT_DOUBLE_EQ(Height(6, 4), entry.charted) << entry.start << " " << entry.answer;
    EXPECT_EQ(At(6, 4), entry.shown) << entry.start << " " << entry.answer;
  }
  EXPECT_EQ(host.inputPrompts.back(), tables::kModifyPrompt);
  EXPECT_EQ(std::count(host.inputPrompts.back().begin(), host.inputPrompts.back().end(), '\n'), 6);
  EXPECT_EQ(host.inputTitles.back(), "Modify Selection");
}

TEST_F(SelectionCommands, ModifyCancelledEmptyOrUnreadableChangesNothing) {
  Open("VOSK");
  Put(6, 4, "12");
  Select(6, 4, 6, 5);
  const std::vector<std::string> before = Cells();
  host.ExpectBox(Answer::OK);
  for (const auto& answer : {std::optional<std::string>{}, {"   "}, {"abc"}}) {
    host.ExpectInput(answer);
    editor.mnuPopUpModify3D_Click();
  }
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_NE(host.boxes[0].text.find("is not a change Modify can make"), std::string::npos);
  EXPECT_EQ(Cells(), before);
  EXPECT_TRUE(chart.labelVisible);
}

}  // namespace
