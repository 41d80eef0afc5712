// The two print commands over a recording printer: their messages, the documents they
// make, the PDF offer without a printer, and the error prompt's paths mid-document.
#include "print/print_commands.h"

#include <gtest/gtest.h>

#include "fakes/fake_chart.h"
#include "fakes/fake_grid.h"
#include "fakes/recording_print_surface.h"
#include "fakes/recording_view.h"
#include "fakes/scripted_host.h"
#include "print/print_queue.h"

namespace {

using core::Answer;

class PrintCommandsTest : public testing::Test {
 protected:
  PrintCommandsTest() : editor(image, window, host, VENTREL_DATA_DIR) {
    editor.Attach(grid, chart, tableWindow);
    image.ModuleVersion = "JX";
    image.FLASHBufferEmpty = false;
    image.EEPROMBufferEmpty = false;
  }

  void PrintParams() { print::PrintParams(image, request); }
  void PrintTable() { print::Print3DTable(editor, grid, image.ModuleVersion, request); }
  void OpenFrontTable() {
    editor.mnuEditFrontCylTrimTbl_Click();
    ASSERT_TRUE(editor.TableIsOpen());
    chart.labelVisible = true;
  }

  core::ModuleImage image;
  fakes::ScriptedHost host;
  fakes::RecordingView view;
  core::WindowState window{view};
  tables::TableEditor editor;
  fakes::FakeGrid grid;
  fakes::FakeChart chart;
  fakes::FakeTableWindow tableWindow;
  fakes::RecordingPrintSurface surface;
  print::PrintRequest request{host, surface, "Marrowby", "t.dat", [] { return "1/2/2025 10:00"; }};
};

TEST_F(PrintCommandsTest, NothingToPrintSaysSoWithoutAskingForAComment) {
  image.FLASHBufferEmpty = true;
  host.ExpectBox(Answer::OK);
  PrintParams();
  host.ExpectBox(Answer::OK);
  PrintTable();
  EXPECT_EQ(host.boxes, (std::vector<fakes::MessageBoxRecord>{
                            {"Data Buffer Empty - Nothing to Print.", "Print Module Parameters",
                             core::Buttons::OK, core::Icon::Exclamation},
                            {"No Active 3D Table - Nothing to Print.", "Print 3D Table",
                             core::Buttons::OK, core::Icon::Exclamation}}));
  EXPECT_TRUE(host.inputPrompts.empty());
  EXPECT_TRUE(surface.documents.empty());
}

TEST_F(PrintCommandsTest, ParameterPageIsOneDocumentInTenPointsFrom2000Twips) {
  host.ExpectInput(std::nullopt);
  PrintParams();
  EXPECT_EQ(host.inputPrompts, std::vector<std::string>{"Serial number or comment?"});
  ASSERT_EQ(surface.documents.size(), 1u);
  const auto& page = surface.documents[0];
  EXPECT_EQ(page.points, 10);
  EXPECT_TRUE(page.portraitOneCopy);
  EXPECT_EQ(page.firstLineTwips, 2000);
  // The page's own lines are the parameter page's test.
  EXPECT_EQ(page.lines.size(), 27u);
}

TEST_F(PrintCommandsTest, ChartPageThenTableWithEveryJXRowAndTheCommentOnBoth) {
  OpenFrontTable();
  host.ExpectInput("SN 7");
  PrintTable();
  ASSERT_EQ(surface.documents.size(), 2u);
  const auto& chartPage = surface.documents[0];
  const auto& tablePage = surface.documents[1];
  const std::vector<std::string> heading = {
      "         Marrowby Quillon II JX Version Front Cylinder Fuel Trim Table Data Printed: "
      "1/2/2025 10:00",
      "         Filename: t.dat", "         Serial/Comment: SN 7"};
  EXPECT_EQ(chartPage.lines, heading);
  EXPECT_EQ(chartPage.chart, (print::PixelRect{0, 1000, 9600, 11600}));
  EXPECT_FALSE(chart.labelVisible);

  EXPECT_FALSE(tablePage.chart);
  // The heading, a blank line, and the header row with all 22 rows of the JX table; the
  // rows' own layout is the table page's test.
  ASSERT_EQ(tablePage.lines.size(), 3u + 1 + 23);
  EXPECT_TRUE(std::equal(heading.begin(), heading.end(), tablePage.lines.begin()));
  EXPECT_EQ(tablePage.lines[3], "");
  EXPECT_EQ(tablePage.lines[26].substr(0, 17), "           9500  ");
}

TEST_F(PrintCommandsTest, WithoutAChartPictureOnlyTheTablePageIsPrintedAfterANote) {
  OpenFrontTable();
  surface.canDrawChart = false;
  host.ExpectInput("");
  host.ExpectBox(Answer::OK);
  PrintTable();
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(host.boxes[0].icon, core::Icon::Information);
  ASSERT_EQ(surface.documents.size(), 1u);
  EXPECT_EQ(surface.documents[0].lines[2], "");
  EXPECT_EQ(surface.documents[0].lines.size(), 2u + 1 + 23);
}

TEST_F(PrintCommandsTest, WithoutAPrinterThePageCanGoIntoAPdfFile) {
  surface.printerInstalled = false;
  host.ExpectInput("");
  host.ExpectBox(Answer::Yes);
  host.ExpectFileDialog("/home/rider/tune");
  PrintParams();
  EXPECT_EQ(host.boxes.at(0).buttons, core::Buttons::YesNo);
  EXPECT_EQ(host.fileDialogs.at(0).filter, "PDF Files (*.pdf)|*.pdf");
  EXPECT_EQ(surface.pdfFile, "/home/rider/tune.pdf");
  EXPECT_EQ(surface.documents.size(), 1u);

  // Declined: nothing more is printed.
  surface.pdfFile.reset();
  host.ExpectInput("");
  host.ExpectBox(Answer::No);
  PrintParams();
  EXPECT_FALSE(surface.pdfFile);
  EXPECT_EQ(surface.documents.size(), 1u);
}

// Retry prints the failed line, Ignore skips it, Abort drops the document; an abort on the
// chart page ends the command before the table page.
TEST_F(PrintCommandsTest, AFailedLineIsRetriedSkippedOrAbortsTheDocument) {
  OpenFrontTable();
  struct Case {
    std::string page;
    int failOnLineCall;
    Answer answer;
    std::vector<std::size_t> lines;  // of each document printed
  };
  const Case cases[] = {{"parameter", 4, Answer::Retry, {27}},
                        {"parameter", 4, Answer::Ignore, {26}},
                        {"parameter", 4, Answer::Abort, {}},
                        {"chart", 2, Answer::Abort, {}}};
  for (const Case& c : cases) {
    fakes::RecordingPrintSurface failing;
    failing.failOnLineCall = c.failOnLineCall;
    const print::PrintRequest failingRequest{host, failing, "Marrowby", "t.dat",
                                             [] { return "now"; }};
    host.ExpectInput("");
    host.ExpectBox(c.answer);
    if (c.page == "chart") {
      print::Print3DTable(editor, grid, image.ModuleVersion, failingRequest);
    } else {
      print::PrintParams(image, failingRequest);
    }
    EXPECT_EQ(host.boxes.back(), (fakes::MessageBoxRecord{
                                     "Printing the " + c.page + " page failed: paper jam", "Error",
                                     core::Buttons::AbortRetryIgnore, core::Icon::Critical}));
    std::vector<std::size_t> lines;
    for (const auto& document : failing.documents) lines.push_back(document.lines.size());
    EXPECT_EQ(lines, c.lines);
    EXPECT_EQ(failing.killed, c.answer == Answer::Abort ? 1 : 0);
  }
}

TEST(PrintQueue, AJobGoesOnlyToAQueueThatWouldPrintItNow) {
  using print::QueueState;
  const std::pair<QueueState, std::optional<std::string>> cases[] = {
      {{"laser", true, true, false, "none"}, std::nullopt},
      {{"", false, false, false, ""},
       "No printer is chosen and the system has no default printer."},
      {{"gone", false, false, false, ""}, "There is no printer named \"gone\" on this computer."},
      {{"laser", true, false, false, "none"},
       "The printer \"laser\" is not accepting print jobs, so nothing was sent to it."},
      {{"laser", true, false, true, "paused"},
       "The printer \"laser\" is not accepting print jobs (paused), so nothing was sent to it."},
      {{"laser", true, true, true, "media-empty-error"},
       "The printer \"laser\" is stopped (media-empty-error): it would print nothing until it is "
       "started again, so nothing was sent to it."}};
  for (const auto& [state, refusal] : cases) {
    EXPECT_EQ(print::QueueRefusal(state), refusal) << state.name;
  }
}

}  // namespace
