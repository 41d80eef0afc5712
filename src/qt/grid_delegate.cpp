#include "qt/grid_delegate.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPolygon>

#include <algorithm>

#include "qt/table_grid.h"

namespace qtui {

namespace {

// The change mark's sides, in pixels.
constexpr int kChangeMarkSize = 7;

// The keys that end an entry and then move the current cell.
bool MovesOn(int key) {
  return key == Qt::Key_Tab || key == Qt::Key_Backtab || key == Qt::Key_Up || key == Qt::Key_Down ||
         key == Qt::Key_PageUp || key == Qt::Key_PageDown;
}

}  // namespace

GridDelegate::GridDelegate(TableGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}

QWidget* GridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& /*option*/,
                                    const QModelIndex& index) const {
  auto* editor = new QLineEdit(parent);
  editor->setAlignment(Qt::AlignCenter);
  editor->setFrame(false);
  grid_->EditorOpened(editor, index);
  return editor;
}

void GridDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                const QModelIndex& index) const {
  // Whatever asks for the commit (the grid moving its current cell, the editor losing the
  // focus), text that did not pass the check never reaches the cell.
  const auto* line = qobject_cast<const QLineEdit*>(editor);
  if (!line || !grid_->EntryChecked(line)) return;
  QStyledItemDelegate::setModelData(editor, model, index);
  grid_->EntryCommitted(GridModel::GridRow(index), GridModel::GridCol(index));
}

void GridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const {
  QStyledItemDelegate::paint(painter, option, index);
  if (!index.data(GridModel::kChangedRole).toBool()) return;
  const QRect cell = option.rect;
  const int size = std::min({kChangeMarkSize, cell.width() / 2, cell.height() / 2});
  const QPolygon mark(
      {cell.topRight(), cell.topRight() - QPoint(size, 0), cell.topRight() + QPoint(0, size)});
  // Drawn in the cell's text colour, which the heat map keeps readable.
  const QVariant fore = index.data(Qt::ForegroundRole);
  const bool selected = option.state & QStyle::State_Selected;
  painter->save();
  painter->setPen(Qt::NoPen);
  painter->setBrush(
      selected || !fore.isValid()
          ? option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text)
          : fore.value<QColor>());
  painter->drawPolygon(mark);
  painter->restore();
}

bool GridDelegate::KeyPressed(QKeyEvent* key) {
  const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
  if (!enter && !MovesOn(key->key())) return false;
  if (!grid_->EndEntry()) return true;
  if (enter) {
    grid_->StepDown();
  } else {
    // The grid moves on as it does for the key outside an entry.
    QKeyEvent again(QEvent::KeyPress, key->key(), key->modifiers(), key->text());
    QApplication::sendEvent(grid_, &again);
  }
  return true;
}

bool GridDelegate::FocusLost(const QFocusEvent* focus) {
  // The message about the entry takes the focus while the entry is judged.
  if (grid_->JudgingEntry()) return true;
  // A menu over the editor, another window or the chart's own 3D window (no widget)
  // takes the focus for a while only, and a transfer holds the grid: the entry stays
  // open as typed. A menu command that reads the grid ends it itself.
  const Qt::FocusReason reason = focus->reason();
  const QWidget* now = QApplication::focusWidget();
  if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason || !now ||
      !grid_->isEnabled()) {
    return true;
  }
  // A click elsewhere in the grid is ended by the grid's own press.
  if (reason == Qt::MouseFocusReason && (now == grid_ || now == grid_->viewport())) return true;
  grid_->EndEntry();
  return true;
}

bool GridDelegate::eventFilter(QObject* object, QEvent* event) {
  if (qobject_cast<QLineEdit*>(object) && grid_->Editing()) {
    if (event->type() == QEvent::KeyPress && KeyPressed(static_cast<QKeyEvent*>(event))) {
      return true;
    }
    if (event->type() == QEvent::FocusOut) return FocusLost(static_cast<QFocusEvent*>(event));
  }
  return QStyledItemDelegate::eventFilter(object, event);
}

}  // namespace qtui
