// Undo and Redo over the fake grid and chart: random mixes of every kind of step taken
// back and done again must give the exact bytes, open table, texts and chart of each
// moment; refused commands record nothing; the history stays bounded and starts afresh
// with new data.
#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "open_table.h"
#include "tables/edit_snapshot.h"
#include "tables/entry_check.h"
#include "tables/fill_commands.h"

namespace {

using core::Answer;
using tables::TableEditor;
using tables::TableId;

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
  void LoadVaried(const char* edition, unsigned seed) {
    Load(edition);
    std::mt19937 bytes(seed);
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
  std::vector<StepMoments> Run(unsigned seed, int count) {
    std::mt19937 rng(seed);
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
  constexpr unsigned kSeed = 1;
  for (const char* edition : {"VOSK", "QL2 KQ", "JX"}) {
    SCOPED_TRACE(edition);
    editor.HideForNewData();
    LoadVaried(edition, kSeed);
    const std::vector<std::uint8_t> loaded = tables::ImageBytes(image);
    const std::vector<StepMoments> steps = Run(kSeed, 150);
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
