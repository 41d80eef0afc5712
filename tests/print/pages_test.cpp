// The printed pages as text lines. The parameter page: the heading, the firmware ID, the
// user text, the mode lines and each parameter's byte and number form. The table page: its
// fields and lines, the chart rectangle, and the table read from the image as the grid
// shows it. Then the two print commands over a recording printer: their messages, the
// documents they make, the PDF offer without a printer, and the error prompt's paths
// mid-document.
#include <gtest/gtest.h>

#include "fakes/fake_chart.h"
#include "fakes/fake_grid.h"
#include "fakes/recording_print_surface.h"
#include "fakes/recording_view.h"
#include "fakes/scripted_host.h"
#include "print/page_conventions.h"
#include "print/parameter_page.h"
#include "print/print_commands.h"
#include "print/print_queue.h"
#include "print/table_page.h"
#include "tables/table_from_image.h"
#include "tables/table_map.h"

namespace {

constexpr const char* kDate = "1/2/2025 10:00:00 AM";

print::PageHeading Heading(const std::string& moduleVersion, const std::string& comment = "") {
  return {"Marrowby", moduleVersion, "t.dat", comment, kDate};
}

core::ModuleImage Image(const std::string& moduleVersion) {
  core::ModuleImage image;
  image.ModuleVersion = moduleVersion;
  image.FLASHBufferEmpty = false;
  return image;
}

std::vector<std::string> Page(const core::ModuleImage& image, const std::string& comment = "") {
  std::vector<std::string> lines;
  for (const auto& line : print::ParameterPageLines(Heading(image.ModuleVersion, comment), image)) {
    lines.push_back(print::RenderLine(line, 1));
  }
  return lines;
}

TEST(ParameterPage, FileDataOfTheFirstGenerationHasNoFirmwareLineAndNineParameters) {
  core::ModuleImage image = Image("VOSK");
  image.EEPROMBuffer[17] = 0xFB;
  image.EEPROMBuffer[25] = 0x05;
  image.EEPROMBuffer[32] = 0x07;
  const std::string userData =
      "AB\x07"
      "C";
  std::copy(userData.begin(), userData.end(), image.EEPROMBuffer.begin() + 64);
  const std::vector<std::string> expected = {
      "         Marrowby Quillon Vosk Version Parameters Data Printed: 1/2/2025 10:00:00 AM",
      "         Filename: t.dat",
      "",
      "         User Data:          ABC",
      "",
      "         Quillon Basic Mode Enabled",
      "         Injector Swap on Enrichment Mode Enabled",
      "",
      "         Parameter 1:   -5",
      "         Parameter 2:    0",
      "         Parameter 3:    0",
      "         Parameter 4:    0",
      "         Parameter 5:    0",
      "         Parameter 6:    0",
      "         Parameter 7:    0",
      "         Parameter 8:    0",
      "         Parameter 9:    5",
      "",
  };
  EXPECT_EQ(Page(image), expected);
}

TEST(ParameterPage, DownloadedDataHasItsFirmwareIDAfterTheComment) {
  core::ModuleImage image = Image("JX");
  image.FirmwareID = "Quillon II JX 2.1";
  const auto lines = Page(image, "SN 0042");
  ASSERT_GE(lines.size(), 7u);
  EXPECT_EQ(std::vector(lines.begin() + 2, lines.begin() + 7),
            (std::vector<std::string>{"         Serial/Comment: SN 0042", "",
                                      "         Firmware ID:        Quillon II JX 2.1", "",
                                      "         User Data:          "}));
}

// The parameter lines as printed, with one EEPROM byte set.
std::vector<std::string> ParameterText(const char* moduleVersion, std::size_t byte,
                                       std::uint8_t value) {
  core::ModuleImage image = Image(moduleVersion);
  image.EEPROMBuffer[byte] = value;
  std::vector<std::string> lines;
  for (const auto& line : print::ParameterLines(image)) {
    lines.push_back(print::RenderLine(line, print::kLeftColumn));
  }
  return lines;
}

// After the user data and a blank line. Trim shows in advanced mode only (basic mode with
// trim set: the first page); the bits above the three switches are not read.
TEST(ParameterPage, ModeByteLines) {
  const std::string advanced = "Quillon Advanced Mode Enabled";
  const auto all = ParameterText("QL2 VOSK", 32, 0x06);
  EXPECT_EQ(std::vector(all.begin() + 2, all.begin() + 6),
            (std::vector<std::string>{advanced, "Injector Swap on Enrichment Mode Enabled",
                                      "Manual Trim in Advanced Mode Enabled", ""}));
  const auto highBits = ParameterText("QL2 VOSK", 32, 0xF8);
  EXPECT_EQ(std::vector(highBits.begin() + 2, highBits.begin() + 4),
            (std::vector<std::string>{advanced, ""}));
}

// User data, empty, one mode line, empty, then the parameters.
TEST(ParameterPage, ParameterNumberForms) {
  EXPECT_EQ(ParameterText("KQ", 24, 0x80).at(4 + 7), "Parameter 8:   -128");
  // The first generation's ninth parameter is the acceleration enrichment, unsigned.
  EXPECT_EQ(ParameterText("VOSK", 25, 0xF6).at(4 + 8), "Parameter 9:    246");
  EXPECT_EQ(ParameterText("QL2 VOSK", 58, 0x80).at(4 + 9), "Parameter 10:   128");
}

// The Vosk and JX headings and counts are on the pages printed in full.
TEST(ParameterPage, EditionHeadingsAndParameterCounts) {
  const std::vector<std::tuple<const char*, const char*, std::size_t>> cases = {
      {"KQ", "Quillon KQ Version", 9},
      {"QL2 VOSK", "Quillon II Vosk Version", 19},
      {"QL2 KQ", "Quillon II KQ Version", 19},
      {"UNKNOWN", "", 9}};
  for (const auto& [version, heading, parameters] : cases) {
    EXPECT_EQ(print::EditionHeading(version), heading);
    EXPECT_EQ(print::ParameterLines(Image(version)).size(), 4 + parameters) << version;
  }
  EXPECT_EQ(print::RenderLine(print::HeadingLines(Heading("UNKNOWN"), "Parameters")[0], 10),
            std::string("Marrowby  Parameters Data Printed: ") + kDate);
}

TEST(PageConventions, PrinterFontIsMonospac821OnlyWhenOffered) {
  using Fonts = std::vector<std::string>;
  EXPECT_EQ(print::ChoosePrinterFont(Fonts{}), "Courier New");
  EXPECT_EQ(print::ChoosePrinterFont(Fonts{"DejaVu Sans", "Monospac821"}), "Courier New");
  EXPECT_EQ(print::ChoosePrinterFont(Fonts{"Arial", "MONOSPAC821 bt"}), "Monospac821 BT");
}

TEST(TablePage, FieldsAreCentredInEightCharactersAndLongerTextsCut) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"", "        "},
      {"0", "   0    "},
      {"12345678", "12345678"},
      {"123456789", "12345678"},
      // Characters, not bytes: the degree sign is two bytes.
      {"9°C", "  9°C   "},
      {"°°°°°°°°°", "°°°°°°°°"},
  };
  for (const auto& [text, fitted] : cases) EXPECT_EQ(print::FitField(text, 8), fitted) << text;
}

TEST(TablePage, ChartRectangleInPrinterPixelsRoundsHalvesToEven) {
  const std::vector<std::pair<print::PageMetrics, print::PixelRect>> cases = {
      // 37.5 / 15 = 2.5 goes down to 2; 22.5 / 15 = 1.5 goes up to 2.
      {{37.5, 1237.5, 15, 15}, {0, 80, 2, 2}},
      {{22.5, 1222.5, 15, 15}, {0, 80, 2, 2}},
  };
  for (const auto& [metrics, rect] : cases) EXPECT_EQ(print::ChartRectangle(metrics), rect);
}

TEST(TablePage, JXTableFromTheImageHasAllTwentyThreeGridRows) {
  core::ModuleImage image;
  image.ModuleVersion = "JX";
  // Row 22 (9500 RPM), column 9 (100 %) of the front table: byte 0 is -100 %.
  for (int c = 1; c <= 9; ++c)
    tables::SetCellByte(image, tables::TableId::FrontCylTrim, 22, 22, c, 128);
  tables::SetCellByte(image, tables::TableId::FrontCylTrim, 22, 22, 9, 0);
  const tables::TableFromImage table =
      tables::ReadTableFromImage(image, tables::TableId::FrontCylTrim);
  ASSERT_EQ(table.Rows(), 23);
  const auto cell = [&](int r, int c) {
    return table.texts[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)];
  };
  EXPECT_EQ(print::RenderLine(print::TableLine(cell, 0), 1),
            "         RPM/TPS    0%     2.5%     5%     10%     20%     40%     60%     80%    "
            " 100%  ");
  EXPECT_EQ(print::RenderLine(print::TableLine(cell, 22), 1),
            "           9500     0       0       0       0       0       0       0       0     "
            " -100  ");
  EXPECT_EQ(table.chart.Rows(), 22);
  EXPECT_EQ(table.chart.At(22, 9), -100);
  EXPECT_EQ(table.chart.rowPositions.back(), 9500);
}

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
