// The chart values of an open table: R rows by nine columns, addressed from 1 as the
// grid numbers them, with the RPM of each row and the TPS of each column.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace tables {

class ChartValues {
 public:
  ChartValues() = default;
  ChartValues(int rows, int cols)
      : rows_(rows), cols_(cols), heights_(static_cast<std::size_t>(rows * cols), 0.0) {}

  int Rows() const { return rows_; }
  int Cols() const { return cols_; }

  double At(int row, int col) const { return heights_[Index(row, col)]; }
  double& At(int row, int col) { return heights_[Index(row, col)]; }

  bool Contains(int row, int col) const {
    return row >= 1 && row <= rows_ && col >= 1 && col <= cols_;
  }

  std::vector<double> rowPositions;
  std::vector<double> columnPositions;

 private:
  std::size_t Index(int row, int col) const {
    if (!Contains(row, col)) {
      throw std::out_of_range("The chart has no point at row " + std::to_string(row) + ", column " +
                              std::to_string(col) + " (it has " + std::to_string(rows_) +
                              " rows and " + std::to_string(cols_) + " columns).");
    }
    return static_cast<std::size_t>(row - 1) * static_cast<std::size_t>(cols_) +
           static_cast<std::size_t>(col - 1);
  }

  int rows_ = 0;
  int cols_ = 0;
  std::vector<double> heights_;
};

}  // namespace tables
