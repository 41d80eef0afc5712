// The desktop program's comparison and table exchange on the fake grid and chart: what
// counts as the data in memory, one change per import or take, refusals that change
// nothing, and the printout's pages.
#include <gtest/gtest.h>

#include <tuple>

#include "app/compare_commands.h"
#include "app/comparison_printout.h"
#include "app/table_exchange.h"
#include "compare/table_csv.h"
#include "fakes/fake_chart.h"
#include "fakes/fake_grid.h"
#include "fakes/recording_print_surface.h"
#include "fakes/recording_view.h"
#include "fakes/scripted_host.h"
#include "fakes/temp_folder.h"
#include "files/base_tune.h"
#include "files/data_file.h"
#include "tables/cell_codec.h"

namespace {

using core::Answer;
using tables::TableId;

class Exchange : public testing::Test {
 protected:
  Exchange() {
    session.editor.Attach(grid, chart, tableWindow);
    session.image = files::BaseTune("QL2 VOSK");
    session.window.SetDataSourceText("base.dat");
    // Byte 112 shows -13, which saving the table would write back as 111.
    tables::SetCellByte(session.image, TableId::FrontCylTrim, 18, 2, 2, 112);
    session.editor.mnuEditFrontCylTrimTbl_Click();
  }

  std::string SaveOther(const core::ModuleImage& image) {
    return folder.WriteTune("other.dat", image).string();
  }
  std::vector<std::string> Texts() const { return grid.texts; }
  std::uint8_t Byte(int r, int c) const {
    return tables::CellByte(session.image, TableId::FrontCylTrim, 18, r, c);
  }

  fakes::TempFolder folder;
  fakes::ScriptedHost host;
  fakes::RecordingView view;
  app::Session session{host, view, app::BuiltInBranding(), VENTREL_DATA_DIR};
  fakes::FakeGrid grid;
  fakes::FakeChart chart;
  fakes::FakeTableWindow tableWindow;
};

TEST_F(Exchange, ExportThenImportOfAnEditedFileChangesOnlyItsCellsAndSavesTheirExactBytes) {
  const std::string csv = (folder.path() / "front.csv").string();
  host.ExpectFileDialog(folder.path() / "front");
  app::ExportTable(session, grid);
  std::string text = files::ReadTextFile(csv, app::kLargestTableCsv);
  EXPECT_EQ(text, compare::TableCsv(session.image, TableId::FrontCylTrim));
  const std::size_t value = text.find("\n6500,") + 6;
  text.replace(value, text.find(',', value) - value, "12.5");
  folder.Write("front.csv", text);
  const std::vector<std::string> before = Texts();

  host.ExpectFileDialog(csv);
  app::ImportTable(session, grid, chart);
  std::vector<std::string> expected = before;
  expected[18 * 10 + 1] = "12.5";
  EXPECT_EQ(Texts(), expected);
  EXPECT_DOUBLE_EQ(chart.heights.At(18, 1), 12.5);
  session.editor.mnuSaveTbl_Click();
  EXPECT_EQ(Byte(18, 1), tables::EncodeCell(tables::TableKind::Fuel, 12.5));
  EXPECT_TRUE(host.boxes.empty());
}

TEST_F(Exchange, AnImportRefusedForAnyReasonLeavesTheGridAsItWas) {
  const std::string bad = folder.Write("bad.csv", "RPM/TPS,0%\n500,1\n").string();
  const std::vector<std::string> before = Texts();
  // A refused CSV names its line; a folder goes to the error prompt; an entry the check
  // refuses keeps the command from starting.
  host.ExpectFileDialog(bad);
  host.ExpectBox(Answer::OK);
  app::ImportTable(session, grid, chart);
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_TRUE(host.boxes[0].text.starts_with(
      "bad.csv was not imported, and the table is as it was.\r\n\r\nLine 1, column 3: "))
      << host.boxes[0].text;
  host.ExpectFileDialog(folder.path().string());
  host.ExpectBox(Answer::Abort);
  app::ImportTable(session, grid, chart);
  EXPECT_EQ(host.boxes.at(1).title, "Error");
  grid.SetCurrentCell(3, 3);
  grid.Type("99");
  host.ExpectBox(Answer::OK);
  app::ImportTable(session, grid, chart);
  EXPECT_EQ(host.boxes.at(2).title, "Fuel Trim Edit");
  EXPECT_EQ(Texts(), before);
  EXPECT_EQ(host.fileDialogs.size(), 2u);
}

TEST_F(Exchange, CompareWithFileSeesUnsavedEntriesAndTakingCellsBringsTheFileBack) {
  const std::string other = SaveOther(session.image);
  grid.SetTextMatrix(5, 4, "25");
  host.ExpectFileDialog(other);
  std::optional<app::ComparedTune> compared = app::CompareWithFile(session, grid);
  ASSERT_TRUE(compared);
  // One cell differs: the typed one; the cell showing -13 of byte 112 is read as its byte.
  const compare::TableComparison* front = compared->comparison.Table(TableId::FrontCylTrim);
  ASSERT_EQ(front->cells.size(), 1u);
  EXPECT_EQ(std::tuple(front->cells[0].rpm, front->cells[0].col, front->cells[0].first),
            std::tuple(1500, 4, 25.0));
  EXPECT_EQ(compared->comparison.secondName, "other.dat");

  EXPECT_TRUE(app::TakeCells(session, grid, chart, *compared, TableId::FrontCylTrim,
                             {{1500, 4}, {1500, 5}}));
  EXPECT_TRUE(app::Recompare(session, grid, *compared).Same());
}

TEST_F(Exchange, TakingCellsIsRefusedWholeForAClosedTableOrAValueOutOfRange) {
  core::ModuleImage wild = session.image;
  tables::SetCellByte(wild, TableId::FrontCylTrim, 18, 1, 1, 0);  // -100 %
  host.ExpectFileDialog(SaveOther(wild));
  const std::optional<app::ComparedTune> compared = app::CompareWithFile(session, grid);
  ASSERT_TRUE(compared);
  const std::vector<std::string> before = Texts();
  host.ExpectBox(Answer::OK);
  EXPECT_FALSE(app::TakeCells(session, grid, chart, *compared, TableId::FrontCylTrim,
                              {{1000, 9}, {500, 1}}));
  EXPECT_EQ(host.boxes.back().text,
            "The other tune's value -100.00 at 500 RPM, 0% TPS is outside the allowed range -20 "
            "to 30, so no cell was taken.");
  host.ExpectBox(Answer::OK);
  EXPECT_FALSE(app::TakeCells(session, grid, chart, *compared, TableId::Retard, {{1000, 9}}));
  EXPECT_EQ(host.boxes.back().text,
            "Open the Retard Table from the Edit menu to take cells of the other tune into it.");
  EXPECT_EQ(Texts(), before);
}

// A short file's message is the data file commands' test.
TEST_F(Exchange, NothingIsComparedWithAnEmptyImage) {
  session.image.ClearEEPROMBuffer();
  host.ExpectBox(Answer::OK);
  EXPECT_FALSE(app::CompareWithFile(session, grid));
  EXPECT_EQ(host.boxes.back().text, "Data Buffer Empty - Nothing to Compare.");
  EXPECT_TRUE(host.fileDialogs.empty());
}

TEST_F(Exchange, TheComparisonPrintsInPagesEachUnderTheHeading) {
  core::ModuleImage other = session.image;
  for (int r = 1; r <= 18; ++r) {
    for (int c = 1; c <= 9; ++c) tables::SetCellByte(other, TableId::RearCylTrim, 18, r, c, 140);
  }
  const compare::TuneComparison comparison =
      compare::CompareTunes(session.image, other, "a.dat", "b.dat");
  fakes::RecordingPrintSurface surface;
  EXPECT_TRUE(app::PrintComparison(comparison, surface,
                                   {"Marrowby", "QL2 VOSK", "a.dat", "", "now"}, host));
  const int perPage = app::ReportLinesPerPage(surface.metrics);
  ASSERT_EQ(surface.documents.size(), 3u);
  for (const auto& page : surface.documents) {
    EXPECT_EQ(page.lines.at(0),
              "         Marrowby Quillon II Vosk Version Comparison Data Printed: now");
    EXPECT_LE(static_cast<int>(page.lines.size()), perPage + 3);
  }
  EXPECT_EQ(surface.documents[0].lines.at(3), "         First:  a.dat - QL2 VOSK data");
}

}  // namespace
