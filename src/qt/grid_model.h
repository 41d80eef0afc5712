// The cells of the table grid: texts and their own background and text colours. Row 0
// and column 0 are the grid's fixed row and column: the view shows them as its header
// sections, so the model's own rows and columns are the data cells, row 1 and column 1
// of the grid being the model's (0, 0). Text() and the setters take grid numbers.
#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QHash>
#include <QPoint>
#include <QSet>
#include <QStringList>
#include <optional>

namespace qtui {

class GridModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit GridModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

  // True for a data cell whose value differs from the data as last loaded or saved.
  static constexpr int kChangedRole = Qt::UserRole + 1;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  // The grid's rows and columns, the fixed ones included.
  int Rows() const { return rows_; }
  int Cols() const { return cols_; }
  void SetRows(int rows);
  void SetCols(int cols);
  void SetCentred(bool centred);
  void SetEditable(bool editable);
  bool Editable() const { return editable_; }

  QString Text(int row, int col) const;
  void SetText(int row, int col, const QString& text);
  void SetBackground(int row, int col, const QColor& colour);
  void SetForeground(int row, int col, const QColor& colour);
  void SetNote(int row, int col, bool changed, const QString& toolTip);
  // A cell's own colours, as the current-cell highlight sets them.
  void SetColours(int row, int col, const QColor& back, const QColor& fore);
  // The grid's number of a data cell of the model, and the model's index of a grid cell
  // (invalid for the fixed row and column).
  static int GridRow(const QModelIndex& index) { return index.row() + 1; }
  static int GridCol(const QModelIndex& index) { return index.column() + 1; }
  QModelIndex IndexOf(int row, int col) const;

 private:
  bool Contains(int row, int col) const;
  qsizetype Index(int row, int col) const { return static_cast<qsizetype>(row) * cols_ + col; }
  void Resize(int rows, int cols);
  void AllChanged();
  void CellChanged(int row, int col);

  int rows_ = 0;
  int cols_ = 0;
  QStringList texts_;
  QHash<qsizetype, QColor> backgrounds_;
  QHash<qsizetype, QColor> foregrounds_;
  QHash<qsizetype, QString> toolTips_;
  QSet<qsizetype> changed_;
  bool centred_ = false;
  bool editable_ = false;
};

}  // namespace qtui
