// A table in the real grid beside the 3D chart on a real display: the front table of an
// example JX tune beside its surface; typed entries refused and accepted, the keys of a
// table, the right button's menu, and blocks copied and pasted through the system
// clipboard, with the chart following. Which answers to the close request save and close
// is the shell's test.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <functional>

#include "qt/chart_snapshot.h"
#include "qt/qt_host.h"
#include "qt/table_chart.h"
#include "qt/table_grid.h"
#include "tables/cell_codec.h"
#include "tables/cell_text.h"
#include "tables/chart_template.h"
#include "tables/table_map.h"
#include "window_rig.h"

namespace {

namespace fs = std::filesystem;
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
    rig_.Trigger("mnuEditFrontCylTrimTbl");
    ASSERT_TRUE(grid_.isVisible());
    grid_.setFocus();
  }

  void Click(int row, int col, Qt::MouseButton button = Qt::LeftButton,
             Qt::KeyboardModifiers modifiers = {}) {
    const QPoint centre = grid_.visualRect(grid_.gridModel()->IndexOf(row, col)).center();
    QTest::mouseClick(grid_.viewport(), button, modifiers, centre);
  }
  // The open in-place editor; closed ones linger until deleted.
  QLineEdit* Editor() {
    for (QLineEdit* editor : grid_.findChildren<QLineEdit*>()) {
      if (editor->isVisible()) return editor;
    }
    return nullptr;
  }
  std::string Text(int row, int col) { return grid_.TextMatrix(row, col); }

  qttest::WindowRig<qttest::ModalBoxHost<SystemClipboardHost>> rig_;
  qttest::ModalBoxHost<SystemClipboardHost>& host_ = rig_.host;
  qtui::frmMain& window_ = rig_.window;
  qtui::TableGrid& grid_ = *window_.grid();
};

// Every way an entry can end either commits a checked value or keeps the editor open on
// the refused text, and a later key cannot slip the refused text through.
TEST_F(TableEditingWidgetTest, EveryWayAnEntryEndsCommitsOnlyACheckedValue) {
  const auto key = [this](Qt::Key k) { return [this, k] { QTest::keyClick(Editor(), k); }; };
  const auto chartClick = [this] {
    for (QWidget* child : window_.chart()->findChildren<QWidget*>()) {
      if (child->focusPolicy() != Qt::NoFocus) return QTest::mouseClick(child, Qt::LeftButton);
    }
    FAIL() << "the chart has no part to click";
  };
  struct Way {
    const char* name;
    std::function<void()> end;
    bool asks;  // false: the entry stays open as typed, without a word
  };
  const Way ways[] = {
      {"Enter", key(Qt::Key_Return), true},
      {"Tab", key(Qt::Key_Tab), true},
      {"Down", key(Qt::Key_Down), true},
      {"Up", key(Qt::Key_Up), true},
      {"Page Down", key(Qt::Key_PageDown), true},
      {"Page Up", key(Qt::Key_PageUp), true},
      {"a click in another cell", [this] { Click(8, 8); }, true},
      {"a click in the chart", chartClick, true},
      {"a menu command", [this] { rig_.Trigger("mnuSaveTbl"); }, true},
      {"the window closing", [this] { window_.close(); }, true},
      {"another window",
       [this] {
         QWidget other;
         other.show();
         other.activateWindow();
         ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
         other.close();
         window_.activateWindow();
         ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
       },
       false},
  };
  const std::uint8_t stored25 = tables::EncodeCell(tables::TableKind::Fuel, 25);
  for (const Way& way : ways) {
    SCOPED_TRACE(way.name);
    window_.session().editor.CloseTbl();
    OpenFrontTable("VOSK");
    host_.boxes.clear();
    const core::ModuleImage image = window_.session().image;
    Click(3, 2);
    const std::string before = Text(3, 2);
    QTest::keyClick(&grid_, Qt::Key_4);
    ASSERT_NE(Editor(), nullptr);
    QTest::keyClicks(Editor(), "5");
    if (way.asks) host_.ExpectBox(Answer::OK);
    way.end();
    QCoreApplication::processEvents();
    EXPECT_EQ(host_.boxes.size(), way.asks ? 1u : 0u);
    ASSERT_NE(Editor(), nullptr);
    EXPECT_EQ(Editor()->text(), "45");
    EXPECT_TRUE(window_.isVisible());
    // The key that once committed the refused text after the message; the chart's 3D
    // view may keep the focus it was clicked for.
    QWidget* focused = QApplication::focusWidget();
    if (focused) host_.ExpectBox(Answer::OK);
    QTest::keyClick(focused ? focused : &window_, Qt::Key_Down);
    EXPECT_EQ(host_.boxes.size(), (way.asks ? 1u : 0u) + (focused ? 1u : 0u));
    EXPECT_EQ(Text(3, 2), before);
    EXPECT_EQ(window_.session().image.FLASHBuffer, image.FLASHBuffer);
    ASSERT_NE(Editor(), nullptr);

    // The user clicks back into the entry and corrects it.
    QTest::mouseClick(Editor(), Qt::LeftButton);
    QCoreApplication::processEvents();
    Editor()->selectAll();
    QTest::keyClicks(Editor(), "25");
    if (std::string(way.name) == "the window closing") {
      host_.ExpectBox(Answer::Cancel);  // "Save data before exiting?"
    }
    way.end();
    QCoreApplication::processEvents();
    if (std::string(way.name) == "a menu command") {
      EXPECT_EQ(tables::CellByte(window_.session().image, tables::TableId::FrontCylTrim, 18, 3, 2),
                stored25);
    } else if (way.asks) {
      EXPECT_EQ(Text(3, 2), "25");
      EXPECT_EQ(Editor(), nullptr);
    }
  }
  window_.session().editor.CloseTbl();
}

// The right button's Copy and Paste through the system clipboard; Ctrl+C and Ctrl+V, Modify
// and the paste's clamping are the selection commands' tests.
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
  EXPECT_EQ(grid_.Selection(), (tables::CellRect{2, 2, 3, 3}));
  rig_.Trigger("mnuPopUpCopy3D");
  menu.hide();
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "1\t2\n3\t4\n");

  QGuiApplication::clipboard()->setText("5\t-7.5\r\n12\t3\r\n");
  Click(17, 8, Qt::RightButton);
  EXPECT_EQ(grid_.Selection(), (tables::CellRect{17, 8, 17, 8}));
  rig_.Trigger("mnuPopUpPaste3D");
  menu.hide();
  EXPECT_EQ(grid_.ClipText({17, 8, 18, 9}), "5\t-7.5\r12\t3");
}

// The editing keys in the real window: typing, Enter and Esc, Ctrl+Z and Ctrl+Y, the Edit
// menu naming the step. The value commands and their results are the cell math tests',
// refusals the every-way test's.
TEST_F(TableEditingWidgetTest, EditingKeysChangeTheGridAndUndoTakesItBack) {
  OpenFrontTable("VOSK");
  QAction* undo = rig_.Item("mnuUndo");
  const auto key = [this](int k, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
    QTest::keyClick(&grid_, static_cast<Qt::Key>(k), modifiers);
    QCoreApplication::processEvents();
  };

  Click(3, 2);
  const std::string before = Text(3, 2);
  key(Qt::Key_Minus, {});
  ASSERT_NE(Editor(), nullptr);
  QTest::keyClicks(Editor(), "7");
  QTest::keyClick(Editor(), Qt::Key_Return);
  EXPECT_EQ(Editor(), nullptr);
  EXPECT_EQ(grid_.CurrentRow(), 4) << "the cell below becomes current";
  EXPECT_EQ(undo->text(), QStringLiteral("&Undo Entry"));
  // Esc drops an entry; Enter with none open moves down.
  key(Qt::Key_F2, {});
  ASSERT_NE(Editor(), nullptr);
  QTest::keyClick(Editor(), Qt::Key_Escape);
  key(Qt::Key_Return, {});
  EXPECT_EQ(Editor(), nullptr);
  EXPECT_EQ(grid_.CurrentRow(), 5);
  key(Qt::Key_Z);
  EXPECT_EQ(Text(3, 2), before);
  EXPECT_FALSE(undo->isEnabled());
  key(Qt::Key_Y);
  EXPECT_EQ(Text(3, 2), "-7");
  EXPECT_NEAR(window_.chart()->SurfaceHeight(3, 2), -7, 1e-4);
  window_.session().editor.CloseTbl();
}

// What the table holds, its labels and the captions are the editor's tests on the fake
// chart; here, the real 3D surface beside the grid and the chart page drawn alike.
TEST(TableChartWidgetTest, TheFrontTableOfAJXTuneIsChartedAsItsPrintedPage) {
  qttest::WindowRig<> rig;
  qtui::frmMain& window = rig.window;
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  rig.Load("JX");
  rig.Trigger("mnuEditFrontCylTrimTbl");
  qtui::TableGrid& grid = *window.grid();
  qtui::TableChart& chart = *window.chart();
  ASSERT_TRUE(grid.isVisible());
  ASSERT_TRUE(chart.isVisible());
  ASSERT_TRUE(chart.HasSurface());
  EXPECT_FALSE(grid.currentIndex().isValid());  // the corner is current: no cell is marked
  const core::ModuleImage& image = window.session().image;
  const double expected = tables::ReadCell(image, tables::TableId::FrontCylTrim, 22, 22, 9).chart;
  EXPECT_NEAR(chart.SurfaceHeight(22, 9), expected, 1e-4);

  // The printed chart page of the command line is drawn with the same set-up.
  const QSize page(480, 360);
  qtui::ChartSnapshot snapshot(
      tables::ReadChartTemplate(fs::path(VENTREL_DATA_DIR) / "Quillon_JX_CylTrim_Chart.oc3"),
      window.session().editor.TableChartData);
  ASSERT_TRUE(snapshot.Available());
  const QImage printed = snapshot.Render(page).convertToFormat(QImage::Format_RGB32);
  const QImage shown = chart.Render(page).convertToFormat(QImage::Format_RGB32);
  int differing = 0;
  for (int y = 0; y < page.height(); ++y) {
    for (int x = 0; x < page.width(); ++x) differing += printed.pixel(x, y) != shown.pixel(x, y);
  }
  EXPECT_LT(differing, page.width() * page.height() / 100);
  // The value of the current cell is written over the 3D view whatever GL can draw.
  grid.SetCurrentCell(22, 9);
  EXPECT_EQ(chart.ValueLine().toStdString(), "9500 RPM, 100 %: " + tables::FormatWhole(expected));
  EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("lblChartTitle"))->text(), "Fuel Trim");
}

}  // namespace
