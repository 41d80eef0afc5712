#include "qt/table_grid.h"

#include <QAbstractButton>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyleOptionHeader>
#include <QStylePainter>
#include <QTimer>
#include <algorithm>

#include "qt/grid_delegate.h"
#include "qt/qt_text.h"
#include "qt/twips.h"
#include "tables/clip_text.h"

namespace qtui {

namespace {

QColor ToQColor(tables::Colour colour) { return QColor(colour.red, colour.green, colour.blue); }

tables::Colour FromQColor(const QColor& colour) {
  return {static_cast<std::uint8_t>(colour.red()), static_cast<std::uint8_t>(colour.green()),
          static_cast<std::uint8_t>(colour.blue())};
}

// The grid's button codes: 1 left, 2 right, 4 middle; shift 1, control 2, alt 4.
int ButtonCode(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton:
      return 1;
    case Qt::RightButton:
      return 2;
    case Qt::MiddleButton:
      return 4;
    default:
      return 0;
  }
}

int ShiftCode(Qt::KeyboardModifiers modifiers) {
  return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
         (modifiers & Qt::AltModifier ? 4 : 0);
}

// Paints the corner cell (0, 0) as a header section with its text; the view's corner
// has none of its own.
class CornerLabel : public QObject {
 public:
  CornerLabel(const GridModel& model, QAbstractButton* corner)
      : QObject(corner), model_(model), corner_(*corner) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::Paint) return QObject::eventFilter(watched, event);
    QStyleOptionHeader option;
    option.initFrom(&corner_);
    // The corner takes no clicks, yet reads as the other fixed cells do.
    option.state |= QStyle::State_Enabled;
    option.palette.setCurrentColorGroup(QPalette::Active);
    option.rect = corner_.rect();
    option.position = QStyleOptionHeader::OnlyOneSection;
    option.textAlignment = Qt::AlignCenter;
    if (model_.rowCount() > 0 && model_.columnCount() > 0) option.text = model_.Text(0, 0);
    QStylePainter painter(&corner_);
    painter.drawControl(QStyle::CE_Header, option);
    return true;
  }

 private:
  const GridModel& model_;
  QAbstractButton& corner_;
};

}  // namespace

TableGrid::TableGrid(QWidget* parent) : QTableView(parent), model_(new GridModel(this)) {
  setObjectName(QStringLiteral("VSFlexGrid1"));
  setModel(model_);
  setItemDelegate(new GridDelegate(this));
  // The fixed row and column are the view's headers, so they stay in place while the
  // data scroll, and their labels are never shortened.
  for (QHeaderView* header : {horizontalHeader(), verticalHeader()}) {
    header->setMinimumSectionSize(0);
    header->setSectionResizeMode(QHeaderView::Fixed);
    header->setDefaultAlignment(Qt::AlignCenter);
    header->setTextElideMode(Qt::ElideNone);
  }
  setTextElideMode(Qt::ElideNone);
  setCornerButtonEnabled(false);
  if (auto* corner = findChild<QAbstractButton*>()) {
    corner->installEventFilter(new CornerLabel(*model_, corner));
  }
  setSelectionMode(QAbstractItemView::ContiguousSelection);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  TableGrid::SetEditable(false);
  hide();
}

void TableGrid::SetRows(int rows) {
  model_->SetRows(rows);
  currentRow_ = currentCol_ = 0;
}

void TableGrid::SetCols(int cols) {
  model_->SetCols(cols);
  currentRow_ = currentCol_ = 0;
}

void TableGrid::SetTextMatrix(int row, int col, const std::string& text) {
  model_->SetText(row, col, ToQString(text));
}

std::string TableGrid::TextMatrix(int row, int col) const {
  return ToStdString(model_->Text(row, col));
}

void TableGrid::SetCellBackColour(int row, int col, tables::Colour colour) {
  model_->SetBackground(row, col, ToQColor(colour));
}

void TableGrid::SetCellForeColour(int row, int col, tables::Colour colour) {
  model_->SetForeground(row, col, ToQColor(colour));
}

void TableGrid::SetCellNote(int row, int col, const tables::CellNote& note) {
  model_->SetNote(row, col, note.changed, ToQString(note.toolTip));
}

void TableGrid::SetCurrentCell(int row, int col) {
  model_->Text(row, col);
  const QModelIndex target = model_->IndexOf(row, col);
  if (!target.isValid()) {
    // A fixed cell is current: no data cell is, and none is marked.
    selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::Clear);
    MoveCurrentCell(row, col);
    return;
  }
  if (currentIndex() == target) {
    selectionModel()->select(target, QItemSelectionModel::ClearAndSelect);
    MoveCurrentCell(row, col);
    return;
  }
  setCurrentIndex(target);
}

void TableGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  QTableView::currentChanged(current, previous);
  if (current.isValid()) MoveCurrentCell(GridModel::GridRow(current), GridModel::GridCol(current));
}

void TableGrid::MoveCurrentCell(int newRow, int newCol) {
  if (newRow == currentRow_ && newCol == currentCol_) return;
  bool cancel = false;
  if (sink_) sink_->LeaveCell(currentRow_, currentCol_, newRow, newCol, cancel);
  const int oldRow = std::exchange(currentRow_, newRow);
  const int oldCol = std::exchange(currentCol_, newCol);
  if (sink_) sink_->EnterCell(oldRow, oldCol, newRow, newCol);
}

void TableGrid::SetCurrentCellColours(tables::Colour back, tables::Colour fore) {
  model_->SetColours(currentRow_, currentCol_, ToQColor(back), ToQColor(fore));
}

tables::GridColours TableGrid::Colours() const {
  const QPalette& colours = palette();
  return {FromQColor(colours.color(QPalette::Base)), FromQColor(colours.color(QPalette::Text)),
          FromQColor(colours.color(QPalette::Highlight)),
          FromQColor(colours.color(QPalette::HighlightedText))};
}

tables::CellRect TableGrid::Selection() const {
  const QModelIndexList selected = selectionModel()->selectedIndexes();
  if (selected.isEmpty()) return {currentRow_, currentCol_, currentRow_, currentCol_};
  const int row = GridModel::GridRow(selected.front());
  const int col = GridModel::GridCol(selected.front());
  tables::CellRect rect{row, col, row, col};
  for (const QModelIndex& index : selected) {
    rect.row1 = std::min(rect.row1, GridModel::GridRow(index));
    rect.col1 = std::min(rect.col1, GridModel::GridCol(index));
    rect.row2 = std::max(rect.row2, GridModel::GridRow(index));
    rect.col2 = std::max(rect.col2, GridModel::GridCol(index));
  }
  return rect;
}

void TableGrid::ExtendSelection(int row, int col) {
  model_->Text(row, col);
  // The fixed row and column hold no data: a block reaching them starts at the data.
  const QItemSelection range(model_->IndexOf(std::max(1, std::min(currentRow_, row)),
                                             std::max(1, std::min(currentCol_, col))),
                             model_->IndexOf(std::max(1, std::max(currentRow_, row)),
                                             std::max(1, std::max(currentCol_, col))));
  selectionModel()->select(range, QItemSelectionModel::ClearAndSelect);
}

std::string TableGrid::ClipText(const tables::CellRect& rect) const {
  tables::ClipBlock block;
  for (int r = rect.row1; r <= rect.row2; ++r) {
    std::vector<std::string>& row = block.emplace_back();
    for (int c = rect.col1; c <= rect.col2; ++c) row.push_back(ToStdString(model_->Text(r, c)));
  }
  return tables::JoinClipText(block);
}

void TableGrid::SetClipText(const std::string& text) {
  const tables::CellRect rect = Selection();
  const tables::ClipBlock block =
      tables::SplitClipText(text, rect.row2 - rect.row1 + 1, rect.col2 - rect.col1 + 1);
  for (std::size_t i = 0; i < block.size(); ++i) {
    for (std::size_t j = 0; j < block[i].size(); ++j) {
      model_->SetText(rect.row1 + static_cast<int>(i), rect.col1 + static_cast<int>(j),
                      ToQString(block[i][j]));
    }
  }
}

std::string TableGrid::EditText() const {
  return activeEditor_ ? ToStdString(activeEditor_->text()) : std::string();
}

void TableGrid::SetEditable(bool editable) {
  model_->SetEditable(editable);
  setEditTriggers(editable ? QAbstractItemView::DoubleClicked | QAbstractItemView::AnyKeyPressed |
                                 QAbstractItemView::EditKeyPressed
                           : QAbstractItemView::NoEditTriggers);
}

void TableGrid::SetToolTip(const std::string& text) { setToolTip(ToQString(text)); }

void TableGrid::Move(int left, int top, int width, int height) {
  setGeometry(TwipsToPixelsX(*this, left), TwipsToPixelsY(*this, top), TwipsToPixelsX(*this, width),
              TwipsToPixelsY(*this, height));
}

int TableGrid::TotalRowHeight() const {
  int total = horizontalHeader()->height();
  for (int r = 0; r < model_->rowCount(); ++r) total += rowHeight(r);
  return total;
}

// The client area holds the fixed row and column too (the view's headers): all within
// the frame, as if there were no scroll bars.
QSize TableGrid::ClientPixels() const { return contentsRect().size(); }

int TableGrid::ClientWidth() const {
  int pixels = ClientPixels().width();
  // Rows beyond the drawing area bring the vertical scroll bar, which narrows it.
  if (TotalRowHeight() > ClientPixels().height()) {
    pixels -= style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
  }
  return PixelsToTwipsX(*this, std::max(0, pixels));
}

int TableGrid::ClientHeight() const {
  return PixelsToTwipsY(*this, std::max(0, ClientPixels().height()));
}

void TableGrid::SetRowHeights(int height) {
  const int pixels = std::max(0, TwipsToCellPixelsY(*this, height));
  verticalHeader()->setDefaultSectionSize(pixels);
  for (int r = 0; r < model_->rowCount(); ++r) setRowHeight(r, pixels);
  horizontalHeader()->setFixedHeight(pixels);
}

void TableGrid::SetColWidth(int col, int width) {
  const int pixels = std::max(0, TwipsToCellPixelsX(*this, width));
  if (col == 0) {
    verticalHeader()->setFixedWidth(pixels);
  } else {
    setColumnWidth(col - 1, pixels);
  }
}

void TableGrid::SetColWidths(int width) {
  for (int c = 0; c < Cols(); ++c) SetColWidth(c, width);
}

void TableGrid::EditorOpened(QLineEdit* editor, const QModelIndex& index) {
  activeEditor_ = editor;
  editing_ = index;
  checkedText_.reset();
}

bool TableGrid::EntryChecked(const QLineEdit* editor) const {
  return editor == activeEditor_ && checkedText_ && *checkedText_ == editor->text();
}

bool TableGrid::EndEntry() {
  if (!Editing() || !activeEditor_ || !editing_.isValid()) return true;
  // The message about this entry is still on screen.
  if (judging_) return false;
  QLineEdit* editor = activeEditor_;
  bool cancel = false;
  judging_ = true;
  if (sink_)
    sink_->ValidateEdit(GridModel::GridRow(editing_), GridModel::GridCol(editing_), cancel);
  judging_ = false;
  if (cancel) {
    // Back to the editor once the message has gone, unless the edit was abandoned.
    QTimer::singleShot(0, editor, [this, editor] {
      if (Editing() && activeEditor_ == editor) editor->setFocus();
    });
    return false;
  }
  checkedText_ = editor->text();
  commitData(editor);
  activeEditor_ = nullptr;
  closeEditor(editor, QAbstractItemDelegate::NoHint);
  return true;
}

void TableGrid::AbandonEntry() {
  if (!Editing() || !activeEditor_) return;
  QLineEdit* editor = activeEditor_;
  activeEditor_ = nullptr;
  closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
}

void TableGrid::StepDown() {
  if (currentRow_ + 1 < Rows()) SetCurrentCell(currentRow_ + 1, currentCol_);
}

void TableGrid::EntryCommitted(int row, int col) {
  if (sink_) sink_->AfterEdit(row, col);
}

void TableGrid::mousePressEvent(QMouseEvent* event) {
  // A click elsewhere in the grid ends the entry first; a refused one keeps the cell.
  if (!EndEntry()) {
    event->accept();
    return;
  }
  // A right click inside the selection keeps the block for the context menu.
  const QModelIndex at = indexAt(event->position().toPoint());
  const bool keepSelection =
      event->button() == Qt::RightButton && at.isValid() && selectionModel()->isSelected(at);
  if (!keepSelection) QTableView::mousePressEvent(event);
  if (sink_) {
    const QPoint point = event->position().toPoint();
    sink_->MouseDown(ButtonCode(event->button()), ShiftCode(event->modifiers()),
                     PixelsToTwipsX(*this, point.x()), PixelsToTwipsY(*this, point.y()));
  }
}

void TableGrid::mouseDoubleClickEvent(QMouseEvent* event) {
  // The press before it found a refused entry: no second editor beside the open one.
  if (Editing()) {
    event->accept();
    return;
  }
  QTableView::mouseDoubleClickEvent(event);
}

void TableGrid::keyPressEvent(QKeyEvent* event) {
  // A key that reaches the grid itself while an entry is open (the focus came back to
  // the grid after a message) ends the entry first.
  if (!EndEntry()) {
    event->accept();
    return;
  }
  if (event->matches(QKeySequence::Copy)) {
    Q_EMIT copyRequested();
  } else if (event->matches(QKeySequence::Paste)) {
    Q_EMIT pasteRequested();
  } else if (event->key() == Qt::Key_Delete) {
    // Clearing cells is not a table operation: an empty cell would save as zero.
  } else if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
             state() != EditingState) {
    StepDown();
  } else {
    QTableView::keyPressEvent(event);
    return;
  }
  event->accept();
}

}  // namespace qtui
