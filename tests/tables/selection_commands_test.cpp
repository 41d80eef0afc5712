// The commands on a selection. Copy, Paste and Modify on an open table over the fake
// grid and chart: the clip text, the paste block and its clamp pass, one case per Modify
// form and clamp, the KQ refusal of a block reaching the zone; random answers and pastes
// go to the fuzz target. The values Interpolate, Smooth and the steps give, against
// hand-computed ones on the tables' uneven axes, at the table's edges, beside the KQ
// locked zone and at the range's limits; and the heat map's colours and the changed
// cells' notes.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "fakes/memory_settings.h"
#include "open_table.h"
#include "tables/cell_math.h"
#include "tables/cell_note.h"
#include "tables/cell_text.h"
#include "tables/fill_commands.h"
#include "tables/heat_map.h"
#include "tables/modify_answer.h"
#include "tables/view_options.h"

namespace {

using core::Answer;
using tables::CellRect;
using tables::CellValue;
using tables::Colour;
using tables::TableEditor;
using tables::TableId;
using tables::TableKind;

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

// A block is refused when a corner lies in the zone; the zone's own edges are the table
// map's test.
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
}

// Sparse cell values over a table of 18 rows; the rest read 0.
struct Values {
  std::map<std::pair<int, int>, double> cells;
  double operator()(int r, int c) const {
    const auto at = cells.find({r, c});
    return at == cells.end() ? 0 : at->second;
  }
};

tables::TableAxes Axes() {
  const tables::TableLayout layout = tables::TableLayoutFor("VOSK");
  return {{layout.rpm.begin(), layout.rpm.end()},
          {tables::kTpsPercent.begin(), tables::kTpsPercent.end()}};
}

bool NoLock(int, int) { return false; }

std::map<std::pair<int, int>, double> AsMap(const std::vector<CellValue>& values) {
  std::map<std::pair<int, int>, double> map;
  for (const CellValue& v : values) map[{v.row, v.col}] = v.value;
  return map;
}

// A row is the fill commands' test; here a block on both axes.
TEST(CellMath, InterpolationFollowsTheUnevenRpmAndTpsAxes) {
  // 2750..3500 RPM by 10..40 % TPS: the step from 250 to 500 RPM a row.
  const Values corners{{{{10, 4}, 0}, {{10, 6}, 30}, {{12, 4}, -20}, {{12, 6}, 10}}};
  const auto filled = tables::Interpolated({10, 4, 12, 6}, Axes(), corners, NoLock);
  ASSERT_TRUE(filled);
  const std::map<std::pair<int, int>, double> expected = {{{10, 5}, 10},
                                                          {{11, 4}, -20.0 / 3},
                                                          {{11, 5}, 10.0 / 3},
                                                          {{11, 6}, 70.0 / 3},
                                                          {{12, 5}, -10}};
  const auto got = AsMap(*filled);
  ASSERT_EQ(got.size(), expected.size());
  for (const auto& [cell, value] : expected) EXPECT_NEAR(got.at(cell), value, 1e-9);
  for (const CellRect too : {CellRect{3, 3, 3, 3}, CellRect{3, 3, 3, 4}, CellRect{3, 3, 4, 4}}) {
    EXPECT_FALSE(tables::Interpolated(too, Axes(), Values{}, NoLock));
  }
}

TEST(CellMath, SmoothingWeighsOnlyNeighboursInsideTheTableAndOutsideTheLockedZone) {
  Values values{{{{1, 1}, 9}, {{1, 2}, 18}, {{2, 1}, 0}, {{2, 2}, 27}}};
  // The corner cell has two edge neighbours and one corner neighbour: weights 4+2+2+1.
  auto corner = tables::Smoothed({1, 1, 1, 1}, 18, 9, values, NoLock);
  ASSERT_EQ(corner.size(), 1u);
  EXPECT_DOUBLE_EQ(corner[0].value, (4 * 9 + 2 * 18 + 2 * 0 + 27) / 9.0);

  // Row 15 beside the KQ locked zone above it: rows 14's cells neither change nor count.
  const auto kq = [](int r, int c) { return tables::IsLocked("KQ", r, c); };
  Values beside{{{{14, 1}, 100}, {{14, 2}, 100}, {{15, 1}, 10}, {{15, 2}, 1}, {{16, 1}, 4}}};
  const auto smoothed = AsMap(tables::Smoothed({14, 1, 15, 1}, 18, 9, beside, kq));
  ASSERT_EQ(smoothed.size(), 1u);
  EXPECT_DOUBLE_EQ(smoothed.at({15, 1}), (4 * 10 + 2 * 1 + 2 * 4 + 0) / 9.0);

  // Every value is read before any is written: a block smooths as one.
  Values spike{{{{9, 5}, 36}}};
  const auto block = AsMap(tables::Smoothed({8, 4, 10, 6}, 18, 9, spike, NoLock));
  EXPECT_DOUBLE_EQ(block.at({9, 5}), 36 * 4 / 16.0);
  EXPECT_DOUBLE_EQ(block.at({8, 5}), 36 * 2 / 16.0);
  EXPECT_DOUBLE_EQ(block.at({8, 4}), 36 * 1 / 16.0);
}

TEST(CellMath, StepsStopAtTheTableRange) {
  struct Case {
    TableKind kind;
    double value;
    double units;
    double expected;
  };
  const Case cases[] = {{TableKind::Fuel, 29.6, 1, 30},
                        {TableKind::Fuel, -19.5, -5, -20},
                        {TableKind::Retard, -0.5, 1, 0},
                        {TableKind::Retard, -9, -5, -10}};
  for (const Case& c : cases) {
    const auto stepped = tables::Stepped(
        {2, 2, 2, 2}, c.kind, c.units, [&](int, int) { return c.value; }, NoLock);
    ASSERT_EQ(stepped.size(), 1u);
    EXPECT_DOUBLE_EQ(stepped[0].value, c.expected) << c.value << " by " << c.units;
  }
}

// The commands write what the grid shows: whole numbers, charted as shown.
class FillCommands : public tablestest::OpenTable {
 protected:
  tables::CellNote Note(int row, int col) { return grid.notes[std::pair(row, col)]; }
};

TEST_F(FillCommands, ResultsAreRoundedAsTheGridShowsThemAndCharted) {
  Open("QL2 VOSK", tables::TableId::Retard);
  Put(5, 4, "0");
  Put(5, 7, "-7");
  Select(5, 4, 5, 7);
  editor.mnuInterpolate_Click();
  EXPECT_EQ(At(5, 5) + " " + At(5, 6), "-1 -4");
  EXPECT_DOUBLE_EQ(Height(5, 6), 4);
  host.ExpectInput(" -2.5 ");
  editor.mnuSetValue_Click();
  EXPECT_EQ(At(5, 4) + " " + At(5, 7), "-3 -3");
  EXPECT_EQ(host.inputPrompts.back(), "Enter the value for every selected cell (-10 to 0).");
  editor.StepValues(5);
  EXPECT_EQ(At(5, 5), "0");
  EXPECT_EQ(editor.History().UndoName(), "Step Up");
  host.ExpectInput(std::nullopt);
  editor.mnuSetValue_Click();
  EXPECT_EQ(editor.History().UndoName(), "Step Up");
  EXPECT_TRUE(host.boxes.empty());
}

TEST(HeatMap, EveryColourReadsClearlyAndNeverLooksLikeTheLockedRed) {
  for (const TableKind kind : {TableKind::Fuel, TableKind::Retard}) {
    const tables::ValueRange range = tables::AllowedRange(kind);
    for (double v = range.lowest; v <= range.highest; v += 0.25) {
      const Colour back = tables::HeatColour(kind, v);
      EXPECT_GE(tables::ContrastRatio(back, tables::ReadableTextOn(back)), 4.5) << v;
      // Pure red has neither green nor blue: every scale colour is either bluer than it is
      // red or has at least half as much green as red (orange at the warm end).
      EXPECT_TRUE(back.blue > back.red || 2 * back.green >= back.red) << v;
      EXPECT_GE(std::min(back.green, back.blue), 39) << v;
    }
  }
}

TEST(CellNotes, TellTheExactValueItsByteAndWhatItWas) {
  struct Case {
    TableKind kind;
    const char* text;
    std::uint8_t was;
    const char* wasText;
    tables::CellNote note;
  };
  const Case cases[] = {
      // An untouched cell showing its byte rounded is no change, though it saves as 111.
      {TableKind::Fuel, "-13", 112, "-13", {false, "-13.3 % (byte 111)"}},
      {TableKind::Retard, "-3", 40, "-3", {false, "-3.00\u00B0 (byte 48)"}},
      {TableKind::Retard, "0", 40, "-3", {true, "0.00\u00B0 (byte 0), was -2.50\u00B0"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(tables::NoteFor(c.kind, c.text, c.was, c.wasText), c.note) << c.text;
  }
}

TEST_F(FillCommands, CellsChangedSinceLoadingAreMarkedUntilTheDataAreSaved) {
  Load("VOSK");
  image.FLASHBuffer.fill({128, 128});
  editor.SetTableEditPermissionFor("VOSK");
  editor.mnuEditFrontCylTrimTbl_Click();
  EXPECT_FALSE(Note(2, 2).changed);
  Select(2, 2, 2, 3);
  editor.StepValues(1);
  EXPECT_EQ(Note(2, 2), (tables::CellNote{true, "0.8 % (byte 129), was 0.0 %"}));
  editor.SetShowChanges(false);
  EXPECT_FALSE(Note(2, 3).changed);
  editor.SetShowChanges(true);
  editor.mnuUndo_Click();
  EXPECT_FALSE(Note(2, 3).changed);
  editor.mnuRedo_Click();
  editor.mnuSaveTbl_Click();
  image.MarkInFile();
  editor.mnuEditFrontCylTrimTbl_Click();
  EXPECT_FALSE(Note(2, 2).changed);
}

// Both View switches start on and are remembered per user; turning the heat map off
// paints the grid's own colours, the locked zone stays red.
TEST_F(FillCommands, ViewSwitchesAreRememberedAndRepaintTheOpenTable) {
  fakes::MemorySettings settings;
  tables::LoadViewOptions(editor, settings);
  EXPECT_EQ(std::pair(editor.HeatMap(), editor.ShowChanges()), std::pair(true, true));
  Open("QL2 KQ");
  EXPECT_EQ(grid.backgrounds[std::pair(2, 8)], tables::HeatColour(TableKind::Fuel, 0));
  editor.SetHeatMap(false);
  editor.SetShowChanges(false);
  tables::SaveViewOptions(editor, settings);
  EXPECT_EQ(grid.backgrounds[std::pair(2, 8)], grid.colours.back);
  EXPECT_EQ(grid.backgrounds[std::pair(1, 1)], tables::kLockedCellColour);

  editor.SetHeatMap(true);
  editor.SetShowChanges(true);
  tables::LoadViewOptions(editor, settings);
  EXPECT_EQ(std::pair(editor.HeatMap(), editor.ShowChanges()), std::pair(false, false));
  EXPECT_EQ(grid.backgrounds[std::pair(2, 8)], grid.colours.back);
}

}  // namespace
