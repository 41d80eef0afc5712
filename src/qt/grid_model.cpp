#include "qt/grid_model.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace qtui {

int GridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : std::max(0, rows_ - 1);
}

int GridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : std::max(0, cols_ - 1);
}

QModelIndex GridModel::IndexOf(int row, int col) const {
  if (row < 1 || col < 1) return {};
  return index(row - 1, col - 1);
}

bool GridModel::Contains(int row, int col) const {
  return row >= 0 && row < rows_ && col >= 0 && col < cols_;
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || !Contains(GridRow(index), GridCol(index))) return {};
  const qsizetype at = Index(GridRow(index), GridCol(index));
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
      return texts_[at];
    case Qt::TextAlignmentRole:
      return centred_ ? QVariant(Qt::AlignCenter) : QVariant();
    case Qt::BackgroundRole:
      return backgrounds_.contains(at) ? QVariant(backgrounds_[at]) : QVariant();
    case Qt::ForegroundRole:
      return foregrounds_.contains(at) ? QVariant(foregrounds_[at]) : QVariant();
    case Qt::ToolTipRole:
      return toolTips_.contains(at) ? QVariant(toolTips_[at]) : QVariant();
    case kChangedRole:
      return changed_.contains(at);
    default:
      return {};
  }
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  const int row = orientation == Qt::Horizontal ? 0 : section + 1;
  const int col = orientation == Qt::Horizontal ? section + 1 : 0;
  if (!Contains(row, col)) return {};
  switch (role) {
    case Qt::DisplayRole:
      return texts_[Index(row, col)];
    case Qt::TextAlignmentRole:
      return centred_ ? QVariant(Qt::AlignCenter) : QVariant();
    default:
      return {};
  }
}

bool GridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::EditRole || !index.isValid()) return false;
  SetText(GridRow(index), GridCol(index), value.toString());
  return true;
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  if (editable_) flags |= Qt::ItemIsEditable;
  return flags;
}

void GridModel::Resize(int rows, int cols) {
  beginResetModel();
  rows_ = std::max(0, rows);
  cols_ = std::max(0, cols);
  texts_ = QStringList(static_cast<qsizetype>(rows_) * cols_);
  backgrounds_.clear();
  foregrounds_.clear();
  toolTips_.clear();
  changed_.clear();
  endResetModel();
}

void GridModel::SetRows(int rows) { Resize(rows, cols_); }

void GridModel::SetCols(int cols) { Resize(rows_, cols); }

void GridModel::SetCentred(bool centred) {
  centred_ = centred;
  AllChanged();
}

void GridModel::SetEditable(bool editable) {
  editable_ = editable;
  AllChanged();
}

void GridModel::AllChanged() {
  if (rowCount() > 0 && columnCount() > 0) {
    Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
  }
  if (columnCount() > 0) Q_EMIT headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
  if (rowCount() > 0) Q_EMIT headerDataChanged(Qt::Vertical, 0, rowCount() - 1);
}

void GridModel::CellChanged(int row, int col) {
  if (row == 0 && col > 0) Q_EMIT headerDataChanged(Qt::Horizontal, col - 1, col - 1);
  if (col == 0 && row > 0) Q_EMIT headerDataChanged(Qt::Vertical, row - 1, row - 1);
  const QModelIndex at = IndexOf(row, col);
  if (at.isValid()) Q_EMIT dataChanged(at, at);
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
  CellChanged(row, col);
}

void GridModel::SetBackground(int row, int col, const QColor& colour) {
  Text(row, col);
  // Repainting a whole table sets most cells to what they are.
  if (backgrounds_.value(Index(row, col)) == colour) return;
  backgrounds_[Index(row, col)] = colour;
  CellChanged(row, col);
}

void GridModel::SetForeground(int row, int col, const QColor& colour) {
  Text(row, col);
  if (foregrounds_.value(Index(row, col)) == colour) return;
  foregrounds_[Index(row, col)] = colour;
  CellChanged(row, col);
}

void GridModel::SetNote(int row, int col, bool changed, const QString& toolTip) {
  Text(row, col);
  const qsizetype at = Index(row, col);
  if (changed_.contains(at) == changed && toolTips_.value(at) == toolTip) return;
  if (changed) {
    changed_.insert(at);
  } else {
    changed_.remove(at);
  }
  toolTips_[at] = toolTip;
  CellChanged(row, col);
}

void GridModel::SetColours(int row, int col, const QColor& back, const QColor& fore) {
  Text(row, col);
  backgrounds_[Index(row, col)] = back;
  foregrounds_[Index(row, col)] = fore;
  CellChanged(row, col);
}

}  // namespace qtui
