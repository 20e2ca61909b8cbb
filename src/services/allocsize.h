// Size checks shared by the resizable containers of the math services: every requested size is
// validated here so that a container either gets all its cells or raises EKIVError unchanged.
#pragma once

#include <cstddef>
#include <string>

namespace kiv {

// Upper bound on the number of cells of one matrix, vector or table. It keeps a single
// container below a few gigabytes, so an absurd size fails with a message instead of making the
// system swap or the process being killed.
inline constexpr long long kMaxContainerCells = 1LL << 28;

// Returns cols * rows as a cell count; raises EKIVError naming `what` when a dimension is
// negative or the product exceeds `limit`.
std::size_t CheckedCellCount(const std::string& what, long long cols, long long rows,
                             long long limit = kMaxContainerCells);

// The same for a one-dimensional container of `size` elements.
std::size_t CheckedElemCount(const std::string& what, long long size,
                             long long limit = kMaxContainerCells);

// Raises EKIVError for `what` when the cell storage could not be obtained from the system.
[[noreturn]] void RaiseOutOfMemory(const std::string& what, std::size_t cells);

}  // namespace kiv
