// The table commands over a fake grid and chart: every question path, the caption,
// the edition cases and the front-to-rear copy. The grid's events in an open table:
// entries checked with their messages, accepted entries charted, the current cell marked
// and unmarked, the right button's menu. The chart templates: the shipped ones read,
// broken ones refused with a reason. Undo and Redo: random mixes of every kind of step
// taken back and done again must give the exact bytes, open table, texts and chart of
// each moment; refused commands record nothing; the history stays bounded and starts
// afresh with new data.
#include "tables/table_editor.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <random>
#include <stdexcept>

#include "open_table.h"
#include "tables/cell_codec.h"
#include "tables/chart_template.h"
#include "tables/edit_snapshot.h"
#include "tables/entry_check.h"
#include "tables/fill_commands.h"
#include "tables/heat_map.h"

namespace {

using core::Answer;
using tables::TableEditor;
using tables::TableId;

class TableEditorTest : public tablestest::OpenTable {
 protected:
  explicit TableEditorTest(bool templatesInFolder = false) : OpenTable(templatesInFolder) {
    window.DataSourceText = "t.dat";
  }

  // Types text into (row, col) and ends the entry; a refused one is given up, as Esc does.
  bool Enter(int row, int col, const std::string& text) {
    grid.SetCurrentCell(row, col);
    grid.Type(text);
    if (grid.EndEntry()) return true;
    grid.AbandonEntry();
    return false;
  }
};

TEST_F(TableEditorTest, CommandsWithNothingToWorkOnSaySo) {
  using E = tables::TableEditor;
  for (const auto command : {&E::mnuEditFrontCylTrimTbl_Click, &E::mnuEditRearCylTrimTbl_Click,
                             &E::mnuEditRetardTbl_Click, &E::mnuSaveTbl_Click}) {
    host.ExpectBox(Answer::OK);
    (editor.*command)();
  }
  const auto box = [](const char* text, const char* title) {
    return fakes::MessageBoxRecord{text, title, core::Buttons::OK, core::Icon::Exclamation};
  };
  const char* empty = "Data Buffer Empty - Nothing to Edit.";
  EXPECT_EQ(host.boxes,
            (std::vector{box(empty, "Edit Front Cylinder Fuel Trim"),
                         box(empty, "Edit Rear Cylinder Fuel Trim"), box(empty, "Edit Retard Trim"),
                         box("No active table to save", "Save Table Edits To Buffer")}));
  EXPECT_FALSE(editor.TableIsOpen());
}

TEST_F(TableEditorTest, JXFrontTableOpensWith22RowsBesideItsChart) {
  Load("JX");
  SetByte(TableId::FrontCylTrim, 22, 9, 112);
  host.clipboard = "1\t2";
  editor.CopyBuffer = "old";
  editor.mnuEditFrontCylTrimTbl_Click();
  EXPECT_TRUE(grid.Visible() && chart.Visible());
  ASSERT_EQ(grid.Rows(), 23);
  ASSERT_EQ(grid.Cols(), 10);
  // The labels are the table reading's (the printout's test shows them whole).
  EXPECT_EQ(At(22, 0) + " " + At(22, 9) + " " + At(1, 1), "9500 -13 -100");
  ASSERT_EQ(chart.templates.size(), 1u);
  EXPECT_EQ(chart.templates[0].rpmAxis.max, 9500);
  EXPECT_DOUBLE_EQ(chart.Height(22, 9), -12.5);
  EXPECT_EQ(Caption(), "Ventrel Version 5.0 - t.dat - Front Cylinder Fuel Trim Table");
  // The copy buffer goes, a block the user copied elsewhere stays.
  EXPECT_EQ(editor.CopyBuffer, "");
  EXPECT_EQ(host.clipboard, "1\t2");
}

TEST_F(TableEditorTest, KQLockedCellsShowZeroInRedAndSaveAsZero) {
  Load("QL2 KQ");
  SetByte(TableId::FrontCylTrim, 14, 6, 200);
  SetByte(TableId::FrontCylTrim, 15, 6, 140);
  SetByte(TableId::Retard, 1, 1, 77);
  editor.mnuEditFrontCylTrimTbl_Click();
  EXPECT_EQ(grid.Rows(), 19);
  EXPECT_EQ(At(1, 0) + " " + At(11, 0) + " " + At(12, 0) + " " + At(18, 0), "500 3000 3500 6500");
  EXPECT_EQ(At(14, 6) + " " + At(15, 6), "0 9");
  EXPECT_DOUBLE_EQ(chart.Height(14, 6), 0);
  editor.mnuSaveTbl_Click();
  EXPECT_EQ(
      (std::vector<int>{Byte(TableId::FrontCylTrim, 14, 6), Byte(TableId::FrontCylTrim, 15, 6)}),
      (std::vector<int>{128, 140}));
  editor.mnuEditRetardTbl_Click();
  EXPECT_EQ(At(1, 1), "0");
  editor.mnuSaveTbl_Click();
  EXPECT_EQ(Byte(TableId::Retard, 1, 1), 0);
}

TEST_F(TableEditorTest, SaveEncodesTheGridClosesAndKeepsTheName) {
  Load("VOSK");
  SetByte(TableId::RearCylTrim, 3, 4, 112);
  editor.mnuEditRearCylTrimTbl_Click();
  Put(1, 1, "12.5");
  Put(2, 1, "not a number");
  editor.CopyBuffer = "copied";
  editor.mnuSaveTbl_Click();
  // -12.5 shown as -13 saves as 111; a cell that is no number saves as 0.
  EXPECT_EQ((std::vector<int>{Byte(TableId::RearCylTrim, 3, 4), Byte(TableId::RearCylTrim, 1, 1),
                              Byte(TableId::RearCylTrim, 2, 1)}),
            (std::vector<int>{111, 144, 128}));
  EXPECT_FALSE(grid.Visible() || chart.Visible());
  EXPECT_EQ(editor.CopyBuffer, "");
  EXPECT_EQ(tableWindow.pasteEnabled.back(), false);
  EXPECT_EQ(Caption(), "Ventrel Version 5.0 - t.dat");
}

// Opening another table or closing this one asks whether to keep the edits; Cancel leaves
// the table open as it was, Yes and No go on.
TEST_F(TableEditorTest, OpeningOverAnOpenTableOrClosingItAsksAndFollowsTheAnswer) {
  Load("QL2 VOSK");
  EXPECT_TRUE(editor.mnuCloseTbl_Click());
  EXPECT_TRUE(host.boxes.empty());
  const struct {
    const char* question;
    const char* title;
    std::function<bool()> command;
    const char* goesOnTo;  // the table open after Yes or No
  } commands[] = {
      {"Save present table edits to buffer?", "Edit New Table",
       [this] { return editor.mnuEditRetardTbl_Click(), true; }, "Retard Table"},
      {"Save table edits to buffer before closing?", "Close Table",
       [this] { return editor.mnuCloseTbl_Click(); }, nullptr},
  };
  for (const auto& c : commands) {
    for (const auto& [answer, savedByte] :
         {std::pair{Answer::Yes, 154}, {Answer::No, 128}, {Answer::Cancel, 128}}) {
      SCOPED_TRACE(c.title);
      const bool goesOn = answer != Answer::Cancel;
      SetByte(TableId::FrontCylTrim, 1, 1, 128);
      editor.mnuEditFrontCylTrimTbl_Click();
      Put(1, 1, "20");
      editor.CopyBuffer = "kept";
      host.ExpectBox(answer);
      EXPECT_EQ(c.command(), goesOn || c.goesOnTo);
      EXPECT_EQ(host.boxes.back(),
                (fakes::MessageBoxRecord{c.question, c.title, core::Buttons::YesNoCancel,
                                         core::Icon::Exclamation}));
      EXPECT_EQ(Byte(TableId::FrontCylTrim, 1, 1), savedByte);
      EXPECT_EQ(grid.Visible(), !goesOn || c.goesOnTo);
      // Closing keeps the table's name for Save.
      EXPECT_EQ(editor.ActiveTableName,
                goesOn && c.goesOnTo ? c.goesOnTo : "Front Cylinder Fuel Trim Table");
      EXPECT_EQ(editor.CopyBuffer, goesOn ? "" : "kept");
      EXPECT_TRUE(goesOn || At(1, 1) == "20") << "the entry kept on Cancel";
      editor.CloseTbl();
    }
  }
}

TEST_F(TableEditorTest, FrontToRearCopyMovesTheWholeTableOfTheLayout) {
  for (const auto& [version, words] : {std::pair{"VOSK", 81}, std::pair{"JX", 99}}) {
    Load(version);
    for (int i = 0; i < 128; ++i) {
      image.FLASHBuffer[6656 + i] = {static_cast<std::uint8_t>(i),
                                     static_cast<std::uint8_t>(i + 1)};
      image.FLASHBuffer[6784 + i] = {0xEE, 0xEE};
    }
    host.ExpectBox(Answer::No);
    editor.mnuCopyFrontCylFuelTrimRear_Click();
    EXPECT_EQ(image.FLASHBuffer[6784], (core::FLASHWord{0xEE, 0xEE}));
    host.ExpectBox(Answer::Yes);
    editor.mnuCopyFrontCylFuelTrimRear_Click();
    EXPECT_EQ(host.boxes.back().text, "Are you sure you want to copy the front table to the rear?");
    EXPECT_EQ(host.boxes.back().buttons, core::Buttons::YesNo);
    EXPECT_EQ(image.FLASHBuffer[6784 + words - 1], image.FLASHBuffer[6656 + words - 1]) << version;
    EXPECT_EQ(image.FLASHBuffer[6784 + words], (core::FLASHWord{0xEE, 0xEE})) << version;
  }
  // The open rear table shows the copied values, and saving it keeps them.
  SetByte(TableId::FrontCylTrim, 5, 5, 166);
  editor.mnuEditRearCylTrimTbl_Click();
  host.ExpectBox(Answer::Yes);
  editor.mnuCopyFrontCylFuelTrimRear_Click();
  EXPECT_EQ(At(5, 5), "30");
  EXPECT_DOUBLE_EQ(chart.Height(5, 5), 166 / 1.28 - 100);
  editor.mnuSaveTbl_Click();
  EXPECT_EQ(Byte(TableId::RearCylTrim, 5, 5), 166);
}

TEST_F(TableEditorTest, PermissionSetBeforeTheGridExistsReachesItWhenAttached) {
  tables::TableEditor detached(image, window, host, VENTREL_DATA_DIR);
  detached.SetTableEditPermission(true);
  detached.CloseTbl();
  fakes::FakeGrid otherGrid;
  fakes::FakeChart otherChart;
  fakes::FakeTableWindow otherWindow;
  detached.Attach(otherGrid, otherChart, otherWindow);
  EXPECT_TRUE(otherGrid.Editable());
  EXPECT_EQ(otherGrid.toolTip, "Click to select or double click to edit cell");
  // A module of unknown edition is never edited.
  detached.SetTableEditPermissionFor("UNKNOWN");
  EXPECT_FALSE(otherGrid.Editable() ||
               otherChart.interactions[tables::ChartInteraction::RotateZoom]);
}

// The check itself is the entry check's test and the zone's edges the table map's; here
// its message reaches the user and the entry stays uncommitted, and an unnamed table
// takes no entry.
TEST_F(TableEditorTest, RefusedEntriesShowTheirMessageAndStayUncommitted) {
  Open("QL2 KQ", TableId::Retard);
  host.ExpectBox(Answer::OK);
  EXPECT_FALSE(Enter(1, 1, "-1"));
  EXPECT_EQ(host.boxes, (std::vector<fakes::MessageBoxRecord>{{"Retard must be zero in this cell.",
                                                               "Retard Edit", core::Buttons::OK,
                                                               core::Icon::Critical}}));
  EXPECT_EQ(At(1, 1), "0");
  EXPECT_TRUE(Enter(14, 6, "0"));
  editor.ActiveTableName = "Some Other Table";
  EXPECT_FALSE(Enter(3, 3, "-5"));
  EXPECT_EQ(host.boxes.size(), 1u);
}

// An entry still open when a command reads the grid goes through the same check as Enter:
// refused, it gets its message and the command stops; accepted, the command sees it.
TEST_F(TableEditorTest, EveryCommandThatReadsTheGridEndsTheOpenEntryFirst) {
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

TEST_F(TableEditorTest, TheCurrentCellIsMarkedItsChartPointLabelledAndRedCellsStayRed) {
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

TEST_F(TableEditorTest, RightButtonOffersPasteOnlyWhenThereIsSomethingToPaste) {
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

TEST_F(TableEditorTest, AFailureInsideAnEventGoesToTheErrorPrompt) {
  Open("VOSK");
  chart.heights = tables::ChartValues();
  host.ExpectBox(Answer::Ignore);
  grid.SetCurrentCell(2, 2);
  EXPECT_EQ(host.boxes.back().title, "Error");
}

class TemplateFaultTest : public TableEditorTest {
 protected:
  TemplateFaultTest() : TableEditorTest(true) {}
};

TEST_F(TemplateFaultTest, MissingOrBrokenTemplateKeepsTheTableClosed) {
  Load("QL2 VOSK");
  folder.Write("Quillon_CylTrim_Chart.oc3", "{\"title\": 5}");
  host.ExpectBoxes({Answer::OK, Answer::OK});
  editor.mnuEditRetardTbl_Click();
  editor.mnuEditFrontCylTrimTbl_Click();
  EXPECT_EQ(host.boxes.at(0),
            (fakes::MessageBoxRecord{"Chart template file Quillon_Retard_Chart.oc3 not found.",
                                     "Form Load", core::Buttons::OK, core::Icon::Exclamation}));
  // A broken one says what the reader found wrong.
  EXPECT_NE(host.boxes.at(1).text.find("\"title\" must be a string"), std::string::npos);
  EXPECT_FALSE(grid.Visible() || chart.Visible());
  EXPECT_FALSE(editor.TableIsOpen());
}

const std::string kGood = R"({
  "title": "Fuel Trim",
  "rpmAxis": {"title": "RPM", "min": 500, "max": 6500},
  "tpsAxis": {"title": "TPS %", "min": 0, "max": 100},
  "valueAxis": {"title": "Trim %", "min": -20, "max": 30},
  "gradient": [[0, "#000000"], [1, "#FFfF10"]],
  "camera": {"horizontal": -45, "vertical": 25, "zoom": 110}
})";

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  const auto at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  return text.replace(at, from.size(), to);
}

TEST(ChartTemplate, ReadsTheFieldsAndEveryShippedTemplate) {
  const tables::ChartTemplate t = tables::ParseChartTemplate(kGood);
  ASSERT_EQ(t.gradient.size(), 2u);
  EXPECT_EQ(t.gradient[1].colour, (tables::Colour{255, 255, 16}));
  for (const auto kind : {tables::TableKind::Fuel, tables::TableKind::Retard}) {
    for (const bool jx : {false, true}) {
      const auto name = tables::ChartTemplateFileName(kind, jx);
      EXPECT_NO_THROW(tables::ReadChartTemplate(std::filesystem::path(VENTREL_DATA_DIR) / name))
          << name;
    }
  }
}

// A wrong type and a missing file are the template fault test's.
TEST(ChartTemplate, BrokenTemplatesSayWhatIsWrong) {
  const std::pair<std::string, const char*> cases[] = {
      {"", "ends too early"},
      {"not json", "expected a value"},
      {"[1, 2]", "must be a JSON object"},
      {kGood + "x", "after the end"},
      {Replace(kGood, "\"max\": 6500", "\"max\": \"6500\""),
       "\"rpmAxis\": \"max\" must be a number"},
      {Replace(kGood, "\"min\": 500", "\"min\": 7000"), "\"min\" must be below \"max\""},
      {Replace(kGood, "\"#000000\"", "\"black\""), "#rrggbb"},
      {Replace(kGood, "[[0, \"#000000\"], [1, \"#FFfF10\"]]", "[]"), "\"gradient\" must be"},
      {Replace(kGood, "[0, \"#000000\"]", "[2, \"#000000\"]"), "between 0 and 1"},
      {Replace(kGood, "\"zoom\": 110", "\"zoom\": 0"), "\"zoom\" must lie between"},
      {Replace(kGood, ", \"zoom\": 110", ""), "\"camera\": \"zoom\" is missing"},
      {std::string(100, '[') + std::string(100, ']'), "nested too deeply"},
      {"{\"title\": \"unterminated}", "not closed"},
  };
  for (const auto& [text, says] : cases) {
    try {
      tables::ParseChartTemplate(text);
      ADD_FAILURE() << "accepted: " << text;
    } catch (const std::runtime_error& e) {
      EXPECT_NE(std::string(e.what()).find(says), std::string::npos) << e.what();
    }
  }
}

struct Moment {
  std::vector<std::uint8_t> bytes;
  std::string caption;
  tables::ShownTable shown;
  bool operator==(const Moment&) const = default;
};

void PrintTo(const Moment& m, std::ostream* out) {
  *out << "table " << (m.shown.table ? tables::TableName(*m.shown.table) : "none") << " caption \""
       << m.caption << "\"";
}

// The moments just before a step's command ran and just after it.
struct StepMoments {
  Moment before;
  Moment after;
};

class EditHistoryTest : public tablestest::OpenTable {
 protected:
  Moment Now() const {
    const std::optional<TableId> open =
        editor.TableIsOpen() ? tables::TableFromName(editor.ActiveTableName) : std::nullopt;
    return {tables::ImageBytes(image), Caption(), tables::TableInGrid(grid, chart, open)};
  }

  // Fills the three tables with varied bytes.
  void LoadVaried(const char* edition) {
    Load(edition);
    std::mt19937 bytes(1);
    for (core::FLASHWord& word : image.FLASHBuffer) {
      word = {static_cast<std::uint8_t>(100 + bytes() % 60),
              static_cast<std::uint8_t>(100 + bytes() % 60)};
    }
    for (int r = 1; r <= Rows(); ++r) {
      for (int c = 1; c <= 9; ++c) SetByte(TableId::Retard, r, c, bytes() % 150);
    }
    editor.SetTableEditPermissionFor(edition);
  }

  // One random command with random answers; most record a step, some are refused.
  void RandomCommand(std::mt19937& rng) {
    const auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    host.answerEvery = [&, pick](core::Buttons buttons) {
      if (buttons == core::Buttons::YesNoCancel) return pick(3) == 0 ? Answer::No : Answer::Yes;
      if (buttons == core::Buttons::YesNo) return Answer::Yes;
      return Answer::OK;
    };
    if (!editor.TableIsOpen() && pick(4) != 0) {
      OpenCommand(static_cast<TableId>(pick(image.ModuleVersion == "VOSK" ? 2 : 3)));
      return;
    }
    // Commands on the selection work on a random block; typing and paste move from it.
    if (editor.TableIsOpen()) {
      const int r1 = 1 + pick(Rows());
      const int c1 = 1 + pick(9);
      Select(r1, c1, std::min(Rows(), r1 + pick(4)), std::min(9, c1 + pick(4)));
    }
    const std::function<void()> commands[] = {
        [&] {
          // Typed in the block's first cell; a refused entry is given up, as Esc does.
          grid.Type(std::to_string(pick(11) - 10) + (pick(2) ? ".5" : ""));
          if (!grid.EndEntry()) grid.AbandonEntry();
        },
        [&] {
          host.clipboard = std::to_string(pick(50) - 20) + "\t12.345\r\n" + "7\t" +
                           std::to_string(pick(40) - 50);
          grid.SetCurrentCell(1 + pick(Rows()), 1 + pick(9));
          editor.mnuPopUpPaste3D_Click();
        },
        [&] {
          host.ExpectInput(pick(2) ? "80%" : "+3");
          editor.mnuPopUpModify3D_Click();
        },
        [&] {
          host.ExpectInput(std::to_string(pick(40) - 25));
          editor.mnuSetValue_Click();
        },
        [&] { editor.mnuInterpolate_Click(); },
        [&] { editor.mnuSmooth_Click(); },
        [&] { editor.StepValues(pick(2) ? 5 : -1); },
        [&] { editor.mnuSaveTbl_Click(); },
        [&] { editor.mnuCloseTbl_Click(); },
        [&] { editor.mnuCopyFrontCylFuelTrimRear_Click(); },
        [&] { OpenCommand(static_cast<TableId>(pick(2))); },
    };
    // Entries come twice as often as each other command.
    const int chosen = pick(12);
    commands[chosen == 11 ? 0 : chosen]();
  }

  // One message box for the command, and nothing changed nor recorded.
  void ExpectRefused(void (TableEditor::*command)(), const std::string& text,
                     const std::string& title) {
    const Moment before = Now();
    const std::string step(editor.History().UndoName());
    host.boxes.clear();
    host.ExpectBox(Answer::OK);
    (editor.*command)();
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].text, text);
    EXPECT_EQ(host.boxes[0].title, title);
    EXPECT_EQ(Now(), before);
    EXPECT_EQ(editor.History().UndoName(), step);
  }

  // Runs count random commands. A command that records no step changes no byte and may
  // only open or close a table as the image shows it.
  std::vector<StepMoments> Run(int count) {
    std::mt19937 rng(1);
    std::vector<StepMoments> steps;
    for (int i = 0; i < count; ++i) {
      const std::size_t recorded = editor.History().Size();
      Moment before = Now();
      RandomCommand(rng);
      host.ForgetExpectedInputs();
      Moment after = Now();
      if (editor.History().Size() != recorded) {
        steps.push_back({std::move(before), std::move(after)});
        continue;
      }
      EXPECT_EQ(after.bytes, before.bytes) << "command " << i << " changed bytes without a step";
      if (after.shown.table && after.shown != before.shown) {
        EXPECT_EQ(after.shown.texts, tables::DecodedTexts(image, *after.shown.table))
            << "command " << i << " changed the grid without a step";
      }
    }
    return steps;
  }
};

TEST_F(EditHistoryTest, UndoAndRedoOfRandomStepsGiveBackEveryMomentExactly) {
  for (const char* edition : {"VOSK", "QL2 KQ", "JX"}) {
    SCOPED_TRACE(edition);
    editor.HideForNewData();
    LoadVaried(edition);
    const std::vector<std::uint8_t> loaded = tables::ImageBytes(image);
    const std::vector<StepMoments> steps = Run(150);
    ASSERT_GT(steps.size(), 30u);
    host.answerEvery = [](core::Buttons) { return Answer::OK; };
    for (std::size_t i = steps.size(); i-- > 0;) {
      ASSERT_TRUE(editor.mnuUndo_Click());
      ASSERT_EQ(Now(), steps[i].before)
          << "undoing step " << i << " " << editor.History().RedoName();
    }
    EXPECT_FALSE(editor.mnuUndo_Click());
    EXPECT_EQ(tables::ImageBytes(image), loaded);
    for (std::size_t i = 0; i < steps.size(); ++i) {
      ASSERT_TRUE(editor.mnuRedo_Click());
      ASSERT_EQ(Now(), steps[i].after)
          << "redoing step " << i << " " << editor.History().UndoName();
    }
    EXPECT_FALSE(editor.mnuRedo_Click());
  }
}

// A refused command says why, changes nothing and records no step: Undo still takes back
// the step before. The random steps above meet every other refusal; the refusals every
// selection command shares are the selection commands' test.
TEST_F(EditHistoryTest, RefusedCommandsSayWhyChangeNothingAndRecordNoStep) {
  Open("VOSK");
  Select(16, 8, 16, 8);
  editor.StepValues(5);
  Select(2, 2, 2, 2);
  host.ExpectInput("45");
  ExpectRefused(&TableEditor::mnuSetValue_Click, tables::kFuelRangeMessage, tables::kFuelEditTitle);
  ExpectRefused(&TableEditor::mnuInterpolate_Click, tables::kTooFewToInterpolate,
                tables::kInterpolateOperation.title);
  EXPECT_TRUE(editor.mnuUndo_Click());
  EXPECT_EQ(At(16, 8), "0");
  editor.CloseTbl();
  ExpectRefused(&TableEditor::mnuSmooth_Click,
                "No table is open. Open a table from the Edit menu, select the cells, then try "
                "again.",
                tables::kSmoothOperation.title);
}

// Each step holds the cells it changed: ten thousand entries keep the newest thousand
// steps in a bounded amount of memory. New data end the history.
TEST_F(EditHistoryTest, TenThousandEditsKeepAThousandStepsInFlatMemory) {
  Open("JX");
  std::size_t fullFootprint = 0;
  for (int i = 0; i < 10000; ++i) {
    grid.SetCurrentCell(1 + i % 22, 1 + i % 9);
    grid.Type(std::to_string(i % 2 ? -(i % 20) : i % 30) + ".25");
    ASSERT_TRUE(grid.EndEntry());
    if (i == tables::EditHistory::kDefaultLimit) fullFootprint = editor.History().Footprint();
  }
  EXPECT_EQ(editor.History().Size(), tables::EditHistory::kDefaultLimit);
  EXPECT_LE(editor.History().Footprint(), fullFootprint * 11 / 10);
  EXPECT_LT(editor.History().Footprint(), 400 * tables::EditHistory::kDefaultLimit);
  for (std::size_t i = 0; i < tables::EditHistory::kDefaultLimit; ++i) {
    ASSERT_TRUE(editor.mnuUndo_Click());
  }
  EXPECT_FALSE(editor.mnuUndo_Click());
  EXPECT_EQ(At(1 + 8999 % 22, 1 + 8999 % 9), std::to_string(-(8999 % 20)) + ".25");
  // New data start the history afresh.
  EXPECT_TRUE(editor.mnuRedo_Click());
  editor.HideForNewData();
  EXPECT_FALSE(editor.mnuUndo_Click() || editor.mnuRedo_Click());
}

// Another command records its own step through RecordChange: whatever it changes is one
// step, a change inside it belongs to it, and a change that fails is taken back whole.
TEST_F(EditHistoryTest, ACommandOfItsOwnIsOneStepAndAFailedOneIsTakenBack) {
  Open("VOSK");
  const Moment opened = Now();
  editor.RecordChange("Import Table", [this] {
    Put(5, 5, "7");
    chart.SetHeight(5, 5, 7);
    image.EEPROMBuffer[40] = 9;
    Select(6, 6, 6, 6);
    editor.StepValues(1);
  });
  EXPECT_EQ(editor.History().UndoName(), "Import Table");
  EXPECT_EQ(At(6, 6), "1");
  const Moment imported = Now();
  EXPECT_THROW(editor.RecordChange("Take Cells",
                                   [this] {
                                     Put(7, 7, "3");
                                     image.EEPROMBuffer[41] = 1;
                                     throw std::runtime_error("the other tune went away");
                                   }),
               std::runtime_error);
  EXPECT_EQ(Now(), imported);
  EXPECT_EQ(editor.History().UndoName(), "Import Table");
  EXPECT_FALSE(editor.History().CanRedo());
  EXPECT_TRUE(editor.mnuUndo_Click());
  EXPECT_EQ(Now(), opened);
}

}  // namespace
