#include "services/allocsize.h"

#include "platform/errors.h"

namespace kiv {

std::size_t CheckedCellCount(const std::string& what, long long cols, long long rows,
                             long long limit) {
  if (cols < 0 || rows < 0) {
    throw EKIVError(what + ": invalid size " + std::to_string(cols) + " x " + std::to_string(rows) +
                    " (dimensions must not be negative)");
  }
  // Division instead of multiplication, so no pair of factors can overflow.
  if (cols > 0 && rows > limit / cols) {
    throw EKIVError(what + ": size " + std::to_string(cols) + " x " + std::to_string(rows) +
                    " is too large (at most " + std::to_string(limit) + " cells)");
  }
  return static_cast<std::size_t>(cols * rows);
}

std::size_t CheckedElemCount(const std::string& what, long long size, long long limit) {
  if (size < 0) {
    throw EKIVError(what + ": invalid size " + std::to_string(size) + " (must not be negative)");
  }
  if (size > limit) {
    throw EKIVError(what + ": size " + std::to_string(size) + " is too large (at most " +
                    std::to_string(limit) + " elements)");
  }
  return static_cast<std::size_t>(size);
}

void RaiseOutOfMemory(const std::string& what, std::size_t cells) {
  throw EKIVError(what + ": not enough memory for " + std::to_string(cells) + " cells");
}

}  // namespace kiv
