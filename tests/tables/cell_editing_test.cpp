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
  // Types text into (row, col) and ends the entry; a refused one is given up, as Esc does.
  bool Enter(int row, int col, const std::string& text) {
    grid.SetCurrentCell(row, col);
    grid.Type(text);
    if (grid.EndEntry()) return true;
    grid.AbandonEntry();
    return false;
  }
};

// The check itself is the entry check's test; here its message reaches the user and the
// entry stays uncommitted, on the KQ zone's edges and for an unnamed table.
TEST_F(CellEditingTest, RefusedEntriesShowTheirMessageAndStayUncommitted) {
  Open("QL2 KQ", TableId::Retard);
  host.ExpectBox(Answer::OK);
  EXPECT_FALSE(Enter(1, 1, "-1"));
  EXPECT_EQ(host.boxes, (std::vector<fakes::MessageBoxRecord>{{"Retard must be zero in this cell.",
                                                               "Retard Edit", core::Buttons::OK,
                                                               core::Icon::Critical}}));
  EXPECT_EQ(At(1, 1), "0");
  Open("KQ");
  EXPECT_TRUE(Enter(14, 6, "0") && Enter(15, 6, "-5") && Enter(14, 7, "-5"));
  EXPECT_DOUBLE_EQ(Height(15, 6), -5);
  editor.ActiveTableName = "Some Other Table";
  EXPECT_FALSE(Enter(3, 3, "-5"));
  EXPECT_EQ(host.boxes.size(), 1u);
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
  using E = tables::TableEditor;
  const auto saved = [&] { EXPECT_EQ(Byte(TableId::FrontCylTrim, 3, 2), saved25); };
  // clang-format off
  const Case cases[] = {
      {"Save Table Edits To Buffer", &E::mnuSaveTbl_Click, {}, {}, saved},
      {"Close Table, Yes", nullptr, {Answer::Yes}, {}, saved},
      {"opening another table, Yes", &E::mnuEditRearCylTrimTbl_Click, {Answer::Yes}, {}, [&] {
         saved();
         EXPECT_EQ(editor.ActiveTableName, "Rear Cylinder Fuel Trim Table");
       }},
      {"Copy", &E::mnuPopUpCopy3D_Click, {}, {}, [&] { EXPECT_EQ(editor.CopyBuffer, "25"); }},
      {"Paste", &E::mnuPopUpPaste3D_Click, {}, {}, [&] { EXPECT_EQ(At(3, 2), "12.5"); }},
      {"Modify", &E::mnuPopUpModify3D_Click, {}, "+1", [&] { EXPECT_EQ(At(3, 2), "26"); }},
      {"Copy Front Cyl Fuel Trim to Rear", &E::mnuCopyFrontCylFuelTrimRear_Click, {Answer::Yes},
       {}, [&] { EXPECT_EQ(At(3, 2), "25"); }},
  };
  // clang-format on

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
  grid.backgrounds.clear();
  chart.heights.At(14, 6) = 3;
  chart.labelVisible = false;
  grid.SetCurrentCell(14, 6);
  EXPECT_EQ(grid.currentColours[std::pair(14, 6)], std::pair(colours.backSel, colours.foreSel));
  EXPECT_TRUE(chart.labelVisible);
  EXPECT_EQ(chart.labelAt, (std::vector<int>{14, 6}));
  EXPECT_EQ(chart.labelText, "3");
  // A header cell is never marked.
  grid.SetCurrentCell(0, 3);
  EXPECT_EQ(grid.currentColours[std::pair(14, 6)], std::pair(colours.back, colours.fore));
  EXPECT_EQ(grid.backgrounds[std::pair(14, 6)], tables::kLockedCellColour);
  EXPECT_EQ(grid.currentColours.count(std::pair(0, 3)), 0u);
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
