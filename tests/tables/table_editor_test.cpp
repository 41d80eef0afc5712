// The table commands over a fake grid and chart: every question path, the caption,
// the edition cases and the front-to-rear copy.
#include "tables/table_editor.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "fakes/temp_folder.h"
#include "fakes/fake_chart.h"
#include "fakes/fake_grid.h"
#include "fakes/scripted_host.h"
#include "tables/cell_codec.h"

namespace {

using core::Answer;
using tables::TableId;

class RecordingView : public core::WindowView {
 public:
  void SetCaption(const std::string& caption) override { captions.push_back(caption); }
  void SetRetardTableCommandVisible(bool) override {}
  std::vector<std::string> captions;
};

class TableEditorTest : public testing::Test {
 protected:
  explicit TableEditorTest(std::filesystem::path templates = VENTREL_DATA_DIR)
      : editor(image, window, host, std::move(templates)) {
    window.DataSourceText = "t.dat";
    editor.Attach(grid, chart, tableWindow);
  }

  void Load(const char* moduleVersion) {
    image.ModuleVersion = moduleVersion;
    image.FLASHBufferEmpty = false;
    image.EEPROMBufferEmpty = false;
  }

  int Rows() const { return tables::TableLayoutFor(image.ModuleVersion).rows; }
  std::uint8_t Byte(TableId table, int r, int c) const {
    return tables::CellByte(image, table, Rows(), r, c);
  }
  void SetByte(TableId table, int r, int c, std::uint8_t b) {
    tables::SetCellByte(image, table, Rows(), r, c, b);
  }
  std::string Caption() const { return view.captions.empty() ? "" : view.captions.back(); }

  fakes::ScriptedHost host;
  RecordingView view;
  core::WindowState window{view};
  core::ModuleImage image;
  fakes::FakeGrid grid;
  fakes::FakeChart chart;
  fakes::FakeTableWindow tableWindow;
  tables::TableEditor editor;
};

TEST_F(TableEditorTest, EmptyBufferHasNothingToEdit) {
  host.ExpectBox(Answer::OK);
  editor.mnuEditRearCylTrimTbl_Click();
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(host.boxes[0].text, "Data Buffer Empty - Nothing to Edit.");
  EXPECT_EQ(host.boxes[0].title, "Edit Rear Cylinder Fuel Trim");
  EXPECT_EQ(host.boxes[0].icon, core::Icon::Exclamation);
  EXPECT_EQ(editor.ActiveTableName, "");
  EXPECT_FALSE(editor.TableIsOpen());
}

TEST_F(TableEditorTest, JXFrontTableOpensWith22RowsBesideItsChart) {
  Load("JX");
  SetByte(TableId::FrontCylTrim, 22, 9, 112);
  host.clipboard = "1\t2";
  editor.CopyBuffer = "old";
  editor.mnuEditFrontCylTrimTbl_Click();

  EXPECT_TRUE(grid.Visible());
  EXPECT_TRUE(chart.Visible());
  ASSERT_EQ(grid.Rows(), 23);
  ASSERT_EQ(grid.Cols(), 10);
  EXPECT_EQ(grid.TextMatrix(0, 0), "RPM/TPS");
  EXPECT_EQ(grid.TextMatrix(1, 0), "1000");
  EXPECT_EQ(grid.TextMatrix(22, 0), "9500");
  EXPECT_EQ(grid.TextMatrix(0, 2), "2.5%");
  EXPECT_EQ(grid.TextMatrix(22, 9), "-13");
  EXPECT_EQ(grid.TextMatrix(1, 1), "-100");
  EXPECT_TRUE(grid.centred);
  EXPECT_EQ(grid.currentRow, 0);
  EXPECT_EQ(grid.currentCol, 0);
  ASSERT_EQ(chart.templates.size(), 1u);
  EXPECT_EQ(chart.templates[0].rpmAxis.max, 9500);
  EXPECT_EQ(chart.heights.Rows(), 22);
  EXPECT_DOUBLE_EQ(chart.Height(22, 9), -12.5);
  EXPECT_DOUBLE_EQ(editor.TableChartData.At(22, 9), -12.5);
  EXPECT_EQ(chart.holeValue, -999);
  EXPECT_FALSE(chart.batched);
  EXPECT_FALSE(chart.labelVisible);
  EXPECT_EQ(tableWindow.resizes, 1);
  EXPECT_EQ(editor.ActiveTableName, "Front Cylinder Fuel Trim Table");
  EXPECT_EQ(Caption(), "Ventrel Version 5.0 - t.dat - Front Cylinder Fuel Trim Table");
  EXPECT_EQ(editor.CopyBuffer, "");
  EXPECT_EQ(host.clipboard, "1\t2");
  EXPECT_EQ(grid.backgrounds[std::pair(3, 3)], grid.colours.back);
}

TEST_F(TableEditorTest, KQLockedCellsShowZeroInRedAndSaveAsZero) {
  Load("QL2 KQ");
  SetByte(TableId::FrontCylTrim, 14, 6, 200);
  SetByte(TableId::FrontCylTrim, 15, 6, 140);
  SetByte(TableId::Retard, 1, 1, 77);
  editor.mnuEditFrontCylTrimTbl_Click();
  EXPECT_EQ(grid.Rows(), 19);
  EXPECT_EQ(grid.TextMatrix(14, 6), "0");
  EXPECT_EQ(grid.backgrounds[std::pair(14, 6)], tables::kLockedCellColour);
  EXPECT_EQ(grid.backgrounds[std::pair(15, 6)], grid.colours.back);
  EXPECT_EQ(grid.backgrounds[std::pair(14, 7)], grid.colours.back);
  EXPECT_DOUBLE_EQ(chart.Height(14, 6), 0);
  EXPECT_EQ(grid.TextMatrix(15, 6), "9");
  editor.mnuSaveTbl_Click();
  EXPECT_EQ(Byte(TableId::FrontCylTrim, 14, 6), 128);
  EXPECT_EQ(Byte(TableId::FrontCylTrim, 15, 6), 140);

  editor.mnuEditRetardTbl_Click();
  EXPECT_EQ(grid.TextMatrix(1, 1), "0");
  editor.mnuSaveTbl_Click();
  EXPECT_EQ(Byte(TableId::Retard, 1, 1), 0);
}

TEST_F(TableEditorTest, SaveEncodesTheGridClosesAndKeepsTheName) {
  Load("VOSK");
  SetByte(TableId::RearCylTrim, 3, 4, 112);
  editor.mnuEditRearCylTrimTbl_Click();
  grid.SetTextMatrix(1, 1, "12.5");
  grid.SetTextMatrix(2, 1, "not a number");
  editor.CopyBuffer = "copied";
  editor.mnuSaveTbl_Click();
  EXPECT_EQ(Byte(TableId::RearCylTrim, 3, 4), 111);
  EXPECT_EQ(Byte(TableId::RearCylTrim, 1, 1), 144);
  EXPECT_EQ(Byte(TableId::RearCylTrim, 2, 1), 128);
  EXPECT_FALSE(image.FLASHBufferEmpty);
  EXPECT_FALSE(grid.Visible());
  EXPECT_FALSE(chart.Visible());
  EXPECT_EQ(editor.ActiveTableName, "Rear Cylinder Fuel Trim Table");
  EXPECT_EQ(editor.CopyBuffer, "");
  EXPECT_EQ(tableWindow.pasteEnabled.back(), false);
  EXPECT_EQ(Caption(), "Ventrel Version 5.0 - t.dat");
}

TEST_F(TableEditorTest, SaveWithNoTableOpenSaysSo) {
  Load("VOSK");
  host.ExpectBox(Answer::OK);
  editor.mnuSaveTbl_Click();
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(host.boxes[0].text, "No active table to save");
  EXPECT_EQ(host.boxes[0].title, "Save Table Edits To Buffer");
  EXPECT_TRUE(view.captions.empty());
}

TEST_F(TableEditorTest, OpeningOverAnOpenTableAsksAndFollowsTheAnswer) {
  Load("QL2 VOSK");
  struct Case {
    Answer answer;
    std::uint8_t savedByte;
    bool reopened;
  };
  for (const Case& c : {Case{Answer::Yes, 154, true}, Case{Answer::No, 128, true},
                        Case{Answer::Cancel, 128, false}}) {
    SetByte(TableId::FrontCylTrim, 1, 1, 128);
    editor.mnuEditFrontCylTrimTbl_Click();
    grid.SetTextMatrix(1, 1, "20");
    editor.CopyBuffer = "kept";
    host.ExpectBox(c.answer);
    editor.mnuEditRetardTbl_Click();
    EXPECT_EQ(host.boxes.back().text, "Save present table edits to buffer?");
    EXPECT_EQ(host.boxes.back().title, "Edit New Table");
    EXPECT_EQ(host.boxes.back().buttons, core::Buttons::YesNoCancel);
    EXPECT_EQ(Byte(TableId::FrontCylTrim, 1, 1), c.savedByte);
    EXPECT_TRUE(grid.Visible());
    EXPECT_EQ(editor.ActiveTableName,
              c.reopened ? "Retard Table" : "Front Cylinder Fuel Trim Table");
    EXPECT_EQ(editor.CopyBuffer, c.reopened ? "" : "kept");
    if (!c.reopened) {
      EXPECT_EQ(grid.TextMatrix(1, 1), "20");
    }
    editor.CloseTbl();
  }
}

TEST_F(TableEditorTest, CloseTableAsksOnlyWhileATableIsOpen) {
  Load("VOSK");
  EXPECT_TRUE(editor.mnuCloseTbl_Click());
  EXPECT_TRUE(host.boxes.empty());
  EXPECT_EQ(Caption(), "Ventrel Version 5.0 - t.dat");

  for (const Answer answer : {Answer::Yes, Answer::No, Answer::Cancel}) {
    SetByte(TableId::FrontCylTrim, 2, 2, 128);
    editor.mnuEditFrontCylTrimTbl_Click();
    grid.SetTextMatrix(2, 2, "-20");
    host.ExpectBox(answer);
    EXPECT_EQ(editor.mnuCloseTbl_Click(), answer != Answer::Cancel);
    EXPECT_EQ(host.boxes.back().text, "Save table edits to buffer before closing?");
    EXPECT_EQ(host.boxes.back().title, "Close Table");
    EXPECT_EQ(Byte(TableId::FrontCylTrim, 2, 2), answer == Answer::Yes ? 102 : 128);
    EXPECT_EQ(grid.Visible(), answer == Answer::Cancel);
    EXPECT_EQ(editor.ActiveTableName, "Front Cylinder Fuel Trim Table");
    editor.CloseTbl();
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
}

TEST_F(TableEditorTest, CopyWhileTheRearTableIsOpenShowsTheCopiedValues) {
  Load("VOSK");
  SetByte(TableId::FrontCylTrim, 5, 5, 166);
  editor.mnuEditRearCylTrimTbl_Click();
  EXPECT_EQ(grid.TextMatrix(5, 5), "-100");
  host.ExpectBox(Answer::Yes);
  editor.mnuCopyFrontCylFuelTrimRear_Click();
  EXPECT_EQ(grid.TextMatrix(5, 5), "30");
  EXPECT_DOUBLE_EQ(chart.Height(5, 5), 166 / 1.28 - 100);
  editor.mnuSaveTbl_Click();
  EXPECT_EQ(Byte(TableId::RearCylTrim, 5, 5), 166);
}

TEST_F(TableEditorTest, EditPermissionFollowsTheEdition) {
  for (const auto& [version, on] :
       {std::pair{"VOSK", true}, std::pair{"QL2 VOSK", true}, std::pair{"JX", true},
        std::pair{"KQ", false}, std::pair{"QL2 KQ", false}, std::pair{"UNKNOWN", false}}) {
    editor.SetTableEditPermissionFor(version);
    EXPECT_EQ(editor.TableEditPermission(), on) << version;
    EXPECT_EQ(grid.Editable(), on) << version;
    EXPECT_EQ(chart.interactions[tables::ChartInteraction::RotateZoom], on) << version;
    EXPECT_EQ(chart.interactions[tables::ChartInteraction::SelectPoint], on) << version;
  }
}

TEST(TableEditorDetached, PermissionSetBeforeTheGridExistsReachesItWhenAttached) {
  fakes::ScriptedHost host;
  RecordingView view;
  core::WindowState window(view);
  core::ModuleImage image;
  tables::TableEditor editor(image, window, host, VENTREL_DATA_DIR);
  editor.SetTableEditPermission(true);
  editor.CloseTbl();
  EXPECT_FALSE(editor.TableIsOpen());
  fakes::FakeGrid grid;
  fakes::FakeChart chart;
  fakes::FakeTableWindow tableWindow;
  editor.Attach(grid, chart, tableWindow);
  EXPECT_TRUE(grid.Editable());
  EXPECT_EQ(grid.toolTip, "Click to select or double click to edit cell");
}

struct TemplateFolder {
  fakes::TempFolder folder;
};

class TemplateFaultTest : public TemplateFolder, public TableEditorTest {
 protected:
  TemplateFaultTest() : TableEditorTest(folder.path()) {}
};

TEST_F(TemplateFaultTest, MissingOrBrokenTemplateKeepsTheTableClosed) {
  Load("QL2 VOSK");
  folder.Write("Quillon_CylTrim_Chart.oc3", "{\"title\": 5}");
  for (const char* family : {"Quillon_Retard_Chart.oc3", "Quillon_CylTrim_Chart.oc3"}) {
    host.ExpectBox(Answer::OK);
    if (std::string(family).find("Retard") != std::string::npos) {
      editor.mnuEditRetardTbl_Click();
    } else {
      editor.mnuEditFrontCylTrimTbl_Click();
    }
    EXPECT_EQ(host.boxes.back().title, "Form Load");
    EXPECT_EQ(host.boxes.back().text.rfind(
                  "Chart template file " + std::string(family) + " not found.", 0),
              0u);
    EXPECT_FALSE(grid.Visible());
    EXPECT_FALSE(chart.Visible());
  }
  EXPECT_EQ(host.boxes[0].text, "Chart template file Quillon_Retard_Chart.oc3 not found.");
  EXPECT_NE(host.boxes[1].text.find("\"title\" must be a string"), std::string::npos);
  EXPECT_EQ(editor.ActiveTableName, "Front Cylinder Fuel Trim Table");
}

}  // namespace
