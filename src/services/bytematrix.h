// TByteMatrix: a resizable matrix of bytes with 1-based (column, row) indices, e.g. the mask of
// a contour plot's pivot grid.
#pragma once

#include <cstdint>
#include <string>

#include "services/matrix.h"

namespace kiv {

// Shares the behaviour of the other matrices: reads outside the matrix give 0, writes there are
// ignored, a negative or too large size raises EKIVError and leaves the matrix as it was, and
// every change fires OnChange.
class TByteMatrix : public TBasicMatrix<std::uint8_t> {
 public:
  TByteMatrix() = default;
  TByteMatrix(int cols, int rows) { Resize(cols, rows); }
  std::string ClassName() const override { return "TByteMatrix"; }

  std::uint8_t GetByte(int col, int row) const { return GetVal(col, row); }
  void SetByte(int col, int row, std::uint8_t value) { SetVal(col, row, value); }
};

}  // namespace kiv
