// The grid's in-place editor: an entry is committed only when the table editor accepts
// it; a refused entry keeps the editor open on the text as typed.
#pragma once

#include <QStyledItemDelegate>

namespace qtui {

class TableGrid;

class GridDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  explicit GridDelegate(TableGrid* grid);

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override;
  void setModelData(QWidget* editor, QAbstractItemModel* model,
                    const QModelIndex& index) const override;
  // A changed cell carries a small triangle in its top right corner.
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;

 protected:
  bool eventFilter(QObject* object, QEvent* event) override;

 private:
  bool KeyPressed(QKeyEvent* key);
  bool FocusLost(const QFocusEvent* focus);

  TableGrid* grid_;
};

}  // namespace qtui
