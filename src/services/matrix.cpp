#include "services/matrix.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <type_traits>

#include "platform/errors.h"
#include "services/allocsize.h"
#include "services/percentile.h"

namespace kiv {

template <typename T>
TBasicMatrix<T>::TBasicMatrix(const TBasicMatrix& other) : TPersistent(other) {
  CopyValuesFrom(other);
}

template <typename T>
TBasicMatrix<T>& TBasicMatrix<T>::operator=(const TBasicMatrix& other) {
  if (this != &other) {
    CopyValuesFrom(other);
    Changed();
  }
  return *this;
}

template <typename T>
void TBasicMatrix<T>::CopyValuesFrom(const TBasicMatrix& other) {
  std::vector<T> copy;
  try {
    copy = other.cells_;
  } catch (const std::bad_alloc&) {
    RaiseOutOfMemory(ClassName(), other.cells_.size());
  }
  cells_ = std::move(copy);
  cols_ = other.cols_;
  rows_ = other.rows_;
}

template <typename T>
void TBasicMatrix<T>::Resize(int cols, int rows) {
  const std::size_t count = CheckedCellCount(ClassName(), cols, rows);
  if (cols == cols_ && rows == rows_) return;
  std::vector<T> cells;
  try {
    cells.assign(count, T{});
  } catch (const std::bad_alloc&) {
    RaiseOutOfMemory(ClassName(), count);
  }
  const int keep_cols = std::min(cols, cols_);
  const int keep_rows = std::min(rows, rows_);
  for (int c = 0; c < keep_cols; ++c) {
    const auto src = cells_.begin() + static_cast<std::ptrdiff_t>(c) * rows_;
    const auto dst = cells.begin() + static_cast<std::ptrdiff_t>(c) * rows;
    std::copy(src, src + keep_rows, dst);
  }
  cells_ = std::move(cells);
  cols_ = cols;
  rows_ = rows;
  Changed();
}

template <typename T>
void TBasicMatrix<T>::Fill(T value) {
  std::fill(cells_.begin(), cells_.end(), value);
  Changed();
}

template <typename T>
void TBasicMatrix<T>::SetVal(int col, int row, T value) {
  if (!IsInside(col, row)) return;
  cells_[Index(col, row)] = value;
  Changed();
}

template <typename T>
bool TBasicMatrix<T>::ClipBlock(int& c1, int& r1, int& c2, int& r2) const {
  if (c1 > c2) std::swap(c1, c2);
  if (r1 > r2) std::swap(r1, r2);
  c1 = std::max(c1, 1);
  r1 = std::max(r1, 1);
  c2 = std::min(c2, cols_);
  r2 = std::min(r2, rows_);
  return c1 <= c2 && r1 <= r2;
}

template <typename T>
int TBasicMatrix<T>::MinMax(int c1, int r1, int c2, int r2, T& min, T& max) const {
  min = T{};
  max = T{};
  if (!ClipBlock(c1, r1, c2, r2)) return 0;
  int count = 0;
  for (int c = c1; c <= c2; ++c) {
    for (int r = r1; r <= r2; ++r) {
      const T v = cells_[Index(c, r)];
      if constexpr (std::is_floating_point_v<T>) {
        if (std::isnan(v)) continue;
      }
      if (count == 0) {
        min = max = v;
      } else {
        min = std::min(min, v);
        max = std::max(max, v);
      }
      ++count;
    }
  }
  return count;
}

template <typename T>
void TBasicMatrix<T>::EndUpdate() {
  if (update_depth_ == 0) return;
  if (--update_depth_ == 0 && change_pending_) Changed();
}

template <typename T>
void TBasicMatrix<T>::Changed() {
  if (update_depth_ > 0) {
    change_pending_ = true;
    return;
  }
  change_pending_ = false;
  if (OnChange) OnChange(this);
}

template <typename T>
void TBasicMatrix<T>::Assign(const TPersistent& Source) {
  if (const auto* src = dynamic_cast<const TBasicMatrix<T>*>(&Source)) {
    *this = *src;
    return;
  }
  TPersistent::Assign(Source);
}

template class TBasicMatrix<double>;
template class TBasicMatrix<std::int32_t>;
template class TBasicMatrix<std::uint8_t>;

double TMatrix::Percentile(double p, int c1, int r1, int c2, int r2) const {
  if (!ClipBlock(c1, r1, c2, r2)) return PercentileOfValues({}, p);
  std::vector<double> values;
  values.reserve(static_cast<std::size_t>(c2 - c1 + 1) * static_cast<std::size_t>(r2 - r1 + 1));
  for (int c = c1; c <= c2; ++c) {
    for (int r = r1; r <= r2; ++r) values.push_back(GetVal(c, r));
  }
  return PercentileOfValues(values, p);
}

}  // namespace kiv
