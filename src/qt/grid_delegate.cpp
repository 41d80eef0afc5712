#include "qt/grid_delegate.h"

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
  if (event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    ending = key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Tab ||
             key == Qt::Key_Backtab;
  } else if (event->type() == QEvent::FocusOut) {
    // The refusal message takes the focus while the entry is being judged.
    if (validating_) return true;
    ending = true;
  }
  if (editor && ending && editing_.isValid()) {
    validating_ = true;
    const bool accepted = grid_->ValidateEntry(editing_.row(), editing_.column());
    validating_ = false;
    if (!accepted) {
      QTimer::singleShot(0, editor, [editor] { editor->setFocus(); });
      return true;
    }
  }
  return QStyledItemDelegate::eventFilter(object, event);
}

}  // namespace qtui
