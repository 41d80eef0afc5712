// The cells of the table grid: texts and their own background and text colours.
// Row 0 and column 0 are the fixed header cells and are never editable.
#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QHash>
#include <QPoint>
#include <QStringList>
#include <optional>

namespace qtui {

class GridModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit GridModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  void SetRows(int rows);
  void SetCols(int cols);
  void SetCentred(bool centred);
  void SetEditable(bool editable);
  bool Editable() const { return editable_; }

  QString Text(int row, int col) const;
  void SetText(int row, int col, const QString& text);
  void SetBackground(int row, int col, const QColor& colour);
  // A cell's own colours, as the current-cell highlight sets them.
  void SetColours(int row, int col, const QColor& back, const QColor& fore);
  // The colour the grid paints behind the header cells.
  void SetFixedColour(const QColor& colour) { fixedColour_ = colour; }

 private:
  bool Contains(int row, int col) const;
  qsizetype Index(int row, int col) const { return static_cast<qsizetype>(row) * cols_ + col; }
  void Resize(int rows, int cols);

  int rows_ = 0;
  int cols_ = 0;
  QStringList texts_;
  QHash<qsizetype, QColor> backgrounds_;
  QHash<qsizetype, QColor> foregrounds_;
  QColor fixedColour_;
  bool centred_ = false;
  bool editable_ = false;
};

}  // namespace qtui
