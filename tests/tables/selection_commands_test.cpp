// Copy, Paste and Modify on an open table over the fake grid and chart: the clip text,
// the paste block and its clamp pass, every Modify form, the KQ refusals at the zone's
// edges, and random answers that never leave a cell outside its range.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "open_table.h"
#include "tables/cell_text.h"
#include "tables/modify_answer.h"

namespace {

using core::Answer;
using tables::TableId;
using tablestest::OpenTable;

class SelectionCommands : public OpenTable {
 protected:
  void Put(int row, int col, const std::string& text) { grid.SetTextMatrix(row, col, text); }
  std::string At(int row, int col) const { return grid.TextMatrix(row, col); }
  double Height(int row, int col) const { return chart.heights.At(row, col); }

  void Modify(int row, int col, const std::string& start, const char* answer) {
    Put(row, col, start);
    Select(row, col, row, col);
    host.ExpectInput(answer);
    editor.mnuPopUpModify3D_Click();
  }
};

TEST_F(SelectionCommands, CopyGivesTabsAndCrAndPutsLfRowsOnTheClipboard) {
  Open("VOSK");
  const char* values[2][3] = {{"1", "2", "3"}, {"4", "5", "6"}};
  for (int r = 0; r < 2; ++r) {
    for (int c = 0; c < 3; ++c) Put(15 + r, 1 + c, values[r][c]);
  }
  Select(16, 3, 15, 1);
  editor.mnuPopUpCopy3D_Click();
  EXPECT_EQ(editor.CopyBuffer, "1\t2\t3\r4\t5\t6");
  EXPECT_EQ(host.clipboard, "1\t2\t3\n4\t5\t6\n");
  EXPECT_EQ(tableWindow.pasteEnabled.back(), true);

  const std::vector<std::string> before = Cells();
  Select(3, 7, 3, 7);
  editor.mnuPopUpPaste3D_Click();
  for (int r = 0; r < 2; ++r) {
    for (int c = 0; c < 3; ++c) {
      EXPECT_EQ(At(3 + r, 7 + c), values[r][c]);
      EXPECT_DOUBLE_EQ(Height(3 + r, 7 + c), std::stod(values[r][c]));
    }
  }
  std::vector<std::string> after = Cells();
  for (int r = 3; r <= 4; ++r) {
    for (int c = 7; c <= 9; ++c) after[(r - 1) * 9 + c - 1] = before[(r - 1) * 9 + c - 1];
  }
  EXPECT_EQ(after, before);
  EXPECT_EQ(grid.Selection(), (tables::CellRect{3, 7, 3, 7}));
  EXPECT_TRUE(grid.redraw);
  EXPECT_FALSE(chart.batched);
  EXPECT_FALSE(chart.labelVisible);
}

TEST_F(SelectionCommands, PasteDropsWhatLiesBeyondTheTableWhateverTheRowEnds) {
  for (const char* clipboard :
       {"1\t2\t3\r4\t5\t6\r7", "1\t2\t3\n4\t5\t6\n7\n", "1\t2\t3\r\n4\t5\t6\r\n7\r\n"}) {
    Open("VOSK");
    host.clipboard = clipboard;
    Select(17, 8, 17, 8);
    editor.mnuPopUpPaste3D_Click();
    EXPECT_EQ(At(17, 8), "1");
    EXPECT_EQ(At(17, 9), "2");
    EXPECT_EQ(At(18, 8), "4");
    EXPECT_EQ(At(18, 9), "5");
    EXPECT_EQ(At(17, 7), "0");
    EXPECT_EQ(grid.clipTextSet.back(), "1\t2\r4\t5");
  }
}

TEST_F(SelectionCommands, PasteClampsTheWholeTableAndChartsWhatItKeeps) {
  Open("VOSK");
  Put(1, 1, "50");
  host.clipboard = "45\t12.345\t-25\t 7 ";
  Select(10, 2, 12, 4);
  editor.mnuPopUpPaste3D_Click();
  EXPECT_EQ(At(1, 1), "30");
  EXPECT_EQ(At(10, 2), "30");
  EXPECT_DOUBLE_EQ(Height(10, 2), 30);
  EXPECT_EQ(At(10, 3), "12.345");
  EXPECT_DOUBLE_EQ(Height(10, 3), 12.345);
  EXPECT_EQ(At(10, 4), "-20");
  EXPECT_EQ(At(10, 5), " 7 ");
  EXPECT_DOUBLE_EQ(Height(10, 5), 7);
}

TEST_F(SelectionCommands, RetardPasteClampsToZeroAndMinusTenAndChartsPositive) {
  Open("QL2 VOSK", TableId::Retard);
  host.clipboard = "3\t-12\t-2.5";
  Select(5, 5, 5, 5);
  editor.mnuPopUpPaste3D_Click();
  EXPECT_EQ(At(5, 5), "0");
  EXPECT_EQ(At(5, 6), "-10");
  EXPECT_DOUBLE_EQ(Height(5, 6), 10);
  EXPECT_DOUBLE_EQ(Height(5, 7), 2.5);
}

TEST_F(SelectionCommands, PasteOfTextThatIsNoNumberNamesTheCellAndChangesNothing) {
  Open("VOSK");
  const std::vector<std::string> before = Cells();
  const std::string long_text(10000, 'x');
  const std::pair<std::string, std::string> cases[] = {
      {"1\t2,5\t3", "\"2,5\" for the cell at 1000 RPM, 80% TPS"},
      {"1\n\n3", "\"\" for the cell at 1250 RPM, 60% TPS"},
      {"1\t\x01", "\"?\" for the cell at 1000 RPM, 80% TPS"},
      {"5\t" + long_text, "\"xxxxxxxxxxxxxxxxxxxxxxxx...\" for the cell at 1000 RPM, 80% TPS"},
  };
  for (const auto& [clipboard, named] : cases) {
    host.clipboard = clipboard;
    Select(3, 7, 3, 7);
    host.ExpectBox(Answer::OK);
    editor.mnuPopUpPaste3D_Click();
    EXPECT_NE(host.boxes.back().text.find(named), std::string::npos) << host.boxes.back().text;
    EXPECT_EQ(host.boxes.back().title, "Paste Operation");
    EXPECT_EQ(Cells(), before);
  }
  for (const char* empty : {"", "\r\n"}) {
    host.clipboard = empty;
    host.ExpectBox(Answer::OK);
    editor.mnuPopUpPaste3D_Click();
    EXPECT_EQ(host.boxes.back().text.rfind("The clipboard holds no text to paste.", 0), 0u);
  }
  EXPECT_EQ(Cells(), before);
}

TEST_F(SelectionCommands, TenMegabytesOfClipboardPasteOnlyTheTablesBlock) {
  Open("JX");
  std::string clipboard;
  std::mt19937 random(10);
  while (clipboard.size() < 10'000'000) {
    clipboard += std::to_string(static_cast<int>(random() % 200) - 100);
    clipboard += random() % 10 == 0 ? "\r\n" : "\t";
  }
  host.clipboard = clipboard;
  Select(1, 1, 1, 1);
  editor.mnuPopUpPaste3D_Click();
  for (int r = 1; r <= 22; ++r) {
    for (int c = 1; c <= 9; ++c) {
      const double value = tables::CellNumber(At(r, c));
      EXPECT_TRUE(value >= -20 && value <= 30) << At(r, c);
      EXPECT_DOUBLE_EQ(Height(r, c), value);
    }
  }
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
  EXPECT_EQ(At(1, 1), "9");
  EXPECT_EQ(At(1, 2), "9");
  Select(0, 3, 0, 5);
  for (const auto& [title, command] :
       {std::pair{"Copy Operation", &tables::TableEditor::mnuPopUpCopy3D_Click},
        std::pair{"Paste Operation", &tables::TableEditor::mnuPopUpPaste3D_Click},
        std::pair{"Modify Operation", &tables::TableEditor::mnuPopUpModify3D_Click}}) {
    host.ExpectBox(Answer::OK);
    (editor.*command)();
    EXPECT_EQ(host.boxes.back().title, title);
    EXPECT_EQ(host.boxes.back().text.rfind("Only header cells are selected.", 0), 0u);
  }
  EXPECT_EQ(At(0, 3), "5%");
}

TEST_F(SelectionCommands, KQRefusesBlocksThatReachTheLockedZoneAtItsEdges) {
  struct Block {
    tables::CellRect cells;
    bool refused;
  };
  const Block blocks[] = {
      {{14, 6, 15, 7}, true},  {{14, 6, 14, 6}, true}, {{1, 1, 18, 9}, true},
      {{15, 1, 18, 9}, false}, {{1, 7, 18, 9}, false}, {{15, 6, 15, 6}, false},
      {{14, 7, 14, 7}, false}, {{0, 7, 18, 9}, false},
  };
  const std::pair<const char*, void (tables::TableEditor::*)()> commands[] = {
      {"copy", &tables::TableEditor::mnuPopUpCopy3D_Click},
      {"paste", &tables::TableEditor::mnuPopUpPaste3D_Click},
      {"modify", &tables::TableEditor::mnuPopUpModify3D_Click}};
  for (const char* edition : {"KQ", "QL2 KQ"}) {
    Open(edition);
    for (const Block& block : blocks) {
      for (const auto& [verb, command] : commands) {
        host.clipboard = "5";
        editor.CopyBuffer.clear();
        Select(block.cells.row1, block.cells.col1, block.cells.row2, block.cells.col2);
        const std::vector<std::string> before = Cells();
        if (block.refused) host.ExpectBox(Answer::OK);
        if (!block.refused && std::string(verb) == "modify") host.ExpectInput("1");
        const std::size_t boxes = host.boxes.size();
        (editor.*command)();
        if (!block.refused) {
          EXPECT_EQ(host.boxes.size(), boxes) << verb;
          continue;
        }
        ASSERT_EQ(host.boxes.size(), boxes + 1);
        const std::string title =
            std::string(1, static_cast<char>(verb[0] - 'a' + 'A')) + (verb + 1) + " Operation";
        EXPECT_EQ(host.boxes.back().text, "Attempted " + std::string(verb) +
                                              " operation outside allowed KQ version edit area.");
        EXPECT_EQ(host.boxes.back().title, title);
        EXPECT_EQ(host.boxes.back().icon, core::Icon::Critical);
        EXPECT_EQ(Cells(), before);
        EXPECT_EQ(host.clipboard, "5");
        EXPECT_EQ(editor.CopyBuffer, "");
      }
    }
  }
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
      {TableId::FrontCylTrim, "20", "-7.5%", 18.5, "19"},
      {TableId::FrontCylTrim, "28", "+15%", 30, "30"},
      {TableId::FrontCylTrim, "3", "30", 30, "30"},
      {TableId::FrontCylTrim, "3", " +10 ", 13, "13"},
      {TableId::FrontCylTrim, "10", "5-", 15, "15"},
      {TableId::FrontCylTrim, "-18", "-5", -20, "-20"},
      {TableId::FrontCylTrim, "12.5", "100%", 12.5, "13"},
      {TableId::FrontCylTrim, "5", "1e400", 30, "30"},
      {TableId::RearCylTrim, "-3", "-1e400%", 30, "30"},
      {TableId::Retard, "-7", "-5", 10, "-10"},
      {TableId::Retard, "-7", "30", 0, "0"},
      {TableId::Retard, "-2", "+50%", 3, "-3"},
  };
  for (const ModifyCase& entry : cases) {
    Open(entry.table == TableId::Retard ? "QL2 VOSK" : "VOSK", entry.table);
    Modify(6, 4, entry.start, entry.answer);
    EXPECT_DOUBLE_EQ(Height(6, 4), entry.charted) << entry.start << " " << entry.answer;
    EXPECT_EQ(At(6, 4), entry.shown) << entry.start << " " << entry.answer;
  }
  EXPECT_EQ(host.inputPrompts.back(), tables::kModifyPrompt);
  EXPECT_EQ(host.inputTitles.back(), "Modify Selection");
  EXPECT_EQ(std::count(host.inputPrompts.back().begin(), host.inputPrompts.back().end(), '\n'), 6);
}

TEST_F(SelectionCommands, ModifyCancelledEmptyOrUnreadableChangesNothing) {
  Open("VOSK");
  Put(6, 4, "12");
  Put(6, 5, "-3");
  Select(6, 4, 6, 5);
  chart.heights.At(6, 4) = 12;
  const std::vector<std::string> before = Cells();
  host.ExpectInput(std::nullopt);
  editor.mnuPopUpModify3D_Click();
  host.ExpectInput("   ");
  editor.mnuPopUpModify3D_Click();
  for (const char* answer : {"abc", "%", "+", "-", "x5"}) {
    host.ExpectInput(answer);
    host.ExpectBox(Answer::OK);
    editor.mnuPopUpModify3D_Click();
    EXPECT_EQ(host.boxes.back().title, "Modify Selection");
    EXPECT_NE(host.boxes.back().text.find("is not a change Modify can make"), std::string::npos);
  }
  EXPECT_EQ(Cells(), before);
  EXPECT_DOUBLE_EQ(Height(6, 4), 12);
  EXPECT_TRUE(chart.labelVisible);
}

TEST_F(SelectionCommands, RandomModifyAnswersLeaveEveryCellInRange) {
  const std::string alphabet = "0123456789+-.%eE x";
  std::mt19937 random(44);
  Open("QL2 VOSK", TableId::Retard);
  Select(1, 1, 18, 9);
  for (int i = 0; i < 300; ++i) {
    std::string answer(1 + random() % 8, ' ');
    for (char& c : answer) c = alphabet[random() % alphabet.size()];
    const std::string_view trimmed = tables::TrimModifyAnswer(answer);
    host.ExpectInput(answer);
    if (!trimmed.empty() && !tables::ReadModifyAnswer(trimmed)) host.ExpectBox(Answer::OK);
    editor.mnuPopUpModify3D_Click();
    for (int r = 1; r <= 18; ++r) {
      for (int c = 1; c <= 9; ++c) {
        ASSERT_TRUE(tables::IsNumeric(At(r, c))) << answer;
        const double shown = tables::CellNumber(At(r, c));
        ASSERT_TRUE(shown >= -10 && shown <= 0) << answer;
        ASSERT_TRUE(Height(r, c) >= 0 && Height(r, c) <= 10) << answer;
      }
    }
  }
}

}  // namespace
