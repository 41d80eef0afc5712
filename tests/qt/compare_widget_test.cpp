// The comparison window in the main window: Compare With File and Compare With Quillon
// show the differences, selected cells go into the open table. The comparison's printout
// and Export and Import Table are the exchange commands' tests.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>

#include "fakes/temp_folder.h"
#include "qt/compare_commands.h"
#include "qt/frm_compare.h"
#include "qt/link_devices.h"
#include "qt/table_grid.h"
#include "tables/cell_codec.h"
#include "tables/cell_text.h"
#include "window_rig.h"

namespace {

using core::Answer;
using tables::TableId;

constexpr int kRows = 18;

class CompareWindow : public testing::Test {
 protected:
  CompareWindow() {
    rig.Load("QL2 VOSK");
    rig.window.session().window.SetDataSourceText("base.dat");
  }

  core::ModuleImage& Image() { return rig.window.session().image; }
  qtui::frmCompare* Window() { return rig.window.findChild<qtui::frmCompare*>(); }
  std::string Summary() { return Window()->summary()->text().toStdString(); }
  QPushButton* Button(const char* name) {
    return Window()->findChild<QPushButton*>(QString::fromLatin1(name));
  }
  std::string WriteTune(const core::ModuleImage& image) {
    return folder.WriteTune("other.dat", image).string();
  }

  fakes::TempFolder folder;
  qttest::WindowRig<> rig;
};

TEST_F(CompareWindow, CompareWithFileShowsTheDifferenceAndTakesTheSelectedCellIntoTheOpenTable) {
  core::ModuleImage other = Image();
  const std::uint8_t byte = tables::CellByte(other, TableId::FrontCylTrim, kRows, 3, 5);
  tables::SetCellByte(other, TableId::FrontCylTrim, kRows, 3, 5, byte + 4);
  rig.Trigger("mnuEditFrontCylTrimTbl");
  rig.host.ExpectFileDialog(WriteTune(other));
  rig.Trigger("mnuCompareWithFile");
  ASSERT_TRUE(Window() && Window()->isVisible());
  EXPECT_NE(Summary().find("The tunes differ: 1 cell in 1 table."), std::string::npos) << Summary();

  QTableWidget* differences = Window()->differences(TableId::FrontCylTrim);
  ASSERT_TRUE(differences);
  // Where each difference shows and how it reads are the comparison's tests.
  QTableWidgetItem* cell = differences->item(2, 4);
  EXPECT_EQ(cell->text(), QStringLiteral("+3.12"));
  EXPECT_FALSE(Button("cmdTakeCells")->isEnabled());
  Window()->tabs()->setCurrentWidget(differences);
  cell->setSelected(true);
  ASSERT_TRUE(Button("cmdTakeCells")->isEnabled());
  Button("cmdTakeCells")->click();
  const double taken =
      tables::DecodeCell(tables::TableKind::Fuel, static_cast<std::uint8_t>(byte + 4)).displayed;
  EXPECT_EQ(tables::CellNumber(rig.window.grid()->TextMatrix(3, 5)), taken);
  EXPECT_NE(Summary().find("The tunes are the same."), std::string::npos) << Summary();
  EXPECT_TRUE(rig.host.boxes.empty());
}

TEST_F(CompareWindow, CompareWithQuillonReadsTheModuleAndLeavesTheDataInMemory) {
  rig.window.linkDevices().UseSimulatedModule(sim::Edition::QL2Vosk);
  const core::ModuleImage before = Image();
  rig.host.ExpectBox(Answer::OK);
  rig.Trigger("mnuCompareWithQuillon");
  ASSERT_EQ(rig.host.boxes.size(), 1u);
  EXPECT_EQ(rig.host.boxes[0].title, "Compare With Quillon");
  ASSERT_TRUE(Window() && Window()->isVisible());
  EXPECT_NE(Summary().find("Second: the module Quillon II Vosk V2.4 - QL2 VOSK data"),
            std::string::npos)
      << Summary();
  EXPECT_EQ(Image().FLASHBuffer, before.FLASHBuffer);
  EXPECT_TRUE(rig.Item("mnuDownload")->isEnabled());
}

}  // namespace
