// Editing a table in the real grid on a real display: typed entries refused and
// accepted, the keys of a table, the right button's menu, and blocks copied and pasted
// through the system clipboard, with the 3D chart following.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

#include "qt/qt_host.h"
#include "qt/table_chart.h"
#include "qt/table_grid.h"
#include "tables/entry_check.h"
#include "window_rig.h"

namespace {

using core::Answer;

// Scripted boxes, and the system clipboard as the program itself uses it.
class SystemClipboardHost : public fakes::ScriptedHost {
 public:
  std::string ClipboardText() override { return system_.ClipboardText(); }
  void SetClipboardText(const std::string& text) override { system_.SetClipboardText(text); }

 private:
  qtui::QtHost system_{nullptr};
};

class TableEditingWidgetTest : public testing::Test {
 protected:
  TableEditingWidgetTest() {
    window_.show();
    window_.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window_));
    QGuiApplication::clipboard()->clear();
  }
  ~TableEditingWidgetTest() override { window_.popUpEdit3D()->hide(); }

  void OpenFrontTable(const char* edition) {
    rig_.Load(edition);
    Item("mnuEditFrontCylTrimTbl")->trigger();
    ASSERT_TRUE(grid_.isVisible());
    grid_.setFocus();
  }

  QAction* Item(const char* name) { return rig_.Item(name); }
  void Click(int row, int col, Qt::MouseButton button = Qt::LeftButton,
             Qt::KeyboardModifiers modifiers = {}) {
    const QPoint centre = grid_.visualRect(grid_.model()->index(row, col)).center();
    QTest::mouseClick(grid_.viewport(), button, modifiers, centre);
  }
  QColor Background(int row, int col) {
    return grid_.model()->data(grid_.model()->index(row, col), Qt::BackgroundRole).value<QColor>();
  }
  // The open in-place editor; closed ones linger until deleted.
  QLineEdit* Editor() {
    for (QLineEdit* editor : grid_.findChildren<QLineEdit*>()) {
      if (editor->isVisible()) return editor;
    }
    return nullptr;
  }
  std::string Text(int row, int col) { return grid_.TextMatrix(row, col); }
  QString SystemClipboard() { return QGuiApplication::clipboard()->text(); }

  qttest::WindowRig<SystemClipboardHost> rig_;
  SystemClipboardHost& host_ = rig_.host;
  qtui::frmMain& window_ = rig_.window;
  qtui::TableGrid& grid_ = *window_.grid();
};

TEST_F(TableEditingWidgetTest, TypedEntryIsRefusedKeptOpenThenAcceptedAndCharted) {
  OpenFrontTable("VOSK");
  Click(3, 2);
  const QColor highlight = grid_.palette().color(QPalette::Highlight);
  EXPECT_EQ(Background(3, 2), highlight);
  QTest::keyClick(&grid_, Qt::Key_4);
  ASSERT_NE(Editor(), nullptr);
  QTest::keyClicks(Editor(), "5");
  EXPECT_EQ(Editor()->text(), "45");
  const std::string before = Text(3, 2);

  host_.ExpectBox(Answer::OK);
  QTest::keyClick(Editor(), Qt::Key_Return);
  EXPECT_EQ(host_.boxes.back().text, tables::kFuelRangeMessage);
  ASSERT_NE(Editor(), nullptr);
  host_.ExpectBox(Answer::OK);
  QTest::keyClick(Editor(), Qt::Key_Down);
  host_.ExpectBox(Answer::OK);
  Click(8, 8);
  EXPECT_EQ(host_.boxes.size(), 3u);
  ASSERT_NE(Editor(), nullptr);
  EXPECT_EQ(grid_.CurrentRow(), 3);
  EXPECT_EQ(Text(3, 2), before);
  QCoreApplication::processEvents();
  EXPECT_TRUE(Editor()->hasFocus());

  Editor()->selectAll();
  QTest::keyClicks(Editor(), "12.5");
  QTest::keyClick(Editor(), Qt::Key_Return);
  QCoreApplication::processEvents();
  EXPECT_EQ(Editor(), nullptr);
  EXPECT_EQ(Text(3, 2), "12.5");
  EXPECT_NEAR(window_.chart()->SurfaceHeight(3, 2), 12.5, 1e-4);
  EXPECT_EQ(grid_.CurrentRow(), 4);
  EXPECT_NE(Background(3, 2), highlight);
  EXPECT_TRUE(window_.chart()->ValueLabelShown());

  QTest::keyClick(&grid_, Qt::Key_F2);
  ASSERT_NE(Editor(), nullptr);
  QTest::keyClick(Editor(), Qt::Key_Escape);
  QTest::keyClick(&grid_, Qt::Key_Delete);
  QTest::keyClick(&grid_, Qt::Key_Right);
  QTest::keyClick(&grid_, Qt::Key_Return);
  EXPECT_EQ(Editor(), nullptr);
  EXPECT_EQ(grid_.CurrentRow(), 5);
  EXPECT_EQ(grid_.CurrentCol(), 3);
  EXPECT_EQ(host_.boxes.size(), 3u);
}

TEST_F(TableEditingWidgetTest, RightClickCopyAndPasteBlocksThroughTheSystemClipboard) {
  OpenFrontTable("VOSK");
  grid_.SetCurrentCell(2, 2);
  grid_.ExtendSelection(3, 3);
  grid_.SetClipText("1\t2\r3\t4");
  Click(2, 2);
  Click(3, 3, Qt::LeftButton, Qt::ShiftModifier);
  Click(3, 3, Qt::RightButton);
  QMenu& menu = *window_.popUpEdit3D();
  ASSERT_TRUE(menu.isVisible());
  EXPECT_FALSE(Item("mnuPopUpPaste3D")->isEnabled());
  EXPECT_EQ(grid_.Selection(), (tables::CellRect{2, 2, 3, 3}));
  Item("mnuPopUpCopy3D")->trigger();
  menu.hide();
  EXPECT_EQ(SystemClipboard(), "1\t2\n3\t4\n");
  EXPECT_EQ(window_.session().editor.CopyBuffer, "1\t2\r3\t4");
  EXPECT_TRUE(Item("mnuPopUpPaste3D")->isEnabled());

  Click(10, 5);
  QTest::keyClick(&grid_, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(grid_.ClipText({10, 5, 11, 6}), "1\t2\r3\t4");
  EXPECT_NEAR(window_.chart()->SurfaceHeight(11, 6), 4, 1e-4);

  QGuiApplication::clipboard()->setText("45\t-7.5\r\n12\t3\r\n");
  Click(17, 8, Qt::RightButton);
  EXPECT_EQ(grid_.Selection(), (tables::CellRect{17, 8, 17, 8}));
  EXPECT_TRUE(Item("mnuPopUpPaste3D")->isEnabled());
  Item("mnuPopUpPaste3D")->trigger();
  menu.hide();
  EXPECT_EQ(grid_.ClipText({17, 8, 18, 9}), "30\t-7.5\r12\t3");  // 45 clamped to the range
  EXPECT_NEAR(window_.chart()->SurfaceHeight(17, 9), -7.5, 1e-4);

  QTest::keyClick(&grid_, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(SystemClipboard(), "30\n");

  Click(17, 8);
  Click(18, 9, Qt::LeftButton, Qt::ShiftModifier);
  host_.ExpectInput("80%");
  Item("mnuPopUpModify3D")->trigger();
  EXPECT_EQ(host_.inputTitles.back(), "Modify Selection");
  EXPECT_EQ(grid_.ClipText({17, 8, 18, 9}), "24\t-6\r10\t2");
  EXPECT_NEAR(window_.chart()->SurfaceHeight(18, 8), 9.6, 1e-4);
  EXPECT_TRUE(host_.boxes.empty());
}

TEST_F(TableEditingWidgetTest, KQTuneOpensNoEditorOnTypingAndPaintsItsLockedZoneRed) {
  OpenFrontTable("KQ");
  Click(1, 1);
  QTest::keyClick(&grid_, Qt::Key_5);
  EXPECT_EQ(Editor(), nullptr);
  EXPECT_TRUE(host_.boxes.empty());
  Click(2, 1);
  EXPECT_EQ(Background(1, 1), QColor(255, 0, 0));
}

}  // namespace
