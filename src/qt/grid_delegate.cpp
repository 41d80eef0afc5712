#include "qt/grid_delegate.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

#include "qt/table_grid.h"

namespace qtui {

GridDelegate::GridDelegate(TableGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}

QWidget* GridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& /*option*/,
                                    const QModelIndex& index) const {
  auto* editor = new QLineEdit(parent);
  editor->setAlignment(Qt::AlignCenter);
  editor->setFrame(false);
  editing_ = index;
  grid_->SetActiveEditor(editor);
  return editor;
}

void GridDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                const QModelIndex& index) const {
  QStyledItemDelegate::setModelData(editor, model, index);
  grid_->EntryCommitted(index.row(), index.column());
}

bool GridDelegate::eventFilter(QObject* object, QEvent* event) {
  auto* editor = qobject_cast<QLineEdit*>(object);
  bool ending = false;
  bool enter = false;
  if (event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    // The line editor leaves the vertical keys to the grid, which moves to another cell.
    ending = enter || key == Qt::Key_Tab || key == Qt::Key_Backtab || key == Qt::Key_Up ||
             key == Qt::Key_Down || key == Qt::Key_PageUp || key == Qt::Key_PageDown;
  } else if (event->type() == QEvent::FocusOut) {
    // The refusal message takes the focus while the entry is being judged.
    if (validating_) return true;
    // A menu over the editor, or another window, takes the focus for a while only: the
    // entry stays open as typed.
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason) return true;
    ending = true;
  }
  if (editor && ending && editing_.isValid()) {
    validating_ = true;
    const bool accepted = grid_->ValidateEntry(editing_.row(), editing_.column());
    validating_ = false;
    if (!accepted) {
      // Unless the edit has been abandoned meanwhile: a closed editor given the focus
      // would pass it on to the next cell.
      QTimer::singleShot(0, editor, [this, editor] {
        if (grid_->Editing()) editor->setFocus();
      });
      return true;
    }
    if (enter) {
      emit commitData(editor);
      emit closeEditor(editor, QAbstractItemDelegate::NoHint);
      grid_->StepDown();
      return true;
    }
  }
  return QStyledItemDelegate::eventFilter(object, event);
}

}  // namespace qtui
