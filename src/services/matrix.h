// Resizable two-dimensional arrays with 1-based (column, row) indices: TMatrix of doubles and
// TIntMatrix of 32-bit integers, with the range statistics the charts need.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/classes.h"

namespace kiv {

// The common implementation of the matrices. Columns and rows count from 1. Reading outside
// the matrix gives 0 and writing outside it is ignored, so code that looks at the neighbours of
// border cells (index 0 or N + 1) needs no special cases. Sizes are validated: a negative or
// too large size raises EKIVError and leaves the matrix as it was; 0 columns or rows give an
// empty matrix.
template <typename T>
class TBasicMatrix : public TPersistent {
 public:
  TBasicMatrix() = default;
  // A copy takes the values, not the change notification.
  TBasicMatrix(const TBasicMatrix& other);
  // Takes the values and keeps its own change notification, which then fires.
  TBasicMatrix& operator=(const TBasicMatrix& other);
  std::string ClassName() const override { return "TBasicMatrix"; }

  int NrOfColumns() const { return cols_; }
  int NrOfRows() const { return rows_; }
  bool IsInside(int col, int row) const {
    return col >= 1 && col <= cols_ && row >= 1 && row <= rows_;
  }

  // New size; values of cells inside both the old and the new size are kept, new cells are 0.
  void Resize(int cols, int rows);
  void Fill(T value);

  T GetVal(int col, int row) const { return IsInside(col, row) ? cells_[Index(col, row)] : T{}; }
  void SetVal(int col, int row, T value);
  // The indexed property Elem[col, row].
  T Elem(int col, int row) const { return GetVal(col, row); }
  void SetElem(int col, int row, T value) { SetVal(col, row, value); }
  // The cells column after column (cell (col, row) at (col - 1) * NrOfRows() + row - 1), for
  // loops over whole matrices. Writes through it report no change; call Changed() after them.
  T* Data() { return cells_.data(); }
  const T* Data() const { return cells_.data(); }

  // Smallest and largest value in the block spanned by the corners (c1, r1) and (c2, r2), in
  // any order, clipped to the matrix. Returns the number of values seen; NaN values are
  // skipped. With no values, min and max are 0.
  int MinMax(int c1, int r1, int c2, int r2, T& min, T& max) const;
  int MinMax(T& min, T& max) const { return MinMax(1, 1, cols_, rows_, min, max); }

  // Called after every change (SetVal inside the matrix, Resize to a new size, Fill, Assign).
  // Between BeginUpdate and the matching EndUpdate the changes are collected and reported once.
  TNotifyEvent OnChange;
  void BeginUpdate() { ++update_depth_; }
  void EndUpdate();
  void Changed();

  void Assign(const TPersistent& Source) override;

 protected:
  // The cells of the block spanned by two corners after clipping to the matrix; false when the
  // block and the matrix do not overlap.
  bool ClipBlock(int& c1, int& r1, int& c2, int& r2) const;
  std::size_t Index(int col, int row) const {
    return static_cast<std::size_t>(col - 1) * static_cast<std::size_t>(rows_) +
           static_cast<std::size_t>(row - 1);
  }

 private:
  void CopyValuesFrom(const TBasicMatrix& other);

  int cols_ = 0;
  int rows_ = 0;
  std::vector<T> cells_;  // column after column
  int update_depth_ = 0;
  bool change_pending_ = false;
};

extern template class TBasicMatrix<double>;
extern template class TBasicMatrix<std::int32_t>;
extern template class TBasicMatrix<std::uint8_t>;

class TMatrix : public TBasicMatrix<double> {
 public:
  TMatrix() = default;
  // Sized in the body, so that a size error names this class.
  TMatrix(int cols, int rows) { Resize(cols, rows); }
  std::string ClassName() const override { return "TMatrix"; }

  // The p-th percentile (p in percent) of the block spanned by two corners, clipped to the
  // matrix, by the rule of PercentileOfValues: linear interpolation between closest ranks,
  // NaN values ignored, 0 for an empty block.
  double Percentile(double p, int c1, int r1, int c2, int r2) const;
  double Percentile(double p) const { return Percentile(p, 1, 1, NrOfColumns(), NrOfRows()); }
};

class TIntMatrix : public TBasicMatrix<std::int32_t> {
 public:
  TIntMatrix() = default;
  TIntMatrix(int cols, int rows) { Resize(cols, rows); }
  std::string ClassName() const override { return "TIntMatrix"; }
};

}  // namespace kiv
