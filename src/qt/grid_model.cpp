#include "qt/grid_model.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace qtui {

int GridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int GridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : cols_; }

bool GridModel::Contains(int row, int col) const {
  return row >= 0 && row < rows_ && col >= 0 && col < cols_;
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || !Contains(index.row(), index.column())) return {};
  const qsizetype at = Index(index.row(), index.column());
  const bool fixed = index.row() == 0 || index.column() == 0;
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
      return texts_[at];
    case Qt::TextAlignmentRole:
      return centred_ ? QVariant(Qt::AlignCenter) : QVariant();
    case Qt::BackgroundRole:
      if (backgrounds_.contains(at)) return backgrounds_[at];
      return fixed ? QVariant(fixedColour_) : QVariant();
    case Qt::ForegroundRole:
      return foregrounds_.contains(at) ? QVariant(foregrounds_[at]) : QVariant();
    default:
      return {};
  }
}

bool GridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::EditRole || !index.isValid()) return false;
  SetText(index.row(), index.column(), value.toString());
  return true;
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  if (editable_ && index.row() > 0 && index.column() > 0) flags |= Qt::ItemIsEditable;
  return flags;
}

void GridModel::Resize(int rows, int cols) {
  beginResetModel();
  rows_ = std::max(0, rows);
  cols_ = std::max(0, cols);
  texts_ = QStringList(static_cast<qsizetype>(rows_) * cols_);
  backgrounds_.clear();
  foregrounds_.clear();
  endResetModel();
}

void GridModel::SetRows(int rows) { Resize(rows, cols_); }

void GridModel::SetCols(int cols) { Resize(rows_, cols); }

void GridModel::SetCentred(bool centred) {
  centred_ = centred;
  if (rows_ > 0 && cols_ > 0) emit dataChanged(index(0, 0), index(rows_ - 1, cols_ - 1));
}

void GridModel::SetEditable(bool editable) {
  editable_ = editable;
  if (rows_ > 0 && cols_ > 0) emit dataChanged(index(0, 0), index(rows_ - 1, cols_ - 1));
}

QString GridModel::Text(int row, int col) const {
  if (!Contains(row, col)) {
    throw std::out_of_range("The grid has no cell at row " + std::to_string(row) + ", column " +
                            std::to_string(col) + ".");
  }
  return texts_[Index(row, col)];
}

void GridModel::SetText(int row, int col, const QString& text) {
  Text(row, col);
  texts_[Index(row, col)] = text;
  emit dataChanged(index(row, col), index(row, col));
}

void GridModel::SetBackground(int row, int col, const QColor& colour) {
  Text(row, col);
  backgrounds_[Index(row, col)] = colour;
  emit dataChanged(index(row, col), index(row, col));
}

void GridModel::SetColours(int row, int col, const QColor& back, const QColor& fore) {
  Text(row, col);
  backgrounds_[Index(row, col)] = back;
  foregrounds_[Index(row, col)] = fore;
  emit dataChanged(index(row, col), index(row, col));
}

}  // namespace qtui
